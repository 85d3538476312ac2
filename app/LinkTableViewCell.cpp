#include "app/LinkTableViewCell.h"

LinkTableViewCell::LinkTableViewCell(std::string reuseIdentifier)
    : ui::TableViewCell(ui::TableViewCellStyle::defaultStyle, std::move(reuseIdentifier)) {
    const auto bounds = this->bounds();
    label_ = std::make_shared<LinkLabel>(
        graphics::Rect{bounds.origin.x + 8, bounds.origin.y + 8, bounds.size.width - 20, 28});
    label_->setFont(ui::Font::boldSystemFontOfSize(20));
    label_->setAutoresizingMask(ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);
    label_->setHighlightedTextColor(graphics::Color::whiteColor());
    contentView()->addSubview(label_);
}

void LinkTableViewCell::setEditing(bool editing, bool animated) {
    ui::TableViewCell::setEditing(editing, animated);
    label_->setShowAsLink(!editing);
}
