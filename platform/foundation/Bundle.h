#pragma once

// The application bundle: its resource folder (env BARCODES_RESOURCES, read
// on every call, else the build's resources folder), resource paths, the Info
// property list and localized strings tables.

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"

namespace foundation {

class Bundle {
  public:
    static Bundle& main();

    std::string resourcePath() const;

    // Path of an existing resource "name.type" (or "name" when type is empty),
    // optionally inside a sub-folder; nullopt when there is no such file.
    std::optional<std::string> pathForResource(std::string_view name, std::string_view type = "",
                                               std::string_view subdirectory = "") const;
    std::optional<URL> urlForResource(std::string_view name, std::string_view extension = "") const;

    // Info.plist of the resource folder ({} when missing or malformed).
    Value infoDictionary() const;
    Value objectForInfoDictionaryKey(std::string_view key) const;
    std::string bundleIdentifier() const;

    // The text for a key in "<table>.strings" ("Localizable" when table is
    // empty). A missing key (or table) answers `value` when it is not empty,
    // else the key itself.
    std::string localizedString(std::string_view key, std::string_view value = "",
                                std::string_view table = "") const;
};

// The usual shorthand: the key's text in the default table.
inline std::string localizedString(std::string_view key) {
    return Bundle::main().localizedString(key);
}

}  // namespace foundation
