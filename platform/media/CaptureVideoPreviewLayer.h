#pragma once

// The camera's picture on screen: a layer that shows the last frame its
// capture session took, fitted to its bounds as its video gravity says.

#include <memory>

#include "platform/media/CaptureSession.h"
#include "platform/ui/Layer.h"

namespace media {

enum class VideoGravity {
    resizeAspect,      // the whole frame, bars where the shapes differ
    resizeAspectFill,  // the bounds filled, the frame's overhang cut off
    resize,            // the frame stretched to the bounds
};

class CaptureVideoPreviewLayer : public ui::Layer {
  public:
    // layerWithSession:
    static std::shared_ptr<CaptureVideoPreviewLayer> make(std::shared_ptr<CaptureSession> session);

    explicit CaptureVideoPreviewLayer(std::shared_ptr<CaptureSession> session)
        : session_(std::move(session)) {}

    const std::shared_ptr<CaptureSession>& session() const { return session_; }
    VideoGravity videoGravity() const { return gravity_; }
    void setVideoGravity(VideoGravity gravity) { gravity_ = gravity; }

    void drawInContext(graphics::BitmapContext& context) const override;

  private:
    std::shared_ptr<CaptureSession> session_;
    VideoGravity gravity_ = VideoGravity::resizeAspect;
};

}  // namespace media
