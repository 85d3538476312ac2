#include "platform/ui/Touch.h"

#include "platform/ui/View.h"

namespace ui {

graphics::Point Touch::locationInView(const View* view) const {
    return view ? view->convertPointFromView(windowLocation, nullptr) : windowLocation;
}

graphics::Point Touch::previousLocationInView(const View* view) const {
    return view ? view->convertPointFromView(previousWindowLocation, nullptr)
                : previousWindowLocation;
}

}  // namespace ui
