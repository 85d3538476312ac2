#include "platform/web/ScriptEngine.h"

#include <cmath>
#include <exception>

#include "platform/foundation/JSON.h"
#include "platform/foundation/Log.h"

namespace web {

namespace {

struct StringRef {
    JSStringRef ref;
    explicit StringRef(std::string_view text)
        : ref(JSStringCreateWithUTF8CString(std::string(text).c_str())) {}
    ~StringRef() { JSStringRelease(ref); }
    StringRef(const StringRef&) = delete;
    StringRef& operator=(const StringRef&) = delete;
};

std::string fromJSString(JSStringRef string) {
    const size_t size = JSStringGetMaximumUTF8CStringSize(string);
    std::string text(size, '\0');
    const size_t written = JSStringGetUTF8CString(string, text.data(), size);
    text.resize(written > 0 ? written - 1 : 0);
    return text;
}

}  // namespace

ScriptEngine::ScriptEngine(JSContextGroupRef group) {
    JSClassDefinition definition = kJSClassDefinitionEmpty;
    definition.className = "NativeFunction";
    definition.callAsFunction = &ScriptEngine::callNative;
    nativeClass_ = JSClassCreate(&definition);
    context_ = JSGlobalContextCreateInGroup(group, nullptr);
}

ScriptEngine::~ScriptEngine() {
    JSGlobalContextRelease(context_);
    JSClassRelease(nativeClass_);
}

void ScriptEngine::defineFunction(const std::string& name, NativeFunction function) {
    functions_.push_back(std::make_unique<NativeFunction>(std::move(function)));
    JSObjectRef object = JSObjectMake(context_, nativeClass_, functions_.back().get());
    StringRef property(name);
    JSObjectSetProperty(context_, JSContextGetGlobalObject(context_), property.ref, object,
                        kJSPropertyAttributeDontEnum, nullptr);
}

void ScriptEngine::setGlobalObject(const std::string& name, const ScriptEngine& other) {
    StringRef property(name);
    JSObjectSetProperty(context_, JSContextGetGlobalObject(context_), property.ref,
                        JSContextGetGlobalObject(other.context_), kJSPropertyAttributeNone,
                        nullptr);
}

void ScriptEngine::setGlobalObjectEntry(const std::string& object, const std::string& key,
                                        const ScriptEngine* other) {
    JSObjectRef global = JSContextGetGlobalObject(context_);
    StringRef objectName(object);
    JSValueRef holder = JSObjectGetProperty(context_, global, objectName.ref, nullptr);
    if (!JSValueIsObject(context_, holder)) {
        holder = JSObjectMake(context_, nullptr, nullptr);
        JSObjectSetProperty(context_, global, objectName.ref, holder, kJSPropertyAttributeDontEnum,
                            nullptr);
    }
    JSObjectRef map = JSValueToObject(context_, holder, nullptr);
    StringRef keyName(key);
    if (other == nullptr) {
        JSObjectDeleteProperty(context_, map, keyName.ref, nullptr);
        return;
    }
    JSObjectSetProperty(context_, map, keyName.ref, JSContextGetGlobalObject(other->context_),
                        kJSPropertyAttributeNone, nullptr);
}

std::string ScriptEngine::toString(JSContextRef context, JSValueRef value) {
    JSStringRef string = JSValueToStringCopy(context, value, nullptr);
    if (string == nullptr) {
        return {};
    }
    std::string text = fromJSString(string);
    JSStringRelease(string);
    return text;
}

foundation::Value ScriptEngine::toValue(JSContextRef context, JSValueRef value) {
    switch (JSValueGetType(context, value)) {
        case kJSTypeBoolean:
            return JSValueToBoolean(context, value);
        case kJSTypeNumber:
            return JSValueToNumber(context, value, nullptr);
        case kJSTypeString:
            return toString(context, value);
        case kJSTypeObject: {
            JSStringRef json = JSValueCreateJSONString(context, value, 0, nullptr);
            if (json == nullptr) {
                return {};
            }
            std::string text = fromJSString(json);
            JSStringRelease(json);
            return text;
        }
        default:
            return {};
    }
}

JSValueRef ScriptEngine::fromValue(JSContextRef context, const foundation::Value& value) {
    if (value.isBoolean()) {
        return JSValueMakeBoolean(context, value.boolValue());
    }
    if (value.isNumber()) {
        return JSValueMakeNumber(context, value.doubleValue());
    }
    if (value.isString()) {
        StringRef text(*value.asString());
        return JSValueMakeString(context, text.ref);
    }
    if (value.isArray() || value.isDictionary()) {
        if (auto json = foundation::JSON::writeFragment(value)) {
            StringRef text(*json);
            if (JSValueRef parsed = JSValueMakeFromJSONString(context, text.ref)) {
                return parsed;
            }
        }
    }
    return JSValueMakeNull(context);
}

JSValueRef ScriptEngine::callNative(JSContextRef context, JSObjectRef function, JSObjectRef,
                                    size_t count, const JSValueRef arguments[],
                                    JSValueRef* exception) {
    auto* native = static_cast<NativeFunction*>(JSObjectGetPrivate(function));
    if (native == nullptr) {
        return JSValueMakeUndefined(context);
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
        *exception = JSValueMakeString(context, message.ref);
        return JSValueMakeUndefined(context);
    }
}

ScriptEngine::Result ScriptEngine::evaluate(std::string_view script, std::string_view sourceURL) {
    Result result;
    StringRef source(script);
    std::optional<StringRef> url;
    if (!sourceURL.empty()) {
        url.emplace(sourceURL);
    }
    JSValueRef exception = nullptr;
    ++depth_;
    JSValueRef value =
        JSEvaluateScript(context_, source.ref, nullptr, url ? url->ref : nullptr, 1, &exception);
    --depth_;
    if (exception != nullptr) {
        result.threw = true;
        result.exception = toString(context_, exception);
        if (JSValueIsObject(context_, exception)) {
            StringRef lineName("line");
            JSValueRef line = JSObjectGetProperty(
                context_, JSValueToObject(context_, exception, nullptr), lineName.ref, nullptr);
            if (JSValueIsNumber(context_, line)) {
                result.exception +=
                    " (line " +
                    std::to_string(static_cast<long>(JSValueToNumber(context_, line, nullptr))) +
                    ")";
            }
        }
        foundation::Log::write(
            "web", "JavaScript error in " +
                       (sourceURL.empty() ? std::string("script") : std::string(sourceURL)) + ": " +
                       result.exception);
        return result;
    }
    switch (JSValueGetType(context_, value)) {
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
