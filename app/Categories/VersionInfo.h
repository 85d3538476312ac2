#pragma once

// The application's name and version as its bundle states them, and the
// hardware the program runs on, as the about screens show them.

#include <optional>
#include <string>

namespace VersionInfo {

// The main bundle's information entries; nullopt when an entry is missing or
// not text.
std::optional<std::string> bundleName();   // "CFBundleName"
std::optional<std::string> displayName();  // "CFBundleDisplayName"
std::optional<std::string> appVersion();   // "CFBundleShortVersionString"
std::optional<std::string> build();        // "CFBundleVersion"

// "v1.2" when the version and the build are equal, else "v1.2 (345)". A
// missing entry prints as "(null)", as the platform's formatting does.
std::string versionBuild();
// "<bundleName>-<versionBuild>".
std::string versionFull();

// The hardware name the operating system reports (uname's machine), e.g.
// "x86_64".
std::string machineName();

}  // namespace VersionInfo
