#pragma once

// The link row of the code detail screen: a cell whose layout comes from its
// interface file "DetailLinkTableViewCell", with the link's name in
// `labelAction`.

#include <memory>
#include <string>

#include "platform/ui/Label.h"
#include "platform/ui/TableViewCell.h"

class DetailLinkTableViewCell : public ui::TableViewCell {
  public:
    using Ptr = std::shared_ptr<DetailLinkTableViewCell>;

    // The reuse identifier the interface file gives the cell.
    static constexpr const char* kReuseIdentifier = "BarcodeDetail";

    // loadNibNamed:"DetailLinkTableViewCell" : the first table cell of the
    // interface file, its outlets connected and awakeFromNib sent.
    static Ptr loadFromNib();

    explicit DetailLinkTableViewCell(std::string reuseIdentifier);

    std::string className() const override { return "DetailLinkTableViewCell"; }

    // A plain outlet: the label is owned by the content view.
    ui::Label::Ptr labelAction() const { return labelAction_.lock(); }
    void setLabelAction(const ui::Label::Ptr& label) { labelAction_ = label; }

    virtual void awakeFromNib() {}

    // The row reads as the link's name.
    std::string outlineText() const override;

  private:
    std::weak_ptr<ui::Label> labelAction_;
};
