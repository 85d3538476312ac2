#include "platform/foundation/Bundle.h"

#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/foundation/FileManager.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/PropertyList.h"
#include "platform/foundation/StringsTable.h"

#ifndef BARCODES_RESOURCES_DIR
#define BARCODES_RESOURCES_DIR "resources"
#endif

namespace foundation {
namespace {

// Parsed files, reread when their modification date or size changes.
template <typename T>
class FileCache {
  public:
    template <typename Load>
    std::optional<T> get(const std::string& path, Load load) {
        const auto attributes = FileManager::defaultManager().attributesOfItem(path);
        std::lock_guard lock(mutex_);
        if (!attributes) {
            entries_.erase(path);
            return std::nullopt;
        }
        auto& entry = entries_[path];
        if (!entry.loaded || entry.stamp.modificationDate != attributes->modificationDate ||
            entry.stamp.size != attributes->size) {
            entry.value = load(path);
            entry.stamp = *attributes;
            entry.loaded = true;
        }
        return entry.value;
    }

  private:
    struct Entry {
        bool loaded = false;
        FileAttributes stamp;
        std::optional<T> value;
    };
    std::mutex mutex_;
    std::map<std::string, Entry> entries_;
};

FileCache<StringsTable>& tables() {
    static auto* const cache = new FileCache<StringsTable>();
    return *cache;
}

FileCache<Value>& infoPlists() {
    static auto* const cache = new FileCache<Value>();
    return *cache;
}

}  // namespace

Bundle& Bundle::main() {
    static auto* const bundle = new Bundle();
    return *bundle;
}

std::string Bundle::resourcePath() const {
    if (const char* path = std::getenv("BARCODES_RESOURCES"); path && *path)
        return path;
    return BARCODES_RESOURCES_DIR;
}

std::optional<std::string> Bundle::pathForResource(std::string_view name, std::string_view type,
                                                   std::string_view subdirectory) const {
    if (name.empty() || name.find("..") != std::string_view::npos ||
        subdirectory.find("..") != std::string_view::npos)
        return std::nullopt;
    std::string path = resourcePath();
    if (!subdirectory.empty())
        path.append("/").append(subdirectory);
    path.append("/").append(name);
    if (!type.empty()) {
        if (!type.starts_with("."))
            path += ".";
        path.append(type);
    }
    bool isDirectory = false;
    if (!FileManager::defaultManager().fileExists(path, &isDirectory))
        return std::nullopt;
    return path;
}

std::optional<URL> Bundle::urlForResource(std::string_view name, std::string_view extension) const {
    const auto path = pathForResource(name, extension);
    if (!path)
        return std::nullopt;
    return URL::fileURL(*path);
}

Value Bundle::infoDictionary() const {
    const auto info = infoPlists().get(
        resourcePath() + "/Info.plist", [](const std::string& path) -> std::optional<Value> {
            auto value = PropertyList::readFile(path);
            if (!value || !value->isDictionary()) {
                Log::write("Bundle",
                           "Info.plist at " + path + " is not a property list dictionary");
                return std::nullopt;
            }
            return value;
        });
    return info ? *info : Value::dictionary();
}

Value Bundle::objectForInfoDictionaryKey(std::string_view key) const {
    return infoDictionary()[key];
}

std::string Bundle::bundleIdentifier() const {
    return objectForInfoDictionaryKey("CFBundleIdentifier").stringValue();
}

std::string Bundle::localizedString(std::string_view key, std::string_view value,
                                    std::string_view table) const {
    const std::string name = table.empty() ? "Localizable" : std::string(table);
    const auto loaded =
        tables().get(resourcePath() + "/" + name + ".strings", [](const std::string& path) {
            Error error;
            const auto data = FileManager::defaultManager().contentsAtPath(path);
            auto parsed = data ? StringsTable::parse(*data, &error) : std::nullopt;
            if (!parsed)
                Log::write("Bundle",
                           "Cannot read strings table " + path + ": " + error.localizedDescription);
            return parsed;
        });
    if (loaded)
        if (auto text = loaded->lookup(key))
            return *text;
    return std::string(value.empty() ? key : value);
}

}  // namespace foundation
