#pragma once

// What a table asks its data source: sections, rows, cells, titles, and
// whether and how rows are edited and moved.

#include <optional>
#include <string>

#include "platform/ui/IndexPath.h"
#include "platform/ui/TableViewCell.h"

namespace ui {

class TableView;

class TableViewDataSource {
  public:
    virtual ~TableViewDataSource() = default;

    virtual int numberOfSectionsInTableView(TableView& table) { return 1; }
    virtual int numberOfRowsInSection(TableView& table, int section) = 0;
    virtual TableViewCell::Ptr cellForRowAtIndexPath(TableView& table, IndexPath indexPath) = 0;
    // nullopt: no header (or footer) title.
    virtual std::optional<std::string> titleForHeaderInSection(TableView& table, int section) {
        return std::nullopt;
    }
    virtual std::optional<std::string> titleForFooterInSection(TableView& table, int section) {
        return std::nullopt;
    }
    virtual bool canEditRowAtIndexPath(TableView& table, IndexPath indexPath) { return true; }
    // Rows can be moved only where a data source says so.
    virtual bool canMoveRowAtIndexPath(TableView& table, IndexPath indexPath) { return false; }
    virtual void commitEditingStyle(TableView& table, TableViewCellEditingStyle style,
                                    IndexPath indexPath) {}
    virtual void moveRowAtIndexPath(TableView& table, IndexPath from, IndexPath to) {}
};

}  // namespace ui
