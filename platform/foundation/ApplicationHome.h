#pragma once

// The application's sandbox folders (Documents, Library, Caches, Application
// Support, Preferences, tmp) under one root: env BARCODES_HOME, read on every
// call, else the XDG data folder + "/barcodes".

#include <optional>
#include <string>

namespace foundation {

class ApplicationHome {
  public:
    // The platform's search-path directory numbers.
    enum class Directory { Library = 5, Documents = 9, Caches = 13, ApplicationSupport = 14 };

    // The root; Documents, Library, Library/Caches, Library/Preferences and
    // tmp are created when missing. Application Support is not: the
    // application makes it when it needs it.
    static std::string path();
    static std::string documents();
    static std::string library();
    static std::string caches();
    static std::string applicationSupport();
    static std::string preferences();
    static std::string temporary();

    // The first user-domain path for a search-path directory number; nullopt
    // for numbers not kept here.
    static std::optional<std::string> searchPath(int directory);
    static std::string searchPath(Directory directory);
};

}  // namespace foundation
