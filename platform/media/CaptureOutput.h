#pragma once

// What a capture session sends its frames to; the video data output is the
// one kind there is.

namespace media {

class CaptureOutput {
  public:
    virtual ~CaptureOutput() = default;
};

}  // namespace media
