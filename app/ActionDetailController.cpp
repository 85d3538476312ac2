#include "app/ActionDetailController.h"

#include "platform/store/Context.h"

namespace {

const std::vector<std::string> kKeys = {"name", "url"};
const std::vector<std::string> kTitles = {"Search Name", "Search URL Prefix"};

}  // namespace

ActionDetailController::ActionDetailController(std::shared_ptr<Action> action)
    : TextFieldTableController(std::move(action), kKeys.size(), kKeys, kTitles) {}

std::shared_ptr<Action> ActionDetailController::action() const {
    return std::dynamic_pointer_cast<Action>(object());
}

void ActionDetailController::cleanup() {
    classes_.clear();
    selected_.clear();
}

void ActionDetailController::viewDidLoad() {
    TextFieldTableController::viewDidLoad();
    setTitle("Edit Link");
    if (auto name = fieldAtIndex(0)) {
        name->traits().returnKeyType = ui::ReturnKeyType::done;
    }
    if (auto url = fieldAtIndex(1)) {
        url->traits().keyboardType = ui::KeyboardType::url;
        url->traits().returnKeyType = ui::ReturnKeyType::done;
    }
}

void ActionDetailController::viewWillAppear(bool animated) {
    TextFieldTableController::viewWillAppear(animated);
    cleanup();
    if (auto context = object()->managedObjectContext()) {
        classes_ = Classification::classesInContext(*context).value_or(
            std::vector<std::shared_ptr<Classification>>{});
    }
    if (auto link = action()) {
        for (const auto& classification : link->classes()) {
            selected_.insert(classification);
        }
    }
    // The table was loaded before the classifications were read.
    if (auto table = tableView()) {
        table->reloadData();
    }
}

void ActionDetailController::viewDidDisappear(bool animated) {
    TextFieldTableController::viewDidDisappear(animated);
    cleanup();
}

void ActionDetailController::writeValues() {
    writtenClasses_ = object()->objectsForKey("classes");
    // The checked set, in index order.
    std::vector<std::shared_ptr<store::ManagedObject>> checked;
    for (const auto& classification : classes_) {
        if (selected_.contains(classification)) {
            checked.push_back(classification);
        }
    }
    object()->setObjects(checked, "classes");
    TextFieldTableController::writeValues();
}

void ActionDetailController::restoreValues() {
    object()->setObjects(writtenClasses_, "classes");
    TextFieldTableController::restoreValues();
}

int ActionDetailController::numberOfSectionsInTableView(ui::TableView&) {
    return 3;
}

int ActionDetailController::numberOfRowsInSection(ui::TableView& table, int section) {
    if (section == kClassesSection) {
        return static_cast<int>(classes_.size());
    }
    return TextFieldTableController::numberOfRowsInSection(table, section);
}

ui::TableViewCell::Ptr ActionDetailController::cellForRowAtIndexPath(ui::TableView& table,
                                                                     ui::IndexPath indexPath) {
    if (indexPath.section != kClassesSection) {
        return TextFieldTableController::cellForRowAtIndexPath(table, indexPath);
    }
    auto cell = table.dequeueReusableCellWithIdentifier("Classification");
    if (!cell) {
        cell = std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::defaultStyle,
                                                   "Classification");
    }
    const auto& classification = classes_.at(static_cast<std::size_t>(indexPath.row));
    cell->textLabel()->setText(classification->name());
    cell->setAccessoryType(selected_.contains(classification)
                               ? ui::TableViewCellAccessoryType::checkmark
                               : ui::TableViewCellAccessoryType::none);
    return cell;
}

std::optional<std::string> ActionDetailController::titleForHeaderInSection(ui::TableView& table,
                                                                           int section) {
    if (section == kClassesSection) {
        return "Barcode Types";
    }
    return TextFieldTableController::titleForHeaderInSection(table, section);
}

std::optional<ui::IndexPath> ActionDetailController::willSelectRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
    if (indexPath.section != kClassesSection) {
        return std::nullopt;
    }
    return indexPath;
}

void ActionDetailController::didSelectRowAtIndexPath(ui::TableView& table,
                                                     ui::IndexPath indexPath) {
    table.deselectRowAtIndexPath(indexPath, true);
    if (indexPath.section != kClassesSection ||
        static_cast<std::size_t>(indexPath.row) >= classes_.size()) {
        return;
    }
    const auto& classification = classes_[static_cast<std::size_t>(indexPath.row)];
    auto cell = table.cellForRowAtIndexPath(indexPath);
    if (selected_.erase(classification) > 0) {
        if (cell) {
            cell->setAccessoryType(ui::TableViewCellAccessoryType::none);
        }
    } else {
        selected_.insert(classification);
        if (cell) {
            cell->setAccessoryType(ui::TableViewCellAccessoryType::checkmark);
        }
    }
}

bool ActionDetailController::textFieldShouldReturn(ui::TextField& field) {
    field.resignFirstResponder();
    return false;
}
