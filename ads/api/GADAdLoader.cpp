#include "ads/api/GADAdLoader.h"

#include <algorithm>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdLoaderDelegate.h"
#include "ads/api/GADAdPreprocessor.h"
#include "ads/api/GADAppEventAdLoader.h"
#include "ads/api/GADNativeAd.h"
#include "ads/api/GADNativeAdTables.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADErrorCode.h"
#include "ads/foundation/GADInternalErrorAdditions.h"
#include "ads/foundation/GADMacros.h"

std::shared_ptr<GADAdLoader> GADAdLoader::make(
    const std::string& adUnitID, const std::shared_ptr<ui::ViewController>& rootViewController,
    const std::vector<std::string>& adTypes) {
    std::set<const GADNativeAdClass*> classes;
    for (const auto& adType : adTypes) {
        std::optional<foundation::Error> error;
        const GADNativeAdClass* adClass = GADNativeAdClassForAdType(adType, &error);
        if (!adClass) {
            GADMacros::pubLog("Error: " + error->localizedDescription);
            return nullptr;
        }
        classes.insert(adClass);
    }
    std::shared_ptr<GADAdLoader> loader(new GADAdLoader());
    loader->adTypes_ = std::move(classes);
    loader->adUnitID_ = adUnitID;
    loader->rootViewController_ = rootViewController;
    loader->slot_ = GADSlot::make();
    loader->slot_->setSlotDelegate(loader);
    loader->slot_->setAdResponseDelegate(loader);
    loader->slot_->setAdUnitID(adUnitID);
    return loader;
}

bool GADAdLoader::delegateIsValidForAdClass(const std::shared_ptr<GADAdLoaderDelegate>& delegate,
                                            const GADNativeAdClass& adClass,
                                            std::optional<foundation::Error>* error) {
    if (delegate && adClass.delegateConformsToRequiredProtocol(*delegate)) {
        return true;
    }
    if (error) {
        *error = GADInternalErrorAdditions::gad_errorWithCode(
            3, "Delegate does not conform to the required protocol, " +
                   adClass.requiredDelegateProtocol + ".");
    }
    return false;
}

void GADAdLoader::setDelegate(const std::shared_ptr<GADAdLoaderDelegate>& delegate) {
    if (delegate == this->delegate()) {
        return;
    }
    if (delegate) {
        for (const GADNativeAdClass* adClass : adTypes_) {
            std::optional<foundation::Error> error;
            if (!delegateIsValidForAdClass(delegate, *adClass, &error)) {
                GADMacros::pubLog(error->localizedDescription);
                return;
            }
        }
    }
    delegate_ = delegate;
}

void GADAdLoader::loadRequest(const std::shared_ptr<GADRequest>& request) {
    const auto loader =
        std::make_shared<GADAppEventAdLoader>(adUnitID_, rootViewController(), adTypes_);
    loader->setDelegate(shared_from_this());
    appEventAdLoaders_.push_back(loader);
    loader->loadRequest(request);
}

void GADAdLoader::removeAppEventAdLoader(const GADAppEventAdLoader& loader) {
    std::erase_if(appEventAdLoaders_, [&](const auto& each) { return each.get() == &loader; });
}

std::shared_ptr<GADAdLoader> GADAdLoader::adLoaderForAppEventAdLoader(GADAppEventAdLoader&) {
    return shared_from_this();
}

void GADAdLoader::appEventAdLoaderDidReceiveAd(GADAppEventAdLoader& loader,
                                               const std::shared_ptr<GADNativeAd>& nativeAd) {
    // The app-event loader is still in its own call.
    const auto keepAlive = loader.shared_from_this();
    removeAppEventAdLoader(loader);
    deliverAd(nativeAd);
}

void GADAdLoader::appEventAdLoaderDidFailToReceiveAdWithError(GADAppEventAdLoader& loader,
                                                              const GADRequestError& error) {
    const auto keepAlive = loader.shared_from_this();
    removeAppEventAdLoader(loader);
    failWithError(error);
}

