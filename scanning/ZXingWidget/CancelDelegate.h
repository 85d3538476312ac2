#pragma once

// Told when the user cancels the scanning widget's viewfinder.

class CancelDelegate {
  public:
    virtual ~CancelDelegate() = default;
    virtual void cancelled() = 0;
};
