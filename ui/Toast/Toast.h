#pragma once

// Toasts on any view: a small rounded translucent black box with an optional
// image, an optional bold title and a message, which fades in, stays for a
// while and fades out by itself; and a toast activity box with a spinner,
// one per view. Main thread only.

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "platform/ui/View.h"

namespace Toast {

// "top", "center" or "bottom" (compared without case), a centre point in the
// receiving view's coordinates, or nothing. Anything else means "bottom".
using Position = std::variant<std::monostate, std::string, graphics::Point>;

inline constexpr double kDefaultDuration = 3.0;
inline constexpr const char* kDefaultPosition = "bottom";
inline constexpr double kFadeDuration = 0.2;
inline constexpr double kPadding = 10;
inline constexpr double kImageSize = 80;
inline constexpr double kActivitySize = 100;

void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message);
void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message,
               double duration, const Position& position);
void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message,
               double duration, const Position& position, const std::optional<std::string>& title);
void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message,
               double duration, const Position& position, const graphics::Image::Ptr& image);
void makeToast(const ui::View::Ptr& view, const std::optional<std::string>& message,
               double duration, const Position& position, const std::optional<std::string>& title,
               const graphics::Image::Ptr& image);

// Shows any view as a toast (nothing for a null toast).
void showToast(const ui::View::Ptr& view, const ui::View::Ptr& toast);
void showToast(const ui::View::Ptr& view, const ui::View::Ptr& toast, double duration,
               const Position& position);

void makeToastActivity(const ui::View::Ptr& view);
void makeToastActivity(const ui::View::Ptr& view, const Position& position);
void hideToastActivity(const ui::View::Ptr& view);
// The activity box the view holds, if any.
ui::View::Ptr toastActivityView(const ui::View& view);

graphics::Point centerPointForPosition(const ui::View& view, const Position& position,
                                       const ui::View& toast);
// The toast box for the texts and image; nullptr when all three are missing.
ui::View::Ptr viewForMessage(const ui::View& view, const std::optional<std::string>& message,
                             const std::optional<std::string>& title,
                             const graphics::Image::Ptr& image);

}  // namespace Toast
