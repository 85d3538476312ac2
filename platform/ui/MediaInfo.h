#pragma once

// The info dictionary of a picked photo: values of any type by key (the
// picture under "UIImagePickerControllerOriginalImage", its media type under
// "UIImagePickerControllerMediaType"; readers add their own entries).

#include <any>
#include <map>
#include <string>

namespace ui {

using MediaInfo = std::map<std::string, std::any>;

inline constexpr const char* ImagePickerControllerOriginalImage =
    "UIImagePickerControllerOriginalImage";
inline constexpr const char* ImagePickerControllerEditedImage =
    "UIImagePickerControllerEditedImage";
inline constexpr const char* ImagePickerControllerMediaType = "UIImagePickerControllerMediaType";

}  // namespace ui
