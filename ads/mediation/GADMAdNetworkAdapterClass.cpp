#include "ads/mediation/GADMAdNetworkAdapterClass.h"

std::shared_ptr<const GADMAdNetworkAdapterClass> GADMAdNetworkAdapterClass::classNamed(
    const std::string& name) {
    return foundation::ClassRegistry::shared().make<GADMAdNetworkAdapterClass>(name);
}
