#pragma once

// The images the ad screens carry inside the component: the browser's Back
// and Forward buttons and the close button, each kept as Base64 PNG text in
// a single- and a double-density drawing, and a transparent image. Each is
// made once per process.

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/graphics/Image.h"

class GADIntrinsicImages {
  public:
    static GADIntrinsicImages& sharedInstance();

    // The image in the Base64 PNG text, at `scale` points per pixel; nullptr
    // when the text is no image.
    static graphics::Image::Ptr imageWithBase64EncodedString(const std::string& text,
                                                             double scale = 1.0);
    // The single-density text on a screen of density 1, else the double one.
    static std::string chooseImage(const std::string& single, const std::string& doubleDensity);

    // 27 x 27 points.
    graphics::Image::Ptr browserBackButton();
    graphics::Image::Ptr browserForwardButton();
    // 25 x 25 points.
    graphics::Image::Ptr closeButton();
    // An empty, non-opaque 10 x 10 image at the screen's scale.
    graphics::Image::Ptr transparentImage();

    // Forgets the images made so far.
    void reset();

  private:
    GADIntrinsicImages() = default;
    // The text chosen for the screen, with the scale it was drawn at.
    static graphics::Image::Ptr builtInImage(const std::string& single,
                                             const std::string& doubleDensity);
    graphics::Image::Ptr once(graphics::Image::Ptr& slot,
                              const std::function<graphics::Image::Ptr()>& make);

    std::mutex mutex_;
    graphics::Image::Ptr back_;
    graphics::Image::Ptr forward_;
    graphics::Image::Ptr close_;
    graphics::Image::Ptr transparent_;
};
