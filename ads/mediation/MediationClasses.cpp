#include "ads/mediation/MediationClasses.h"

#include "ads/api/GADMediationClasses.h"
#include "ads/mediation/GADMAdNetworkAdapter.h"
#include "ads/mediation/GADMAdNetworkAdapterClass.h"
#include "ads/mediation/GADMAdapterCustomEvents.h"
#include "ads/mediation/GADMAdapterDezuvoZiZezAds.h"
#include "ads/mediation/GADMAdapterHTML.h"
#include "ads/mediation/GADMToGADGlue.h"

namespace {

class RegisteredMediationClasses : public GADMediationClasses {
  public:
    void registerClasses() override { mediation::registerMediationClasses(); }
    std::optional<std::set<std::string>> availableAdapterNames() override {
        return GADMAdNetworkAdapter::availableAdapterNames();
    }
};

}  // namespace

namespace mediation {

void registerMediationClasses() {
    if (!GADMediationClasses::installed()) {
        GADMediationClasses::install(std::make_shared<RegisteredMediationClasses>());
    }
    foundation::ClassRegistry& registry = foundation::ClassRegistry::shared();
    if (!registry.exists(GADMAdapterCustomEvents::kClassName)) {
        GADMAdNetworkAdapterClass::registerAdapterClass<GADMAdapterCustomEvents>(
            GADMAdapterCustomEvents::kClassName);
    }
    if (!registry.exists(GADMAdapterDezuvoZiZezAds::kClassName)) {
        GADMAdNetworkAdapterClass::registerAdapterClass<GADMAdapterDezuvoZiZezAds>(
            GADMAdapterDezuvoZiZezAds::kClassName);
    }
    if (!registry.exists(GADMAdapterHTML::kClassName)) {
        GADMAdNetworkAdapterClass::registerAdapterClass<GADMAdapterHTML>(
            GADMAdapterHTML::kClassName);
    }
    if (!registry.exists(GADSlotMediationGlue::kClassName)) {
        registry.registerClass<GADSlotMediationGlue>(
            {GADSlotMediationGlue::kClassName, "NSObject", {}},
            [] { return std::static_pointer_cast<GADSlotMediationGlue>(GADMToGADGlue::make()); });
    }
}

}  // namespace mediation