void GADAdLoader::failWithError(const GADRequestError& error) {
    if (const auto listener = delegate()) {
        listener->adLoaderDidFailToReceiveAdWithError(*this, error);
    }
}

void GADAdLoader::slotDidFailToReceiveAdWithError(GADSlot&,
                                                  const std::shared_ptr<GADRequestError>& error) {
    failWithError(error ? *error : GADRequestError::errorWithCode(kGADErrorInternalError));
}

bool GADAdLoader::slotDidReceiveAd(GADSlot&, const std::shared_ptr<GADAd>& ad) {
    if (!ad || ad->responseType() != kGADAdResponseTypeNative) {
        return false;
    }
    // The handler keeps this loader and the preprocessor until it has run.
    const auto self = shared_from_this();
    const auto preprocessor = GADAdPreprocessor::make(adUnitID_);
    preprocessor->preprocessNativeAdJSON(
        ad->adHTML().value_or(""),
        [self, preprocessor](const std::optional<foundation::Dictionary>& configuration,
                             const std::shared_ptr<GADSlot>& slot,
                             const std::optional<foundation::Error>&) {
            self->preprocessorDidFinish(*preprocessor, configuration, slot);
        });
    adPreprocessors_.push_back(preprocessor);
    slot_->didReceiveValidAd();
    return true;
}

void GADAdLoader::preprocessorDidFinish(const GADAdPreprocessor& preprocessor,
                                        const std::optional<foundation::Dictionary>& configuration,
                                        const std::shared_ptr<GADSlot>& slot) {
    std::erase_if(adPreprocessors_, [&](const auto& each) { return each.get() == &preprocessor; });
    const GADNativeAdClass* adClass =
        configuration ? GADNativeAd::classFromAdConfigurationDictionary(*configuration) : nullptr;
    const auto adObject =
        adClass && adTypes_.contains(adClass)
            ? GADNativeAd::firstAdObjectInAdConfigurationDictionary(*configuration)
            : std::nullopt;
    const auto ad = adObject ? adClass->make(*adObject) : nullptr;
    if (!ad) {
        failWithError(GADRequestError::errorWithCode(kGADErrorReceivedInvalidResponse));
        return;
    }
    nativeAds_.push_back(ad);
    ad->setAdUnitID(adUnitID_);
    ad->setRootViewController(rootViewController());
    ad->setLoadingDelegate(shared_from_this());
    ad->setSlot(slot);
    ad->loadAssets();
}

std::shared_ptr<GADNativeAd> GADAdLoader::removeNativeAd(const GADNativeAd& nativeAd) {
    const auto found = std::find_if(nativeAds_.begin(), nativeAds_.end(),
                                    [&](const auto& each) { return each.get() == &nativeAd; });
    if (found == nativeAds_.end()) {
        return nullptr;
    }
    const auto ad = *found;
    nativeAds_.erase(found);
    return ad;
}

void GADAdLoader::nativeAdDidFinishLoadingAssets(GADNativeAd& nativeAd) {
    if (const auto ad = removeNativeAd(nativeAd)) {
        deliverAd(ad);
    }
}

void GADAdLoader::nativeAdDidFailToLoadRequiredAssets(GADNativeAd& nativeAd) {
    if (const auto ad = removeNativeAd(nativeAd)) {
        failWithError(GADRequestError::errorWithCode(kGADErrorNetworkError));
    }
}

void GADAdLoader::deliverAd(const std::shared_ptr<GADNativeAd>& nativeAd) {
    const auto listener = delegate();
    std::optional<foundation::Error> error;
    if (delegateIsValidForAdClass(listener, nativeAd->nativeAdClass(), &error)) {
        nativeAd->didReceiveAdForAdLoader(*this);
        return;
    }
    if (listener) {
        listener->adLoaderDidFailToReceiveAdWithError(
            *this, GADRequestError::errorWithCode(kGADErrorInvalidRequest, *error));
    }
}
