#include "platform/web/LayoutBox.h"

namespace web {

void LayoutBox::offsetBy(double dx, double dy) {
    frame = frame.offsetBy(dx, dy);
    content = content.offsetBy(dx, dy);
    for (auto& child : children) {
        child.offsetBy(dx, dy);
    }
}

}  // namespace web
