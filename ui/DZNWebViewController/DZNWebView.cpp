#include "ui/DZNWebViewController/DZNWebView.h"

DZNWebView::~DZNWebView() {
    if (observing_) {
        removeObserver(this, "estimatedProgress");
    }
}

void DZNWebView::setNavDelegate(const std::shared_ptr<DZNNavigationDelegate>& delegate) {
    observeProgress(delegate != nullptr);
    navDelegate_ = delegate;
    setNavigationDelegate(delegate);
}

void DZNWebView::observeProgress(bool observe) {
    if (observing_) {
        removeObserver(this, "estimatedProgress");
        observing_ = false;
    }
    if (!observe) {
        return;
    }
    auto me = std::static_pointer_cast<DZNWebView>(shared_from_this());
    std::weak_ptr<DZNWebView> weak = me;
    addObserver(me, "estimatedProgress", [weak](const foundation::KeyValueChange&) {
        auto self = weak.lock();
        if (!self) {
            return;
        }
        if (auto delegate = self->navDelegate()) {
            delegate->webViewDidUpdateProgress(*self, self->estimatedProgress());
        }
    });
    observing_ = true;
}
