#pragma once

// What the owner of a viewability monitor hears after every sample.

class GADActiveViewMonitor;

class GADActiveViewMonitorDelegate {
  public:
    virtual ~GADActiveViewMonitorDelegate() = default;
    virtual void didRefreshActiveViewMonitor(GADActiveViewMonitor& monitor) = 0;
};
