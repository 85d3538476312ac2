#pragma once

// The component's macros: JSON conversion of dictionaries, the one
// publisher-facing log ("<Dezuvo> %@") and synchronous execution on the main
// thread.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Value.h"

// Hears every publisher log line before it is written.
class GADLogChecker {
  public:
    virtual ~GADLogChecker() = default;
    virtual void message(const std::string& text) = 0;
};

class GADMacros {
  public:
    // Compact JSON of the dictionary; "" when it is not a valid JSON object;
    // nullopt for no dictionary.
    static std::optional<std::string> dictionaryToJSONString(
        const std::optional<foundation::Dictionary>& dictionary);
    // The dictionary the JSON text holds; nullopt when it does not parse or
    // is not an object.
    static std::optional<foundation::Dictionary> readJsonIntoDictionary(std::string_view text);
    // Tells the log checker, then writes "<Dezuvo> " and the text to the log.
    static void pubLog(const std::string& text);
    static void setLogChecker(std::shared_ptr<GADLogChecker> checker);
    // Runs the block at once on the main thread; from any other thread hands
    // it to the main queue and returns after it ran.
    static void runSynchronouslyOnMainThreadWithBlock(const std::function<void()>& block);
};
