#pragma once

// Told by an image picker when a photo was picked or the picker was cancelled.

#include "platform/ui/MediaInfo.h"

namespace ui {

class ImagePickerController;

class ImagePickerControllerDelegate {
  public:
    virtual ~ImagePickerControllerDelegate() = default;
    virtual void imagePickerDidFinishPickingMediaWithInfo(ImagePickerController& picker,
                                                          const MediaInfo& info) {}
    virtual void imagePickerDidCancel(ImagePickerController& picker) {}
};

}  // namespace ui
