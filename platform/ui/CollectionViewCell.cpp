#include "platform/ui/CollectionViewCell.h"

namespace ui {

CollectionViewCell::CollectionViewCell(const graphics::Rect& frame) : View(frame) {}

// Made on first use: the cell must be owned by a shared pointer to hold it.
const View::Ptr& CollectionViewCell::contentView() {
    if (!contentView_) {
        contentView_ = std::make_shared<View>(bounds());
        addSubview(contentView_);
    }
    return contentView_;
}

}  // namespace ui
