#include "platform/web/ScriptEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>

#include "platform/foundation/JSON.h"
#include "platform/foundation/Log.h"
#include "platform/web/JavaScriptCore.h"

namespace web {

namespace {

// The engine's functions; only called once a context exists, so loaded.
const JavaScriptCore& js() {
    return *JavaScriptCore::functions();
}

struct StringRef {
    JSStringRef ref;
    explicit StringRef(std::string_view text)
        : ref(js().JSStringCreateWithUTF8CString(std::string(text).c_str())) {}
    ~StringRef() { js().JSStringRelease(ref); }
    StringRef(const StringRef&) = delete;
    StringRef& operator=(const StringRef&) = delete;
};

std::string fromJSString(JSStringRef string) {
    const size_t size = js().JSStringGetMaximumUTF8CStringSize(string);
    std::string text(size, '\0');
    const size_t written = js().JSStringGetUTF8CString(string, text.data(), size);
    text.resize(written > 0 ? written - 1 : 0);
    return text;
}

}  // namespace

JSContextGroupRef ScriptEngine::makeGroup() {
    const JavaScriptCore* core = JavaScriptCore::functions();
    return core ? core->JSContextGroupCreate() : nullptr;
}

void ScriptEngine::releaseGroup(JSContextGroupRef group) {
    if (group != nullptr) {
        js().JSContextGroupRelease(group);
    }
}

ScriptEngine::ScriptEngine(JSContextGroupRef group) {
    if (group == nullptr) {
        return;
    }
    JSClassDefinition definition{};
    definition.className = "NativeFunction";
    definition.callAsFunction = &ScriptEngine::callNative;
    nativeClass_ = js().JSClassCreate(&definition);
    context_ = js().JSGlobalContextCreateInGroup(group, nullptr);
}

ScriptEngine::~ScriptEngine() {
    if (context_ == nullptr) {
        return;
    }
    js().JSGlobalContextRelease(context_);
    js().JSClassRelease(nativeClass_);
}

void ScriptEngine::defineFunction(const std::string& name, NativeFunction function) {
    if (context_ == nullptr) {
        return;
    }
    functions_.push_back(std::make_unique<NativeFunction>(std::move(function)));
    JSObjectRef object = js().JSObjectMake(context_, nativeClass_, functions_.back().get());
    StringRef property(name);
    js().JSObjectSetProperty(context_, js().JSContextGetGlobalObject(context_), property.ref,
                             object, kJSPropertyAttributeDontEnum, nullptr);
}

void ScriptEngine::setGlobalObject(const std::string& name, const ScriptEngine& other) {
    if (context_ == nullptr || other.context_ == nullptr) {
        return;
    }
    StringRef property(name);
    js().JSObjectSetProperty(context_, js().JSContextGetGlobalObject(context_), property.ref,
                             js().JSContextGetGlobalObject(other.context_),
                             kJSPropertyAttributeNone, nullptr);
}

void ScriptEngine::setGlobalObjectEntry(const std::string& object, const std::string& key,
                                        const ScriptEngine* other) {
    if (context_ == nullptr || (other != nullptr && other->context_ == nullptr)) {
        return;
    }
    JSObjectRef global = js().JSContextGetGlobalObject(context_);
    StringRef objectName(object);
    JSValueRef holder = js().JSObjectGetProperty(context_, global, objectName.ref, nullptr);
    if (!js().JSValueIsObject(context_, holder)) {
        holder = js().JSObjectMake(context_, nullptr, nullptr);
        js().JSObjectSetProperty(context_, global, objectName.ref, holder,
                                 kJSPropertyAttributeDontEnum, nullptr);
    }
    JSObjectRef map = js().JSValueToObject(context_, holder, nullptr);
    StringRef keyName(key);
    if (other == nullptr) {
        js().JSObjectDeleteProperty(context_, map, keyName.ref, nullptr);
        return;
    }
    js().JSObjectSetProperty(context_, map, keyName.ref,
                             js().JSContextGetGlobalObject(other->context_),
                             kJSPropertyAttributeNone, nullptr);
}

std::string ScriptEngine::toString(JSContextRef context, JSValueRef value) {
    JSStringRef string = js().JSValueToStringCopy(context, value, nullptr);
    if (string == nullptr) {
        return {};
    }
    std::string text = fromJSString(string);
    js().JSStringRelease(string);
    return text;
}

foundation::Value ScriptEngine::toValue(JSContextRef context, JSValueRef value) {
    switch (js().JSValueGetType(context, value)) {
        case kJSTypeBoolean:
            return js().JSValueToBoolean(context, value);
        case kJSTypeNumber:
            return js().JSValueToNumber(context, value, nullptr);
        case kJSTypeString:
            return toString(context, value);
        case kJSTypeObject: {
            const JSTypedArrayType typed = js().JSValueGetTypedArrayType(context, value, nullptr);
            if (typed == kJSTypedArrayTypeUint8Array ||
                typed == kJSTypedArrayTypeUint8ClampedArray) {
                // The bytes pointer is the start of the array's buffer, which a
                // view of part of a buffer starts into.
                JSObjectRef array = js().JSValueToObject(context, value, nullptr);
                const auto* bytes = static_cast<const std::uint8_t*>(
                    js().JSObjectGetTypedArrayBytesPtr(context, array, nullptr));
                if (bytes == nullptr) {
                    return foundation::Data();
                }
                bytes += js().JSObjectGetTypedArrayByteOffset(context, array, nullptr);
                return foundation::Data(
                    bytes, bytes + js().JSObjectGetTypedArrayByteLength(context, array, nullptr));
            }
            JSStringRef json = js().JSValueCreateJSONString(context, value, 0, nullptr);
            if (json == nullptr) {
                return {};
            }
            std::string text = fromJSString(json);
            js().JSStringRelease(json);
            return text;
        }
        default:
            return {};
    }
}

JSValueRef ScriptEngine::fromValue(JSContextRef context, const foundation::Value& value) {
    if (value.isBoolean()) {
        return js().JSValueMakeBoolean(context, value.boolValue());
    }
    if (value.isNumber()) {
        return js().JSValueMakeNumber(context, value.doubleValue());
    }
    if (value.isString()) {
        StringRef text(*value.asString());
        return js().JSValueMakeString(context, text.ref);
    }
    if (const auto* data = value.asData()) {
        JSObjectRef array = js().JSObjectMakeTypedArray(context, kJSTypedArrayTypeUint8ClampedArray,
                                                        data->size(), nullptr);
        if (array != nullptr && !data->empty()) {
            std::copy(data->begin(), data->end(),
                      static_cast<std::uint8_t*>(
                          js().JSObjectGetTypedArrayBytesPtr(context, array, nullptr)));
        }
        return array != nullptr ? array : js().JSValueMakeNull(context);
    }
    if (value.isArray() || value.isDictionary()) {
        if (auto json = foundation::JSON::writeFragment(value)) {
            StringRef text(*json);
            if (JSValueRef parsed = js().JSValueMakeFromJSONString(context, text.ref)) {
                return parsed;
            }
        }
    }
    return js().JSValueMakeNull(context);
}

JSValueRef ScriptEngine::callNative(JSContextRef context, JSObjectRef function, JSObjectRef,
                                    size_t count, const JSValueRef arguments[],
                                    JSValueRef* exception) {
    auto* native = static_cast<NativeFunction*>(js().JSObjectGetPrivate(function));
    if (native == nullptr) {
        return js().JSValueMakeUndefined(context);
    }
    std::vector<foundation::Value> values;
    values.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        values.push_back(toValue(context, arguments[i]));
    }
    try {
        return fromValue(context, (*native)(values));
    } catch (const std::exception& error) {
        StringRef message(error.what());
        *exception = js().JSValueMakeString(context, message.ref);
        return js().JSValueMakeUndefined(context);
    }
}

