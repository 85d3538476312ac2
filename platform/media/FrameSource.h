#pragma once

// Frames for a camera: a fixed list of pictures (image files, generated
// barcode frames) shown in turn at a chosen rate, once or looping. Each
// picture is converted to a pixel format once and the buffer reused.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/media/GeneratedFrame.h"
#include "platform/media/PixelBuffer.h"

namespace media {

class FrameSource {
  public:
    FrameSource(std::vector<std::shared_ptr<const graphics::Bitmap>> frames, double framesPerSecond,
                bool loops = true);

    // The pictures of the files, in order; a file that does not decode is
    // left out with a log line. nullptr when none decodes.
    static std::shared_ptr<FrameSource> fromImageFiles(const std::vector<std::string>& paths,
                                                       double framesPerSecond, bool loops = true);
    // The frames drawn from their descriptions; one that cannot be drawn is
    // left out with a log line. nullptr when none can.
    static std::shared_ptr<FrameSource> fromGeneratedFrames(
        const std::vector<GeneratedFrame>& frames, double framesPerSecond, bool loops = true);

    // Frames a second; 0 or less means as fast as they are taken.
    double framesPerSecond() const { return framesPerSecond_; }
    bool loops() const { return loops_; }
    std::size_t frameCount() const { return frames_.size(); }

    // The next frame in `pixelFormat`; nullptr after the last one of a source
    // that does not loop.
    std::shared_ptr<PixelBuffer> nextFrame(std::uint32_t pixelFormat);
    // The index of the next frame, moving on; nullopt after the last one of a
    // source that does not loop.
    std::optional<std::size_t> advance();
    // The picture of frame `index` as it was given; nullptr past the end.
    std::shared_ptr<const graphics::Bitmap> picture(std::size_t index);
    // Frame `index` in `pixelFormat`; nullptr past the end.
    std::shared_ptr<PixelBuffer> frame(std::size_t index, std::uint32_t pixelFormat);
    void rewind();

  private:
    std::vector<std::shared_ptr<const graphics::Bitmap>> frames_;
    double framesPerSecond_;
    bool loops_;
    std::mutex mutex_;
    std::size_t next_ = 0;
    std::map<std::pair<std::size_t, std::uint32_t>, std::shared_ptr<PixelBuffer>> converted_;
};

}  // namespace media
