#pragma once

// A reusable table row whose text is a LinkLabel in bold: shown as a link
// while the table is not editing.

#include <string>

#include "app/LinkLabel.h"
#include "platform/ui/TableViewCell.h"

class LinkTableViewCell : public ui::TableViewCell {
  public:
    explicit LinkTableViewCell(std::string reuseIdentifier);

    std::string className() const override { return "LinkTableViewCell"; }

    // The row's text label is its LinkLabel (the cell's own label stays unused).
    const LinkLabel::Ptr& textLabel() const { return label_; }
    const LinkLabel::Ptr& label() const { return label_; }

    void setEditing(bool editing, bool animated = false) override;

  private:
    LinkLabel::Ptr label_;
};
