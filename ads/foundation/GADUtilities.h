#pragma once

// Free helpers of the component: the category check, URL lists from
// strings, rectangles to and from the SDK-core page's dictionaries, and
// synchronous main-thread execution.

#include <functional>
#include <optional>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"

// Whether the component's helpers are linked in (they always are here).
bool GADCategoryMethodsAreLoaded();
// One URL per string that makes one, in order; nullopt when none does.
std::optional<std::vector<foundation::URL>> GADURLArrayFromStrings(
    const foundation::Array& strings);
// The rectangle of the numbers "x", "y", "width", "height"; the zero
// rectangle and a "cg_rect_conversion" error when one is missing or no number.
graphics::Rect GADRectFromSDKCoreDictionary(const foundation::Dictionary& dictionary,
                                            foundation::Error* error = nullptr);
// "x", "y", "width", "height" of the rectangle as given.
foundation::Dictionary GADRectDictionary(const graphics::Rect& rect);
// "x", "y", "w", "h" of the standardized rectangle.
foundation::Dictionary GADRectDictionaryWithShortKeys(const graphics::Rect& rect);
// Runs the block at once on the main thread, else on the main queue, waiting.
void GADRunSyncOnMainThread(const std::function<void()>& block);
