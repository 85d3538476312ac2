#include "app/DetailLinkTableViewCell.h"

DetailLinkTableViewCell::Ptr DetailLinkTableViewCell::loadFromNib() {
    auto cell = std::make_shared<DetailLinkTableViewCell>(kReuseIdentifier);
    const auto bounds = cell->contentView()->bounds();
    auto label = std::make_shared<ui::Label>(
        graphics::Rect{20, 11, bounds.size.width - 40, bounds.size.height - 22});
    label->setFont(ui::Font::boldSystemFontOfSize(17));
    label->setAutoresizingMask(ui::Autoresizing::flexibleWidth);
    label->setHighlightedTextColor(graphics::Color::whiteColor());
    cell->contentView()->addSubview(label);
    cell->setLabelAction(label);
    cell->awakeFromNib();
    return cell;
}

DetailLinkTableViewCell::DetailLinkTableViewCell(std::string reuseIdentifier)
    : ui::TableViewCell(ui::TableViewCellStyle::defaultStyle, std::move(reuseIdentifier)) {}

std::string DetailLinkTableViewCell::outlineText() const {
    auto label = labelAction();
    std::string line = "\"" + (label ? label->text() : std::string()) + "\"";
    if (accessoryType() == ui::TableViewCellAccessoryType::disclosureIndicator) {
        line += " >";
    }
    if (isSelected()) {
        line += " (selected)";
    }
    return line;
}
