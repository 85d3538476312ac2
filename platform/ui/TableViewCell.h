#pragma once

// A row of a table: a content view with a text label, a detail label (in the
// styles that have one) and an image view, an accessory, selection and editing
// states, and a reuse identifier for the table's reuse queue.

#include <memory>
#include <string>

#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/View.h"

namespace ui {

enum class TableViewCellStyle { defaultStyle = 0, value1 = 1, value2 = 2, subtitle = 3 };
enum class TableViewCellAccessoryType {
    none = 0,
    disclosureIndicator = 1,
    detailDisclosureButton = 2,
    checkmark = 3,
    detailButton = 4,
};
enum class TableViewCellSelectionStyle { none = 0, blue = 1, gray = 2, defaultStyle = 3 };
enum class TableViewCellEditingStyle { none = 0, remove = 1, insert = 2 };

class TableViewCell : public View {
  public:
    using Ptr = std::shared_ptr<TableViewCell>;

    static constexpr double kDefaultHeight = 44;

    TableViewCell(TableViewCellStyle style, std::string reuseIdentifier);

    TableViewCellStyle style() const { return style_; }
    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    const View::Ptr& contentView() const { return contentView_; }
    const Label::Ptr& textLabel() const { return textLabel_; }
    // nullptr in the default style.
    const Label::Ptr& detailTextLabel() const { return detailTextLabel_; }
    const ImageView::Ptr& imageView() const { return imageView_; }

    TableViewCellAccessoryType accessoryType() const { return accessoryType_; }
    void setAccessoryType(TableViewCellAccessoryType type) { accessoryType_ = type; }
    const View::Ptr& accessoryView() const { return accessoryView_; }
    void setAccessoryView(View::Ptr view);
    TableViewCellAccessoryType editingAccessoryType() const { return editingAccessoryType_; }
    void setEditingAccessoryType(TableViewCellAccessoryType type) { editingAccessoryType_ = type; }
    TableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(TableViewCellSelectionStyle style) { selectionStyle_ = style; }
    const View::Ptr& backgroundView() const { return backgroundView_; }
    void setBackgroundView(View::Ptr view) { backgroundView_ = std::move(view); }
    const View::Ptr& selectedBackgroundView() const { return selectedBackgroundView_; }
    void setSelectedBackgroundView(View::Ptr view) { selectedBackgroundView_ = std::move(view); }
    int indentationLevel() const { return indentationLevel_; }
    void setIndentationLevel(int level) { indentationLevel_ = level; }

    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected, bool animated = false) { selected_ = selected; }
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted, bool animated = false) {
        highlighted_ = highlighted;
    }
    bool isEditing() const { return editing_; }
    virtual void setEditing(bool editing, bool animated = false) { editing_ = editing; }
    bool showsReorderControl() const { return showsReorderControl_; }
    void setShowsReorderControl(bool shows) { showsReorderControl_ = shows; }
    bool isShowingDeleteConfirmation() const { return showingDeleteConfirmation_; }
    void setShowingDeleteConfirmation(bool showing) { showingDeleteConfirmation_ = showing; }

    // Called before the table hands the cell out again from its reuse queue.
    virtual void prepareForReuse();

    void layoutSubviews() override;
    std::string outlineText() const override;
    bool outlinesSubviews() const override { return false; }

  private:
    TableViewCellStyle style_;
    std::string reuseIdentifier_;
    View::Ptr contentView_;
    Label::Ptr textLabel_;
    Label::Ptr detailTextLabel_;
    ImageView::Ptr imageView_;
    TableViewCellAccessoryType accessoryType_ = TableViewCellAccessoryType::none;
    TableViewCellAccessoryType editingAccessoryType_ = TableViewCellAccessoryType::none;
    View::Ptr accessoryView_;
    TableViewCellSelectionStyle selectionStyle_ = TableViewCellSelectionStyle::blue;
    View::Ptr backgroundView_;
    View::Ptr selectedBackgroundView_;
    int indentationLevel_ = 0;
    bool selected_ = false;
    bool highlighted_ = false;
    bool editing_ = false;
    bool showsReorderControl_ = false;
    bool showingDeleteConfirmation_ = false;
};

}  // namespace ui
