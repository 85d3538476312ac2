#pragma once

// Samples, on a schedule of refresh intervals, which part of an ad's view is
// really on screen and whether it counts as visible, and tells its delegate
// after every sample. Sampling, arming and cancelling run on the main thread
// (callers elsewhere wait for it); the last results and the delegate are
// guarded by the monitor's own serial queue.

#include <cstddef>
#include <memory>
#include <optional>

#include "ads/foundation/GADActiveViewMonitorDelegate.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/View.h"

class GADActiveViewMonitor : public std::enable_shared_from_this<GADActiveViewMonitor> {
  public:
    // initWithView:refreshIntervals: ; nullptr unless both are given. The
    // view is held weakly; intervals are seconds, an entry that is not a
    // number counts as 0.
    static std::shared_ptr<GADActiveViewMonitor> make(
        const std::shared_ptr<ui::View>& view,
        const std::optional<foundation::Array>& refreshIntervals);
    ~GADActiveViewMonitor();
    GADActiveViewMonitor(const GADActiveViewMonitor&) = delete;
    GADActiveViewMonitor& operator=(const GADActiveViewMonitor&) = delete;

    // Arms one sample timer with the next interval unless the monitor is
    // disabled or a timer is pending; an interval of 0 or less disables the
    // monitor after that last sample.
    void startMonitoring();
    // One sample now, while enabled.
    void sample();
    // Cancels the pending timer; the schedule position is kept.
    void stopMonitoring();
    void updateViewBoundsTimerCallback(foundation::Timer& timer);
    // One sample: stores the visible part (window coordinates, the zero
    // rectangle when nothing shows) and the verdict, then tells the delegate.
    void updateViewBounds();

    graphics::Rect monitoredViewVisibleBounds() const;
    bool isMonitoredViewVisible() const;
    std::shared_ptr<GADActiveViewMonitorDelegate> delegate() const;
    // Held strongly until given nullptr.
    void setDelegate(std::shared_ptr<GADActiveViewMonitorDelegate> delegate);

    std::shared_ptr<ui::View> monitoredView() const { return monitoredView_.lock(); }
    const foundation::Array& refreshIntervals() const { return refreshIntervals_; }
    std::size_t nextRefreshIntervalIndex() const { return nextRefreshIntervalIndex_; }
    void setNextRefreshIntervalIndex(std::size_t index) { nextRefreshIntervalIndex_ = index; }
    const std::shared_ptr<foundation::Timer>& updateViewBoundsTimer() const {
        return updateViewBoundsTimer_;
    }
    bool activeViewMonitorEnabled() const { return activeViewMonitorEnabled_; }
    void setActiveViewMonitorEnabled(bool enabled) { activeViewMonitorEnabled_ = enabled; }

    static constexpr const char* kLockQueueLabel = "com.dezuvo.zizez.active-view-monitor";

  private:
    GADActiveViewMonitor(const std::shared_ptr<ui::View>& view, foundation::Array intervals);
    // The next interval of the schedule; the last one repeats for ever, an
    // empty schedule gives 0.
    double nextRefreshInterval();
    void cancelTimer();

    std::weak_ptr<ui::View> monitoredView_;
    foundation::Array refreshIntervals_;
    std::size_t nextRefreshIntervalIndex_ = 0;
    std::shared_ptr<foundation::Timer> updateViewBoundsTimer_;
    bool activeViewMonitorEnabled_ = true;
    // What the lock queue guards; shared with its blocks, so they never keep
    // the monitor itself alive.
    struct Guarded {
        std::shared_ptr<GADActiveViewMonitorDelegate> delegate;
        graphics::Rect monitoredViewVisibleBounds;
        bool monitoredViewVisible = false;
    };
    std::shared_ptr<foundation::DispatchQueue> lockQueue_;
    std::shared_ptr<Guarded> guarded_ = std::make_shared<Guarded>();
};
