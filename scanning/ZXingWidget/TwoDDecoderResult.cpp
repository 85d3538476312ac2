#include "scanning/ZXingWidget/TwoDDecoderResult.h"

#include "platform/foundation/Format.h"

std::string TwoDDecoderResult::description() const {
    return foundation::format("<%s: %p> %s", "TwoDDecoderResult", static_cast<const void*>(this),
                              text.c_str());
}
