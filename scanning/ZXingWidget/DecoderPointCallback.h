#pragma once

// The point callback a frame decoder hands each reader it tries: every
// point the reader reports goes to that decoder.

#include "scanning/ZXingWidget/ResultPointCallback.h"

class Decoder;

class DecoderPointCallback : public ResultPointCallback {
  public:
    explicit DecoderPointCallback(Decoder& decoder) : decoder_(decoder) {}

    Decoder& decoder() const { return decoder_; }
    void foundPossibleResultPoint(double x, double y) override;

  private:
    Decoder& decoder_;
};
