#include "app/Categories/VersionInfo.h"

#include <sys/utsname.h>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Value.h"

namespace VersionInfo {

namespace {

std::optional<std::string> infoEntry(const char* key) {
    auto value = foundation::Bundle::main().objectForInfoDictionaryKey(key);
    if (!value.isString()) {
        return std::nullopt;
    }
    return value.stringValue();
}

foundation::Value orNil(const std::optional<std::string>& text) {
    return text ? foundation::Value(*text) : foundation::Value();
}

}  // namespace

std::optional<std::string> bundleName() {
    return infoEntry("CFBundleName");
}

std::optional<std::string> displayName() {
    return infoEntry("CFBundleDisplayName");
}

std::optional<std::string> appVersion() {
    return infoEntry("CFBundleShortVersionString");
}

std::optional<std::string> build() {
    return infoEntry("CFBundleVersion");
}

std::string versionBuild() {
    auto version = appVersion();
    auto buildNumber = build();
    auto text = foundation::format("v%@", orNil(version));
    // A missing version equals nothing, as a message to nil answers NO.
    if (!version || version != buildNumber) {
        text = foundation::format("%@ (%@)", text, orNil(buildNumber));
    }
    return text;
}

std::string versionFull() {
    return foundation::format("%@-%@", orNil(bundleName()), versionBuild());
}

std::string machineName() {
    struct utsname system {};
    if (uname(&system) != 0) {
        return {};
    }
    return system.machine;
}

}  // namespace VersionInfo
