#pragma once

// The file manager: existence, folders, removal, copies, attributes, the
// backup-exclusion mark, enumeration and atomic writes. Errors come back as values, never thrown.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Data.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/Error.h"

namespace foundation {

struct FileAttributes {
    std::uint64_t size = 0;
    Date modificationDate;
    bool isDirectory = false;
};

class FileManager {
  public:
    static constexpr const char* kErrorDomain = "NSCocoaErrorDomain";
    // Codes of kErrorDomain used here, as the platform numbers them.
    static constexpr long kNoSuchFileError = 4;
    static constexpr long kReadNoSuchFileError = 260;
    static constexpr long kWriteFileExistsError = 516;
    static constexpr long kWriteUnknownError = 512;
    static constexpr long kReadUnknownError = 256;

    // The shared manager; it holds no state, so any instance behaves the same.
    static FileManager& defaultManager();

    bool fileExists(const std::string& path, bool* isDirectory = nullptr) const;
    bool createDirectory(const std::string& path, bool withIntermediateDirectories = true,
                         Error* error = nullptr);
    // Removes a file or a folder with everything in it. A missing item is an error.
    bool removeItem(const std::string& path, Error* error = nullptr);
    // Copies a file or folder; fails when the target exists.
    bool copyItem(const std::string& from, const std::string& to, Error* error = nullptr);
    // Moves (renames) an item; fails when the target exists.
    bool moveItem(const std::string& from, const std::string& to, Error* error = nullptr);

    // Names in a folder (not recursive), sorted; nullopt when it is no folder.
    std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& path,
                                                                Error* error = nullptr) const;
    // Paths relative to `path` of everything below it (recursive), sorted.
    // Names starting with "." and what lies below them are left out when skipHidden.
    std::vector<std::string> enumerate(const std::string& path, bool skipHidden = false) const;

    std::optional<FileAttributes> attributesOfItem(const std::string& path,
                                                   Error* error = nullptr) const;
    bool setModificationDate(const std::string& path, Date date, Error* error = nullptr);
    // The "excluded from backup" resource value of an item, kept as the
    // extended attribute kExcludedFromBackupAttribute: present means excluded.
    static constexpr const char* kExcludedFromBackupAttribute = "user.excluded-from-backup";
    bool setExcludedFromBackup(const std::string& path, bool excluded, Error* error = nullptr);
    // False also when the item or its attributes cannot be read.
    bool isExcludedFromBackup(const std::string& path) const;

    // Whole contents of a file; nullopt when it cannot be read.
    std::optional<Data> contentsAtPath(const std::string& path, Error* error = nullptr) const;
    // Writes the bytes to a temporary file beside the target and renames it
    // over the target, so readers see the old or the new contents, never a part.
    // The folder must exist.
    bool writeAtomically(const std::string& path, const Data& data, Error* error = nullptr);
    // Replaces a file's contents (atomically), as creating a file with contents does.
    bool createFile(const std::string& path, const Data& data, Error* error = nullptr) {
        return writeAtomically(path, data, error);
    }
};

}  // namespace foundation
