#pragma once

// Marker base of every network-extras object a request carries; a request
// keeps one extras object per class, keyed by the class name.

#include <string>

class GADAdNetworkExtras {
  public:
    virtual ~GADAdNetworkExtras() = default;
    // The name the request files the object under.
    virtual std::string className() const = 0;
};
