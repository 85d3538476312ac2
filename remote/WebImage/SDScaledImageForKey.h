#pragma once

// The scale an image gets from its cache key: "@3x." in a key of eight or
// more characters gives 3, else "@2x." gives 2, else the main screen's scale.

#include <string>

#include "platform/graphics/Image.h"

// Animated images get the rule frame by frame; nullptr stays nullptr.
graphics::Image::Ptr SDScaledImageForKey(const std::string& key, const graphics::Image::Ptr& image);
