#pragma once

// The general pasteboard: the last string, URL or image copied, with a count
// of changes.

#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Image.h"

namespace ui {

class Pasteboard {
  public:
    static Pasteboard& generalPasteboard();

    std::optional<std::string> string() const {
        return strings_.empty() ? std::nullopt : std::optional(strings_.front());
    }
    void setString(std::string text);
    const std::vector<std::string>& strings() const { return strings_; }
    void setStrings(std::vector<std::string> texts);
    const std::optional<std::string>& url() const { return url_; }
    void setURL(std::string url);
    const graphics::Image::Ptr& image() const { return image_; }
    void setImage(graphics::Image::Ptr image);
    long changeCount() const { return changeCount_; }

    // Empties the pasteboard (the change count goes on).
    void clear();

  private:
    std::vector<std::string> strings_;
    std::optional<std::string> url_;
    graphics::Image::Ptr image_;
    long changeCount_ = 0;
};

}  // namespace ui
