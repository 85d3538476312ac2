#pragma once

// User defaults of the standard domain: a dictionary of property-list values
// kept in "<bundle identifier>.plist" under Library/Preferences of the
// application home, written atomically on every change. Every instance reads
// and writes the same storage (the file of the current home), so a fresh
// instance sees what the shared one wrote. Registered defaults answer for
// keys that were never set and are not persisted. A file that cannot be read
// is renamed "<file>.unreadable" (logged) and the store starts empty.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Value.h"

namespace foundation {

class UserDefaults {
  public:
    static UserDefaults& standard();
    // Forgets what was loaded, so the next access reads the file again (as a new launch does).
    static void resetStandardUserDefaults();

    // Null when the key is absent.
    Value objectForKey(std::string_view key) const;
    // Strings as they are and numbers as their text; nullopt otherwise.
    std::optional<std::string> stringForKey(std::string_view key) const;
    std::optional<Array> arrayForKey(std::string_view key) const;
    std::optional<Dictionary> dictionaryForKey(std::string_view key) const;
    std::optional<Data> dataForKey(std::string_view key) const;
    // Numeric readings of numbers and strings; 0 / false when absent.
    std::int64_t integerForKey(std::string_view key) const;
    double doubleForKey(std::string_view key) const;
    bool boolForKey(std::string_view key) const;

    // Stores a property-list value (setting null removes the key). A value
    // holding a null somewhere is refused with a log line and answers false.
    bool setObject(std::string_view key, const Value& value);
    bool setBool(std::string_view key, bool value) { return setObject(key, Value(value)); }
    bool setInteger(std::string_view key, std::int64_t value) {
        return setObject(key, Value(value));
    }
    bool setDouble(std::string_view key, double value) { return setObject(key, Value(value)); }
    void removeObjectForKey(std::string_view key);

    void registerDefaults(const Dictionary& defaults);
    // The stored values over the registered ones.
    Dictionary dictionaryRepresentation() const;

    // Changes are written as they are made; this rereads the file (picking up
    // changes made outside) and answers true.
    bool synchronize();

    // Full path of the file for the current home.
    static std::string filePath();
};

}  // namespace foundation
