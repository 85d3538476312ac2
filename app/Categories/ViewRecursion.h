#pragma once

// Flattening a view tree: the view and all of its descendants in one list.

#include <vector>

#include "platform/ui/View.h"

namespace ViewRecursion {

// allSubViews : `view` followed by the allSubViews of each of its subviews in
// order (depth first, every view before its descendants).
std::vector<ui::View::Ptr> allSubViews(const ui::View::Ptr& view);

}  // namespace ViewRecursion
