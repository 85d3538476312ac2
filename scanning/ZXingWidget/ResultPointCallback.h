#pragma once

// Hears, on the decoding thread, of the points where a reader found a
// possible symbol.

class ResultPointCallback {
  public:
    virtual ~ResultPointCallback() = default;
    virtual void foundPossibleResultPoint(double x, double y) = 0;
};