ScriptEngine::Result ScriptEngine::evaluate(std::string_view script, std::string_view sourceURL) {
    Result result;
    if (context_ == nullptr) {
        result.threw = true;
        result.exception = "no JavaScript engine";
        return result;
    }
    StringRef source(script);
    std::optional<StringRef> url;
    if (!sourceURL.empty()) {
        url.emplace(sourceURL);
    }
    JSValueRef exception = nullptr;
    ++depth_;
    JSValueRef value = js().JSEvaluateScript(context_, source.ref, nullptr,
                                             url ? url->ref : nullptr, 1, &exception);
    --depth_;
    if (exception != nullptr) {
        result.threw = true;
        result.exception = toString(context_, exception);
        if (js().JSValueIsObject(context_, exception)) {
            StringRef lineName("line");
            JSValueRef line = js().JSObjectGetProperty(
                context_, js().JSValueToObject(context_, exception, nullptr), lineName.ref,
                nullptr);
            if (js().JSValueIsNumber(context_, line)) {
                result.exception += " (line " +
                                    std::to_string(static_cast<long>(
                                        js().JSValueToNumber(context_, line, nullptr))) +
                                    ")";
            }
        }
        foundation::Log::write(
            "web", "JavaScript error in " +
                       (sourceURL.empty() ? std::string("script") : std::string(sourceURL)) + ": " +
                       result.exception);
        return result;
    }
    switch (js().JSValueGetType(context_, value)) {
        case kJSTypeString:
        case kJSTypeNumber:
        case kJSTypeBoolean:
            result.text = toString(context_, value);
            break;
        default:
            break;
    }
    return result;
}

}  // namespace web
