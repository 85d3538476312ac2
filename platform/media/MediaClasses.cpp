#include "platform/media/MediaClasses.h"

#include "platform/foundation/ClassRegistry.h"

namespace media {

void registerMediaClasses() {
    auto& registry = foundation::ClassRegistry::shared();
    registry.registerName({"AVCaptureSession", "NSObject", {}});
    registry.registerName({"AVCaptureDevice", "NSObject", {}});
}

}  // namespace media
