#pragma once

// Adapters written for the tests, registered under their own names: one
// fails at once, one never answers, one fills at once, one records and waits
// for the test to make it answer. Every adapter alive is listed so a test can
// make a network answer late.

#include <memory>
#include <string>
#include <vector>

#include "ads/mediation/GADMAdNetworkAdapter.h"
#include "ads/mediation/GADMAdNetworkAdapterClass.h"
#include "ads/mediation/GADMAdNetworkConnector.h"
#include "platform/ui/View.h"

namespace mediation_test {

enum class Behaviour { Fail, Silent, Fill };

class TestAdapter : public GADMAdNetworkAdapter {
  public:
    TestAdapter(std::shared_ptr<GADMAdNetworkConnector> connector, Behaviour behaviour)
        : connector_(connector), behaviour_(behaviour) {
        live().push_back(this);
    }
    ~TestAdapter() override { std::erase(live(), this); }

    static std::string adapterVersion() { return "1.0"; }
    // Adapters alive, oldest first.
    static std::vector<TestAdapter*>& live() {
        static std::vector<TestAdapter*> adapters;
        return adapters;
    }

    void getBannerWithSize(GADAdSize size) override {
        bannerRequests.push_back(size);
        answer();
    }
    void getInterstitial() override {
        ++interstitialRequests;
        answer();
    }
    void stopBeingDelegate() override { ++stops; }
    bool isBannerAnimationOK(std::int64_t) override { return true; }
    void presentInterstitialFromRootViewController(
        const std::shared_ptr<ui::ViewController>&) override {
        ++presentations;
    }

    // The connector, while it lives.
    std::shared_ptr<GADMAdNetworkConnector> connector() const { return connector_.lock(); }
    void deliverBanner() {
        if (auto connector = connector_.lock()) {
            connector->adapterDidReceiveAdView(*this, view);
        }
    }
    void deliverInterstitial() {
        if (auto connector = connector_.lock()) {
            connector->adapterDidReceiveInterstitial(*this, interstitial);
        }
    }
    void fail(long code = 1, const std::string& domain = "com.dezuvo.ads") {
        if (auto connector = connector_.lock()) {
            const foundation::Error error{domain, code, "network said no"};
            if (interstitialRequests > 0) {
                connector->adapterDidFailInterstitial(*this, error);
            } else {
                connector->adapterDidFailAd(*this, error);
            }
        }
    }

    std::vector<GADAdSize> bannerRequests;
    int interstitialRequests = 0;
    int stops = 0;
    int presentations = 0;
    std::shared_ptr<ui::View> view = std::make_shared<ui::View>();
    std::shared_ptr<int> interstitial = std::make_shared<int>(7);

  private:
    void answer() {
        if (behaviour_ == Behaviour::Fail) {
            fail();
        } else if (behaviour_ == Behaviour::Fill) {
            interstitialRequests > 0 ? deliverInterstitial() : deliverBanner();
        }
    }

    std::weak_ptr<GADMAdNetworkConnector> connector_;
    Behaviour behaviour_;
};

template <Behaviour B>
class BehavingAdapter : public TestAdapter {
  public:
    explicit BehavingAdapter(std::shared_ptr<GADMAdNetworkConnector> connector)
        : TestAdapter(std::move(connector), B) {}
};

// An adapter whose class names the network's extras class.
class ExtrasAdapter : public TestAdapter {
  public:
    explicit ExtrasAdapter(std::shared_ptr<GADMAdNetworkConnector> connector)
        : TestAdapter(std::move(connector), Behaviour::Silent) {}
    static std::optional<std::string> networkExtrasClass() { return "TestExtras"; }
};

inline void registerTestAdapters() {
    GADMAdNetworkAdapterClass::registerAdapterClass<BehavingAdapter<Behaviour::Fail>>(
        "TestFailingAdapter");
    GADMAdNetworkAdapterClass::registerAdapterClass<BehavingAdapter<Behaviour::Silent>>(
        "TestSilentAdapter");
    GADMAdNetworkAdapterClass::registerAdapterClass<BehavingAdapter<Behaviour::Fill>>(
        "TestFillingAdapter");
    // A subclass finds the protocol through its superclass.
    GADMAdNetworkAdapterClass::registerAdapterClass<BehavingAdapter<Behaviour::Fill>>(
        "TestFillingSubclassAdapter", "TestFillingAdapter", {});
    GADMAdNetworkAdapterClass::registerAdapterClass<ExtrasAdapter>("TestExtrasAdapter");
    // Adopts the protocol but makes no adapters of the current protocol.
    foundation::ClassRegistry::shared().registerName(
        {"TestOldAPIAdapter", "NSObject", {GADMAdNetworkAdapter::kProtocolName}});
    foundation::ClassRegistry::shared().registerName({"TestOtherOldAPIAdapter", "NSObject", {}});
}

inline TestAdapter* lastAdapter() {
    return TestAdapter::live().empty() ? nullptr : TestAdapter::live().back();
}

}  // namespace mediation_test
