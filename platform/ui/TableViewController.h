#pragma once

// A screen whose view is a table it feeds and steers itself: it is the table's
// data source and delegate, loads the table when it first appears, clears
// the selection on appearing, and passes editing on to the table.

#include <memory>

#include "platform/ui/TableView.h"
#include "platform/ui/ViewController.h"

namespace ui {

class TableViewController : public ViewController,
                            public TableViewDataSource,
                            public TableViewDelegate {
  public:
    explicit TableViewController(TableViewStyle style = TableViewStyle::plain) : style_(style) {}

    TableView::Ptr tableView();
    bool clearsSelectionOnViewWillAppear() const { return clearsSelection_; }
    void setClearsSelectionOnViewWillAppear(bool clears) { clearsSelection_ = clears; }

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void setEditing(bool editing, bool animated) override;

    int numberOfRowsInSection(TableView& table, int section) override { return 0; }
    TableViewCell::Ptr cellForRowAtIndexPath(TableView& table, IndexPath indexPath) override {
        return nullptr;
    }

  private:
    TableViewStyle style_;
    bool clearsSelection_ = true;
    bool loadedOnce_ = false;
};

}  // namespace ui
