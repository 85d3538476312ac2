#pragma once

// One cell of a collection view: a view with a content view for what it
// shows, identified for reuse.

#include <memory>
#include <string>

#include "platform/ui/View.h"

namespace ui {

class CollectionViewCell : public View {
  public:
    using Ptr = std::shared_ptr<CollectionViewCell>;

    explicit CollectionViewCell(const graphics::Rect& frame = {});

    const View::Ptr& contentView();
    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    void setReuseIdentifier(std::string identifier) { reuseIdentifier_ = std::move(identifier); }

  private:
    View::Ptr contentView_;
    std::string reuseIdentifier_;
};

}  // namespace ui
