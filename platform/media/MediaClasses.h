#pragma once

// Registers the capture classes by their platform names ("AVCaptureSession",
// "AVCaptureDevice") in the class registry, so code can ask whether the
// platform has a camera pipeline.

namespace media {

void registerMediaClasses();

}  // namespace media
