#pragma once

// A label that can show its text as a link; the flag is on from creation and
// each change of it resets the text colour and asks for a redraw.

#include "platform/ui/Label.h"

class LinkLabel : public ui::Label {
  public:
    using Ptr = std::shared_ptr<LinkLabel>;

    explicit LinkLabel(const graphics::Rect& frame = {});

    std::string className() const override { return "LinkLabel"; }

    bool showAsLink() const { return showAsLink_; }
    void setShowAsLink(bool showAsLink);

  private:
    bool showAsLink_ = true;
};
