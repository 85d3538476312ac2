#pragma once

// The description of one row of a static-content table: how its table cell
// is made and configured, and what a tap on it does. Not a view.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/IndexPath.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"

class JMStaticContentTableViewCell {
  public:
    using Ptr = std::shared_ptr<JMStaticContentTableViewCell>;
    // The cell is nullptr (and the index path absent) on the call made when
    // the row is added, so the block can set the style, height or identifier
    // before any cell exists.
    using ConfigureBlock = std::function<void(JMStaticContentTableViewCell& descriptor,
                                              const ui::TableViewCell::Ptr& cell,
                                              const std::optional<ui::IndexPath>& indexPath)>;
    using WhenSelectedBlock = std::function<void(ui::IndexPath indexPath)>;
    // tableViewCellSubclass: makes the table cell for a style and identifier.
    using CellFactory =
        std::function<ui::TableViewCell::Ptr(ui::TableViewCellStyle, const std::string&)>;

    virtual ~JMStaticContentTableViewCell() = default;

    std::string reuseIdentifier = "DefaultCell";
    std::optional<ui::IndexPath> indexPath;
    double cellHeight = ui::TableViewAutomaticDimension;
    ui::TableViewCellStyle cellStyle = ui::TableViewCellStyle::defaultStyle;
    CellFactory tableViewCellSubclass = [](ui::TableViewCellStyle style, const std::string& id) {
        return std::make_shared<ui::TableViewCell>(style, id);
    };
    ui::TableViewCellEditingStyle editingStyle = ui::TableViewCellEditingStyle::none;
    bool editable = false;
    bool moveable = false;
    ConfigureBlock configureBlock;
    WhenSelectedBlock whenSelectedBlock;

    // For debugging: the identifier and the height.
    virtual std::string description() const;
};
