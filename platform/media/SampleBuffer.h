#pragma once

// One delivery of a video data output: the frame's pixel buffer with the
// sample count and the validity and readiness flags a reader checks first.

#include <memory>

#include "platform/foundation/Clock.h"
#include "platform/media/PixelBuffer.h"

namespace media {

struct SampleBuffer {
    std::shared_ptr<PixelBuffer> imageBuffer;
    int numSamples = 1;
    bool valid = true;
    bool dataReady = true;
    // Seconds on the monotonic clock when the frame was taken.
    foundation::TimeInterval presentationTime = 0;
};

}  // namespace media
