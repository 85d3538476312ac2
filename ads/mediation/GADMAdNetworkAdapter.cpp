#include "ads/mediation/GADMAdNetworkAdapter.h"

#include "ads/mediation/GADMAdNetworkAdapterClass.h"
#include "ads/mediation/MediationClasses.h"
#include "platform/foundation/ClassRegistry.h"

std::optional<std::set<std::string>> GADMAdNetworkAdapter::availableAdapterNames() {
    mediation::registerMediationClasses();
    foundation::ClassRegistry& registry = foundation::ClassRegistry::shared();
    std::set<std::string> names;
    for (const std::string& name : registry.classNames()) {
        if (registry.conformsTo(name, kProtocolName)) {
            names.insert(name);
        }
    }
    if (names.empty()) {
        return std::nullopt;
    }
    return names;
}

bool GADMAdNetworkAdapter::classIsAdapterClass(const std::string& className) {
    return foundation::ClassRegistry::shared().conformsTo(className, kProtocolName);
}

bool GADMAdNetworkAdapter::classImplementsCurrentAdapterAPI(const std::string& className) {
    return GADMAdNetworkAdapterClass::classNamed(className) != nullptr;
}
