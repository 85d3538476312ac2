#pragma once

// Keyed archives of property-list values (arrays, dictionaries, data,
// strings, numbers, dates): a binary property list holding the root object
// under "$root" with the archive's "$archiver" and "$version" marks.

#include <optional>
#include <string>

#include "platform/foundation/Data.h"
#include "platform/foundation/Value.h"

namespace foundation {

class KeyedArchiver {
  public:
    static std::optional<Data> archivedData(const Value& root);
    // nullopt for bytes that are not an archive made here.
    static std::optional<Value> unarchive(const Data& data);

    // Written atomically; false when the value cannot be archived or written.
    static bool archiveRootObject(const Value& root, const std::string& path);
    static std::optional<Value> unarchiveObjectWithFile(const std::string& path);
};

}  // namespace foundation
