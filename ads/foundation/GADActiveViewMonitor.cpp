#include "ads/foundation/GADActiveViewMonitor.h"

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADWeakTimerTarget.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

std::shared_ptr<GADActiveViewMonitor> GADActiveViewMonitor::make(
    const std::shared_ptr<ui::View>& view,
    const std::optional<foundation::Array>& refreshIntervals) {
    if (!view || !refreshIntervals) {
        return nullptr;
    }
    return std::shared_ptr<GADActiveViewMonitor>(new GADActiveViewMonitor(view, *refreshIntervals));
}

GADActiveViewMonitor::GADActiveViewMonitor(const std::shared_ptr<ui::View>& view,
                                           foundation::Array intervals)
    : monitoredView_(view),
      refreshIntervals_(std::move(intervals)),
      lockQueue_(foundation::DispatchQueue::makeSerial(kLockQueueLabel)) {}

GADActiveViewMonitor::~GADActiveViewMonitor() {
    stopMonitoring();
}

double GADActiveViewMonitor::nextRefreshInterval() {
    if (refreshIntervals_.empty()) {
        return 0;
    }
    if (nextRefreshIntervalIndex_ >= refreshIntervals_.size()) {
        nextRefreshIntervalIndex_ = refreshIntervals_.size() - 1;
    }
    const foundation::Value& entry = refreshIntervals_[nextRefreshIntervalIndex_];
    ++nextRefreshIntervalIndex_;
    return entry.isNumber() ? entry.doubleValue() : 0;
}

void GADActiveViewMonitor::startMonitoring() {
    GADMacros::runSynchronouslyOnMainThreadWithBlock([this] {
        if (!activeViewMonitorEnabled_ || updateViewBoundsTimer_) {
            return;
        }
        const double interval = nextRefreshInterval();
        if (interval <= 0) {
            activeViewMonitorEnabled_ = false;
        }
        updateViewBoundsTimer_ = GADWeakTargetAdditions::gad_timerWithTimeInterval(
            interval, weak_from_this(), &GADActiveViewMonitor::updateViewBoundsTimerCallback,
            false);
        foundation::RunLoop::main().addTimer(updateViewBoundsTimer_);
    });
}

void GADActiveViewMonitor::sample() {
    GADMacros::runSynchronouslyOnMainThreadWithBlock([this] {
        if (activeViewMonitorEnabled_) {
            updateViewBounds();
        }
    });
}

void GADActiveViewMonitor::stopMonitoring() {
    GADMacros::runSynchronouslyOnMainThreadWithBlock([this] { cancelTimer(); });
}

void GADActiveViewMonitor::cancelTimer() {
    if (updateViewBoundsTimer_) {
        updateViewBoundsTimer_->invalidate();
        updateViewBoundsTimer_.reset();
    }
}

void GADActiveViewMonitor::updateViewBoundsTimerCallback(foundation::Timer&) {
    auto keepAlive = shared_from_this();
    stopMonitoring();
    updateViewBounds();
    startMonitoring();
}

void GADActiveViewMonitor::updateViewBounds() {
    auto view = monitoredView();
    const auto window = view ? view->window() : nullptr;
    bool candidate = view && !view->isHidden() && window && !window->isHidden() &&
                     ui::Application::shared().applicationState() == ui::ApplicationState::active;
    graphics::Rect visible;
    if (window) {
        visible = view->convertRectToView(view->bounds(), nullptr);
        for (auto above = view->superview(); above; above = above->superview()) {
            if (candidate && above->isHidden()) {
                candidate = false;
            }
            if (above->clipsToBounds()) {
                visible = visible.intersection(above->convertRectToView(above->bounds(), nullptr));
                if (visible.isNull()) {
                    visible = graphics::Rect();
                    break;
                }
            }
        }
    }
    visible = visible.intersection(GADDevice::currentDevice().standardizedApplicationFrame());
    if (visible.isNull()) {
        visible = graphics::Rect();
    }
    const bool verdict = candidate && !(visible == graphics::Rect());
    lockQueue_->async([guarded = guarded_, visible, verdict] {
        guarded->monitoredViewVisibleBounds = visible;
        guarded->monitoredViewVisible = verdict;
    });
    if (auto told = delegate()) {
        told->didRefreshActiveViewMonitor(*this);
    }
}

graphics::Rect GADActiveViewMonitor::monitoredViewVisibleBounds() const {
    graphics::Rect bounds;
    lockQueue_->sync([&] { bounds = guarded_->monitoredViewVisibleBounds; });
    return bounds;
}

bool GADActiveViewMonitor::isMonitoredViewVisible() const {
    bool visible = false;
    lockQueue_->sync([&] { visible = guarded_->monitoredViewVisible; });
    return visible;
}

std::shared_ptr<GADActiveViewMonitorDelegate> GADActiveViewMonitor::delegate() const {
    std::shared_ptr<GADActiveViewMonitorDelegate> delegate;
    lockQueue_->sync([&] { delegate = guarded_->delegate; });
    return delegate;
}

void GADActiveViewMonitor::setDelegate(std::shared_ptr<GADActiveViewMonitorDelegate> delegate) {
    lockQueue_->async([guarded = guarded_, delegate = std::move(delegate)]() mutable {
        std::swap(guarded->delegate, delegate);
        // The delegate let go is released on the main thread, where it lives.
        if (delegate) {
            foundation::DispatchQueue::main()->async([released = std::move(delegate)] {});
        }
    });
}
