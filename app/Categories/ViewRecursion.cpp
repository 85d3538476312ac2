#include "app/Categories/ViewRecursion.h"

namespace ViewRecursion {

namespace {

void collect(const ui::View::Ptr& view, std::vector<ui::View::Ptr>& into) {
    into.push_back(view);
    for (const auto& subview : view->subviews()) {
        collect(subview, into);
    }
}

}  // namespace

std::vector<ui::View::Ptr> allSubViews(const ui::View::Ptr& view) {
    std::vector<ui::View::Ptr> views;
    if (view) {
        collect(view, views);
    }
    return views;
}

}  // namespace ViewRecursion
