#include "platform/web/BackForwardList.h"

namespace web {

const BackForwardItem* BackForwardList::itemAt(int offset) const {
    const int index = index_ + offset;
    if (index_ < 0 || index < 0 || index >= static_cast<int>(items_.size())) {
        return nullptr;
    }
    return &items_[static_cast<std::size_t>(index)];
}

std::vector<BackForwardItem> BackForwardList::backList() const {
    if (index_ <= 0) {
        return {};
    }
    return {items_.begin(), items_.begin() + index_};
}

std::vector<BackForwardItem> BackForwardList::forwardList() const {
    if (index_ < 0) {
        return {};
    }
    return {items_.begin() + index_ + 1, items_.end()};
}

void BackForwardList::push(BackForwardItem item) {
    items_.erase(items_.begin() + (index_ + 1), items_.end());
    items_.push_back(std::move(item));
    index_ = static_cast<int>(items_.size()) - 1;
}

void BackForwardList::moveTo(int index) {
    if (index >= 0 && index < static_cast<int>(items_.size())) {
        index_ = index;
    }
}

void BackForwardList::setCurrentTitle(std::string title) {
    if (index_ >= 0) {
        items_[static_cast<std::size_t>(index_)].title = std::move(title);
    }
}

void BackForwardList::clear() {
    items_.clear();
    index_ = -1;
}

}  // namespace web
