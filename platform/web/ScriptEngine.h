#pragma once

// One JavaScript global context (JavaScriptCore), made in a context group
// that other contexts share (one virtual machine, one global object each):
// evaluates scripts synchronously, answers results as the platform's web
// views do, lets C++ functions be called from scripts and hands its global
// object to the other contexts of its group. A script that throws is logged,
// never fatal. Without the engine's library (logged when it is looked for)
// a context runs nothing and every script counts as thrown.

#include <JavaScriptCore/JavaScript.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Value.h"

namespace web {

class ScriptEngine {
  public:
    // Arguments arrive as null, boolean, real or string values, byte arrays
    // (Uint8Array, Uint8ClampedArray) as data, other values as their JSON
    // text; the answer goes back the same way (arrays and dictionaries as
    // JavaScript objects, data as a Uint8ClampedArray).
    using NativeFunction =
        std::function<foundation::Value(const std::vector<foundation::Value>& arguments)>;

    struct Result {
        bool threw = false;
        // The platform's string form: a string as it is, a number or boolean
        // as its text, anything else "".
        std::string text;
        std::string exception;
    };

    // The group contexts share; null when the engine cannot be loaded.
    static JSContextGroupRef makeGroup();
    static void releaseGroup(JSContextGroupRef group);

    explicit ScriptEngine(JSContextGroupRef group);
    ~ScriptEngine();
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    // A global function of that name calling `function`.
    void defineFunction(const std::string& name, NativeFunction function);

    // Sets the global property `name` to the global object of `other`, a
    // context of the same group.
    void setGlobalObject(const std::string& name, const ScriptEngine& other);
    // Sets `object[key]` on the global `object` (made when missing) to the
    // global object of `other`, or deletes it when `other` is null.
    void setGlobalObjectEntry(const std::string& object, const std::string& key,
                              const ScriptEngine* other);

    Result evaluate(std::string_view script, std::string_view sourceURL = {});
    // Depth of evaluations in progress (native functions may evaluate again).
    int depth() const { return depth_; }

  private:
    static JSValueRef callNative(JSContextRef context, JSObjectRef function, JSObjectRef self,
                                 size_t count, const JSValueRef arguments[], JSValueRef* exception);
    static std::string toString(JSContextRef context, JSValueRef value);
    static foundation::Value toValue(JSContextRef context, JSValueRef value);
    static JSValueRef fromValue(JSContextRef context, const foundation::Value& value);

    JSGlobalContextRef context_ = nullptr;
    JSClassRef nativeClass_ = nullptr;
    std::vector<std::unique_ptr<NativeFunction>> functions_;
    int depth_ = 0;
};

}  // namespace web
