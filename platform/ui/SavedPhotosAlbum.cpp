#include "platform/ui/SavedPhotosAlbum.h"

#include <mutex>

#include "platform/foundation/ProcessState.h"

namespace ui {

namespace {

struct Album {
    std::mutex mutex;
    std::vector<graphics::Image::Ptr> images;
};

Album& album() {
    static Album* const shared = foundation::ProcessState::withReset(new Album(), [](Album& a) {
        std::lock_guard lock(a.mutex);
        a.images.clear();
    });
    return *shared;
}

}  // namespace

void SavedPhotosAlbum::writeImage(const graphics::Image::Ptr& image) {
    if (!image) {
        return;
    }
    std::lock_guard lock(album().mutex);
    album().images.push_back(image);
}

std::vector<graphics::Image::Ptr> SavedPhotosAlbum::images() {
    std::lock_guard lock(album().mutex);
    return album().images;
}

}  // namespace ui
