#include "ads/api/GADMediationClasses.h"

#include <mutex>

namespace {

struct Installed {
    std::mutex lock;
    std::shared_ptr<GADMediationClasses> classes;
};

Installed& installedClasses() {
    static auto* const installed = new Installed();
    return *installed;
}

}  // namespace

void GADMediationClasses::install(std::shared_ptr<GADMediationClasses> classes) {
    Installed& installed = installedClasses();
    std::lock_guard lock(installed.lock);
    installed.classes = std::move(classes);
}

std::shared_ptr<GADMediationClasses> GADMediationClasses::installed() {
    Installed& installed = installedClasses();
    std::lock_guard lock(installed.lock);
    return installed.classes;
}
