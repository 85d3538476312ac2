#include "ads/mediation/GADMAdNetworkConfig.h"

#include <vector>

#include "ads/mediation/GADMAdNetworkAdapter.h"
#include "ads/mediation/GADMAdNetworkAdapterClass.h"
#include "ads/mediation/GADMResponseValues.h"
#include "ads/mediation/MediationClasses.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/StringUtilities.h"

namespace {

using GADMResponseValues::arrayAt;
using GADMResponseValues::dictionaryAt;

}  // namespace

std::shared_ptr<GADMAdNetworkConfig> GADMAdNetworkConfig::make(
    const foundation::Dictionary& dictionary, std::optional<GADRequestError>& error) {
    error.reset();
    const auto id = dictionary.find("id");
    if (id == dictionary.end()) {
        error = GADRequestError::errorWithCode(
            kGADErrorMediationDataError,
            std::string("The ZiZez Mediation response was invalid: An ad network config has no "
                        "network ID."));
        return nullptr;
    }
    if (!id->second.isString() && !id->second.isNumber()) {
        error = GADRequestError::errorWithCode(
            kGADErrorMediationDataError,
            std::string("The ZiZez Mediation response was invalid: An ad network config has an "
                        "invalid network ID."));
        return nullptr;
    }
    auto config = std::shared_ptr<GADMAdNetworkConfig>(new GADMAdNetworkConfig);
    config->networkID_ = id->second.stringValue();
    config->credentials_ = dictionaryAt(dictionary, "data");
    config->extras_ = dictionaryAt(dictionary, "extras");
    config->ad_ = dictionaryAt(dictionary, "ad");
    const auto allocation = dictionary.find("allocation_id");
    if (allocation != dictionary.end()) {
        config->allocationID_ = GADMResponseValues::textOf(allocation->second);
    }
    config->impressionURLs_ = arrayAt(dictionary, "imp_urls");
    config->adapterList_ = arrayAt(dictionary, "adapters");
    error = config->findAdapterClass();
    return config;
}

std::optional<GADRequestError> GADMAdNetworkConfig::findAdapterClass() {
    mediation::registerMediationClasses();
    foundation::ClassRegistry& registry = foundation::ClassRegistry::shared();
    std::vector<std::string> oldAPINames;
    for (const foundation::Value& item : adapterList_.value_or(foundation::Array{})) {
        const std::string* name = item.asString();
        if (!name || !registry.exists(*name)) {
            continue;
        }
        if (!GADMAdNetworkAdapter::classImplementsCurrentAdapterAPI(*name)) {
            oldAPINames.push_back(*name);
            continue;
        }
        if (GADMAdNetworkAdapter::classIsAdapterClass(*name)) {
            adapterClass_ = GADMAdNetworkAdapterClass::classNamed(*name);
            break;
        }
    }
    if (!oldAPINames.empty()) {
        const std::string suffix =
            adapterClass_ ? "" : " No valid adapters found for this ad network.";
        const std::string message =
            oldAPINames.size() == 1
                ? "Ad network adapter " + oldAPINames.front() +
                      " implements an old API. Please update the adapter." + suffix
                : "Ad network adapters (" + foundation::join(oldAPINames, ", ") +
                      ") implement an old API. Please update the adapters." + suffix;
        return GADRequestError::errorWithCode(kGADErrorMediationAdapterError, message);
    }
    if (!adapterClass_) {
        const std::string names =
            adapterList_ ? foundation::Value(*adapterList_).description() : "(null)";
        return GADRequestError::errorWithCode(
            kGADErrorMediationAdapterError,
            "Cannot find an ad network adapter with the name(s): " + names +
                ". Remember to link all required ad network adapters and SDKs, and set -ObjC in "
                "the 'Other Linker Flags' setting of your build target.");
    }
    return std::nullopt;
}

std::optional<std::string> GADMAdNetworkConfig::publisherID() const {
    if (!credentials_) {
        return std::nullopt;
    }
    const auto found = credentials_->find("pubid");
    if (found == credentials_->end()) {
        return std::nullopt;
    }
    return GADMResponseValues::textOf(found->second);
}

std::string GADMAdNetworkConfig::description() const {
    const std::string adapter = adapterClass_ ? adapterClass_->name() : "(null)";
    std::string data = "(null)";
    if (std::optional<std::string> publisher = publisherID()) {
        data = *publisher;
    } else if (credentials_) {
        data = foundation::Value(*credentials_).description();
    }
    return "networkID:" + networkID_ + " adapter:" + adapter + " data:" + data;
}
