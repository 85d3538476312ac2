#pragma once

// The JavaScriptCore functions the web layer calls, looked up in the library
// when the first script context is made: a program that never runs a script
// (a photo scan, say) does not pay for loading the engine at its launch.

#include <JavaScriptCore/JavaScript.h>

#define WEB_JAVASCRIPTCORE_FUNCTIONS(X)  \
    X(JSClassCreate)                     \
    X(JSClassRelease)                    \
    X(JSContextGetGlobalObject)          \
    X(JSContextGroupCreate)              \
    X(JSContextGroupRelease)             \
    X(JSEvaluateScript)                  \
    X(JSGlobalContextCreateInGroup)      \
    X(JSGlobalContextRelease)            \
    X(JSObjectDeleteProperty)            \
    X(JSObjectGetPrivate)                \
    X(JSObjectGetProperty)               \
    X(JSObjectGetTypedArrayByteLength)   \
    X(JSObjectGetTypedArrayByteOffset)   \
    X(JSObjectGetTypedArrayBytesPtr)     \
    X(JSObjectMake)                      \
    X(JSObjectMakeTypedArray)            \
    X(JSObjectSetProperty)               \
    X(JSStringCreateWithUTF8CString)     \
    X(JSStringGetMaximumUTF8CStringSize) \
    X(JSStringGetUTF8CString)            \
    X(JSStringRelease)                   \
    X(JSValueCreateJSONString)           \
    X(JSValueGetType)                    \
    X(JSValueGetTypedArrayType)          \
    X(JSValueIsNumber)                   \
    X(JSValueIsObject)                   \
    X(JSValueMakeBoolean)                \
    X(JSValueMakeFromJSONString)         \
    X(JSValueMakeNull)                   \
    X(JSValueMakeNumber)                 \
    X(JSValueMakeString)                 \
    X(JSValueMakeUndefined)              \
    X(JSValueToBoolean)                  \
    X(JSValueToNumber)                   \
    X(JSValueToObject)                   \
    X(JSValueToStringCopy)

namespace web {

struct JavaScriptCore {
#define WEB_JAVASCRIPTCORE_MEMBER(name) decltype(&::name) name = nullptr;
    WEB_JAVASCRIPTCORE_FUNCTIONS(WEB_JAVASCRIPTCORE_MEMBER)
#undef WEB_JAVASCRIPTCORE_MEMBER

    // The functions, the library loaded on the first call; null (logged
    // once) when the library or one of its functions cannot be found.
    static const JavaScriptCore* functions();
};

}  // namespace web
