#include "platform/ui/TableViewCell.h"

namespace ui {

TableViewCell::TableViewCell(TableViewCellStyle style, std::string reuseIdentifier)
    : View(graphics::Rect(0, 0, 320, kDefaultHeight)),
      style_(style),
      reuseIdentifier_(std::move(reuseIdentifier)),
      contentView_(std::make_shared<View>(graphics::Rect(0, 0, 320, kDefaultHeight))),
      textLabel_(std::make_shared<Label>()),
      imageView_(std::make_shared<ImageView>()) {
    contentView_->setAutoresizingMask(Autoresizing::flexibleWidth | Autoresizing::flexibleHeight);
    setNeedsLayout();
    textLabel_->setFont(style == TableViewCellStyle::defaultStyle ||
                                style == TableViewCellStyle::subtitle
                            ? Font::boldSystemFontOfSize(17)
                            : Font::systemFontOfSize(17));
    if (style != TableViewCellStyle::defaultStyle) {
        detailTextLabel_ = std::make_shared<Label>();
        detailTextLabel_->setFont(
            Font::systemFontOfSize(style == TableViewCellStyle::subtitle ? 12 : 17));
        detailTextLabel_->setTextColor(graphics::Color::grayColor());
    }
}

void TableViewCell::setAccessoryView(View::Ptr view) {
    if (accessoryView_) {
        accessoryView_->removeFromSuperview();
    }
    accessoryView_ = std::move(view);
}

void TableViewCell::prepareForReuse() {
    setSelected(false);
    setHighlighted(false);
    showingDeleteConfirmation_ = false;
}

void TableViewCell::layoutSubviews() {
    // Subviews are attached on first layout, so a subclass can replace them first.
    if (!contentView_->superview()) {
        addSubview(contentView_);
        contentView_->addSubview(imageView_);
        contentView_->addSubview(textLabel_);
        if (detailTextLabel_) {
            contentView_->addSubview(detailTextLabel_);
        }
    }
    auto b = bounds();
    double accessoryWidth = accessoryView_ ? accessoryView_->frame().size.width
                            : accessoryType_ != TableViewCellAccessoryType::none ? 20
                                                                                 : 0;
    contentView_->setFrame(graphics::Rect(0, 0, b.size.width - accessoryWidth, b.size.height));
    if (accessoryView_) {
        if (accessoryView_->superview().get() != this) {
            addSubview(accessoryView_);
        }
        auto a = accessoryView_->frame();
        accessoryView_->setFrame(graphics::Rect(b.size.width - a.size.width,
                                                (b.size.height - a.size.height) / 2, a.size.width,
                                                a.size.height));
    }
    auto content = contentView_->bounds();
    double x = 10 + indentationLevel_ * 10;
    if (imageView_->image()) {
        // An image taller than the row is scaled down to the row's height.
        auto size = imageView_->image()->size();
        if (size.height > content.size.height && size.height > 0) {
            size = {size.width * content.size.height / size.height, content.size.height};
        }
        imageView_->setFrame(
            graphics::Rect(x, (content.size.height - size.height) / 2, size.width, size.height));
        x += size.width + 10;
    }
    double width = std::max(0.0, content.size.width - x - 10);
    if (!detailTextLabel_) {
        textLabel_->setFrame(graphics::Rect(x, 0, width, content.size.height));
    } else if (style_ == TableViewCellStyle::subtitle) {
        textLabel_->setFrame(graphics::Rect(x, 2, width, content.size.height / 2));
        detailTextLabel_->setFrame(
            graphics::Rect(x, content.size.height / 2, width, content.size.height / 2 - 2));
    } else {
        textLabel_->setFrame(graphics::Rect(x, 0, width / 2, content.size.height));
        detailTextLabel_->setFrame(
            graphics::Rect(x + width / 2, 0, width / 2, content.size.height));
    }
}

std::string TableViewCell::outlineText() const {
    std::string line = "\"" + textLabel_->text() + "\"";
    if (detailTextLabel_ && !detailTextLabel_->text().empty()) {
        line += " / \"" + detailTextLabel_->text() + "\"";
    }
    switch (accessoryType_) {
        case TableViewCellAccessoryType::disclosureIndicator:
            line += " >";
            break;
        case TableViewCellAccessoryType::checkmark:
            line += " (checked)";
            break;
        case TableViewCellAccessoryType::detailDisclosureButton:
        case TableViewCellAccessoryType::detailButton:
            line += " (i)";
            break;
        default:
            break;
    }
    if (selected_) {
        line += " (selected)";
    }
    for (const auto& subview : contentView_->subviews()) {
        if (subview != textLabel_ && subview != detailTextLabel_ && subview != imageView_) {
            auto text = subview->outlineText();
            if (!text.empty()) {
                line += " {" + text + "}";
            }
        }
    }
    return line;
}

}  // namespace ui
