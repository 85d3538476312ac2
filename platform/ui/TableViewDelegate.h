#pragma once

// What a table asks and tells its delegate: heights, header and footer views,
// selection (which may be refused or redirected), editing styles, swipe
// editing and move targets.

#include <optional>
#include <string>

#include "platform/ui/IndexPath.h"
#include "platform/ui/ScrollViewDelegate.h"
#include "platform/ui/TableViewCell.h"

namespace ui {

class TableView;

class TableViewDelegate : public ScrollViewDelegate {
  public:
    // nullopt: the table's own height.
    virtual std::optional<double> heightForRowAtIndexPath(TableView& table, IndexPath indexPath) {
        return std::nullopt;
    }
    virtual std::optional<double> heightForHeaderInSection(TableView& table, int section) {
        return std::nullopt;
    }
    virtual std::optional<double> heightForFooterInSection(TableView& table, int section) {
        return std::nullopt;
    }
    virtual View::Ptr viewForHeaderInSection(TableView& table, int section) { return nullptr; }
    virtual View::Ptr viewForFooterInSection(TableView& table, int section) { return nullptr; }
    virtual void willDisplayCell(TableView& table, TableViewCell& cell, IndexPath indexPath) {}

    // The row to select instead (the same by default); nullopt refuses.
    virtual std::optional<IndexPath> willSelectRowAtIndexPath(TableView& table,
                                                              IndexPath indexPath) {
        return indexPath;
    }
    virtual void didSelectRowAtIndexPath(TableView& table, IndexPath indexPath) {}
    virtual std::optional<IndexPath> willDeselectRowAtIndexPath(TableView& table,
                                                                IndexPath indexPath) {
        return indexPath;
    }
    virtual void didDeselectRowAtIndexPath(TableView& table, IndexPath indexPath) {}
    virtual void accessoryButtonTappedForRowWithIndexPath(TableView& table, IndexPath indexPath) {}

    // nullopt: delete for editable rows.
    virtual std::optional<TableViewCellEditingStyle> editingStyleForRowAtIndexPath(
        TableView& table, IndexPath indexPath) {
        return std::nullopt;
    }
    virtual std::string titleForDeleteConfirmationButton(TableView& table, IndexPath indexPath) {
        return "Delete";
    }
    virtual void willBeginEditingRowAtIndexPath(TableView& table, IndexPath indexPath) {}
    virtual void didEndEditingRowAtIndexPath(TableView& table, std::optional<IndexPath> indexPath) {
    }
    // Where a row being dragged from `from` lands when the finger is over
    // `proposed`; the proposed row by default.
    virtual IndexPath targetIndexPathForMove(TableView& table, IndexPath from, IndexPath proposed) {
        return proposed;
    }
};

}  // namespace ui
