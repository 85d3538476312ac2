#include "scanning/ZXingWidget/DecoderPointCallback.h"

#include "scanning/ZXingWidget/Decoder.h"

void DecoderPointCallback::foundPossibleResultPoint(double x, double y) {
    decoder_.resultPointCallback({x, y});
}
