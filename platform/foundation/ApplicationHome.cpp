#include "platform/foundation/ApplicationHome.h"

#include <cstdlib>
#include <filesystem>

namespace foundation {
namespace {

std::string root() {
    if (const char* home = std::getenv("BARCODES_HOME"); home && *home)
        return home;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::string(data) + "/barcodes";
    if (const char* user = std::getenv("HOME"); user && *user)
        return std::string(user) + "/.local/share/barcodes";
    return (std::filesystem::temp_directory_path() / "barcodes").string();
}

}  // namespace

std::string ApplicationHome::path() {
    const std::string base = root();
    std::error_code ignored;
    for (const char* folder : {"Documents", "Library/Caches", "Library/Preferences", "tmp"})
        std::filesystem::create_directories(base + "/" + folder, ignored);
    return base;
}

std::string ApplicationHome::documents() {
    return path() + "/Documents";
}

std::string ApplicationHome::library() {
    return path() + "/Library";
}

std::string ApplicationHome::caches() {
    return path() + "/Library/Caches";
}

std::string ApplicationHome::applicationSupport() {
    return path() + "/Library/Application Support";
}

std::string ApplicationHome::preferences() {
    return path() + "/Library/Preferences";
}

std::string ApplicationHome::temporary() {
    return path() + "/tmp";
}

std::optional<std::string> ApplicationHome::searchPath(int directory) {
    switch (directory) {
        case static_cast<int>(Directory::Library):
            return library();
        case static_cast<int>(Directory::Documents):
            return documents();
        case static_cast<int>(Directory::Caches):
            return caches();
        case static_cast<int>(Directory::ApplicationSupport):
            return applicationSupport();
        default:
            return std::nullopt;
    }
}

std::string ApplicationHome::searchPath(Directory directory) {
    return *searchPath(static_cast<int>(directory));
}

}  // namespace foundation
