#pragma once

// Finding a view of a given class inside a view tree: the screens use it to
// reach views that platform containers build internally (the camera preview).

#include <cstdint>
#include <memory>

#include "platform/ui/View.h"

namespace ADBSubviews {

// firstSubviewOfClass:maxDeepnessLevel: : the first view of class T (or a
// subclass) among the subviews of `view`, searched at most `maxDeepnessLevel`
// levels down. Each level checks all of its direct subviews before it searches
// inside any of them, so an earlier branch's deeper match still wins over a
// later branch's shallower one. The view itself is never a match.
template <typename T>
std::shared_ptr<T> firstSubviewOfClass(const ui::View& view, std::int64_t maxDeepnessLevel) {
    if (maxDeepnessLevel <= 0) {
        return nullptr;
    }
    for (const auto& subview : view.subviews()) {
        if (auto match = std::dynamic_pointer_cast<T>(subview)) {
            return match;
        }
    }
    for (const auto& subview : view.subviews()) {
        if (auto match = firstSubviewOfClass<T>(*subview, maxDeepnessLevel - 1)) {
            return match;
        }
    }
    return nullptr;
}

// firstSubviewOfClass: : the same, three levels down.
template <typename T>
std::shared_ptr<T> firstSubviewOfClass(const ui::View& view) {
    return firstSubviewOfClass<T>(view, 3);
}

}  // namespace ADBSubviews
