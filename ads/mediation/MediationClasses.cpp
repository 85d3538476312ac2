#include "ads/mediation/MediationClasses.h"

#include <mutex>

#include "ads/mediation/GADMAdNetworkAdapterClass.h"
#include "ads/mediation/GADMAdapterCustomEvents.h"

namespace mediation {

void registerMediationClasses() {
    static std::once_flag registered;
    std::call_once(registered, [] {
        GADMAdNetworkAdapterClass::registerAdapterClass<GADMAdapterCustomEvents>(
            GADMAdapterCustomEvents::kClassName);
    });
}

}  // namespace mediation
