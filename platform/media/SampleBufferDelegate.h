#pragma once

// Receives the frames of a video data output on the output's callback queue.

#include "platform/media/SampleBuffer.h"

namespace media {

class CaptureOutput;

class SampleBufferDelegate {
  public:
    virtual ~SampleBufferDelegate() = default;
    // captureOutput:didOutputSampleBuffer:fromConnection:
    virtual void captureOutputDidOutputSampleBuffer(CaptureOutput& output,
                                                    const SampleBuffer& sampleBuffer) = 0;
};

}  // namespace media
