#include "ads/mediation/MediationClasses.h"

#include <mutex>

#include "ads/mediation/GADMAdNetworkAdapterClass.h"
#include "ads/mediation/GADMAdapterCustomEvents.h"
#include "ads/mediation/GADMAdapterHTML.h"

namespace mediation {

void registerMediationClasses() {
    static std::once_flag registered;
    std::call_once(registered, [] {
        GADMAdNetworkAdapterClass::registerAdapterClass<GADMAdapterCustomEvents>(
            GADMAdapterCustomEvents::kClassName);
        GADMAdNetworkAdapterClass::registerAdapterClass<GADMAdapterHTML>(
            GADMAdapterHTML::kClassName);
    });
}

}  // namespace mediation
