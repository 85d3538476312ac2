#include "platform/foundation/KeyedArchiver.h"

#include "platform/foundation/FileManager.h"
#include "platform/foundation/PropertyList.h"

namespace foundation {
namespace {

constexpr const char* kArchiverName = "KeyedArchiver";
constexpr std::int64_t kVersion = 1;

}  // namespace

std::optional<Data> KeyedArchiver::archivedData(const Value& root) {
    return PropertyList::write(
        Value::dictionary({{"$archiver", kArchiverName}, {"$version", kVersion}, {"$root", root}}),
        PropertyList::Format::Binary);
}

std::optional<Value> KeyedArchiver::unarchive(const Data& data) {
    const auto archive = PropertyList::parse(data);
    if (!archive || (*archive)["$archiver"] != Value(kArchiverName) || !archive->contains("$root"))
        return std::nullopt;
    return (*archive)["$root"];
}

bool KeyedArchiver::archiveRootObject(const Value& root, const std::string& path) {
    const auto data = archivedData(root);
    return data && FileManager::defaultManager().writeAtomically(path, *data);
}

std::optional<Value> KeyedArchiver::unarchiveObjectWithFile(const std::string& path) {
    const auto data = FileManager::defaultManager().contentsAtPath(path);
    return data ? unarchive(*data) : std::nullopt;
}

}  // namespace foundation
