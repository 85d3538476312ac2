#include "ads/api/RAZRawHTMLAd.h"

std::optional<foundation::URL> RAZRawHTMLAd::rootOfBaseURL(
    const std::optional<foundation::URL>& base) {
    return base ? foundation::URL::fromString("/", *base) : foundation::URL::fromString("/");
}

void RAZRawHTMLAd::recordClick() {
    if (auto delegate = this->delegate()) {
        delegate->recordClick();
    }
}

void RAZRawHTMLAd::recordImpression() {
    if (auto delegate = this->delegate()) {
        delegate->recordCustomAdImpression();
    }
}

void RAZRawHTMLAd::finishedRenderingAdView(const std::shared_ptr<ui::View>& view) {
    if (auto delegate = this->delegate()) {
        delegate->finishedRenderingAdView(view);
    }
}
