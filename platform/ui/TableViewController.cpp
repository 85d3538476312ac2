#include "platform/ui/TableViewController.h"

#include "platform/ui/Screen.h"

namespace ui {

TableView::Ptr TableViewController::tableView() {
    return std::dynamic_pointer_cast<TableView>(view());
}

void TableViewController::loadView() {
    auto table = std::make_shared<TableView>(Screen::mainScreen().applicationFrame(), style_);
    table->setAutoresizingMask(Autoresizing::flexibleWidth | Autoresizing::flexibleHeight);
    auto self = std::static_pointer_cast<TableViewController>(shared_from_this());
    table->setDataSource(std::static_pointer_cast<TableViewDataSource>(self));
    table->setTableDelegate(std::static_pointer_cast<TableViewDelegate>(self));
    setView(table);
}

void TableViewController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    auto table = tableView();
    if (!table) {
        return;
    }
    if (!loadedOnce_) {
        loadedOnce_ = true;
        table->reloadData();
    } else if (clearsSelection_) {
        for (auto path : table->indexPathsForSelectedRows()) {
            table->deselectRowAtIndexPath(path, animated);
        }
    }
}

void TableViewController::setEditing(bool editing, bool animated) {
    ViewController::setEditing(editing, animated);
    if (auto table = tableView()) {
        table->setEditing(editing, animated);
    }
}

}  // namespace ui
