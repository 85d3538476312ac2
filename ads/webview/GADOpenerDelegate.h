#pragma once

// What the owner of an opener hears after each action: that the ad showed
// something inside the application, or that it left the application (or
// showed a system composer).

class GADOpenerDelegate {
  public:
    virtual ~GADOpenerDelegate() = default;

    virtual void didOpenInApplication() = 0;
    virtual void didLeaveApplication() = 0;
};
