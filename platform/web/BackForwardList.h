#pragma once

// The main frame's history: the pages visited in order and where the view is
// in it.

#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/URL.h"

namespace web {

struct BackForwardItem {
    foundation::URL url;
    std::string title;
    // The markup of a page loaded from a string, shown again on return.
    std::optional<std::string> html;
};

class BackForwardList {
  public:
    const std::vector<BackForwardItem>& items() const { return items_; }
    // -1 while empty.
    int currentIndex() const { return index_; }

    const BackForwardItem* currentItem() const { return itemAt(0); }
    const BackForwardItem* backItem() const { return itemAt(-1); }
    const BackForwardItem* forwardItem() const { return itemAt(1); }
    // Relative to the current item.
    const BackForwardItem* itemAt(int offset) const;
    std::vector<BackForwardItem> backList() const;
    std::vector<BackForwardItem> forwardList() const;

    // A new page: the forward items go.
    void push(BackForwardItem item);
    void moveTo(int index);
    void setCurrentTitle(std::string title);
    void clear();

  private:
    std::vector<BackForwardItem> items_;
    int index_ = -1;
};

}  // namespace web
