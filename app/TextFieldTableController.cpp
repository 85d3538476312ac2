#include "app/TextFieldTableController.h"

#include <algorithm>

#include "platform/foundation/UTF16.h"
#include "platform/store/Context.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"

TextFieldTableController::TextFieldTableController(std::shared_ptr<store::ManagedObject> object,
                                                   std::size_t count,
                                                   const std::vector<std::string>& keys,
                                                   const std::vector<std::string>& titles)
    : ui::TableViewController(ui::TableViewStyle::grouped), object_(std::move(object)) {
    count = std::min({count, keys.size(), titles.size()});
    keys_.assign(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(count));
    titles_.assign(titles.begin(), titles.begin() + static_cast<std::ptrdiff_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        cells_.push_back(cellForSection(i));
    }
}

ui::TableViewCell::Ptr TextFieldTableController::cellForSection(std::size_t index) {
    auto cell = std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::defaultStyle, "");
    const auto bounds = cell->bounds();
    auto field = std::make_shared<ui::TextField>(
        graphics::Rect{bounds.origin.x + 10, bounds.origin.y + 10, bounds.size.width - 20,
                       bounds.size.height - 20});
    field->setAutoresizingMask(ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);
    field->setPlaceholder(titles_[index]);
    field->setClearButtonMode(ui::TextFieldViewMode::whileEditing);
    field->setTag(kFieldTagBase + static_cast<int>(index));
    cell->contentView()->addSubview(field);
    return cell;
}

ui::TableViewCell::Ptr TextFieldTableController::cellAtIndex(std::size_t index) const {
    return index < cells_.size() ? cells_[index] : nullptr;
}

ui::TextField::Ptr TextFieldTableController::fieldAtIndex(std::size_t index) const {
    auto cell = cellAtIndex(index);
    if (!cell || cell->contentView()->subviews().empty()) {
        return nullptr;
    }
    return std::dynamic_pointer_cast<ui::TextField>(cell->contentView()->subviews().front());
}

void TextFieldTableController::updateCells() {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (auto field = fieldAtIndex(i)) {
            field->setText(object_->valueForKey(keys_[i]).stringValue());
        }
    }
}

void TextFieldTableController::viewDidLoad() {
    ui::TableViewController::viewDidLoad();
    // The fields exist before the controller is shared; they learn their
    // delegate once the screen is loaded.
    auto self = std::static_pointer_cast<TextFieldTableController>(shared_from_this());
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (auto field = fieldAtIndex(i)) {
            field->setDelegate(std::static_pointer_cast<ui::TextFieldDelegate>(self));
        }
    }
}

void TextFieldTableController::viewWillAppear(bool animated) {
    ui::TableViewController::viewWillAppear(animated);
    std::weak_ptr<TextFieldTableController> weak =
        std::static_pointer_cast<TextFieldTableController>(shared_from_this());
    navigationItem().setLeftBarButtonItem(
        ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::cancel, [weak](auto&) {
            if (auto self = weak.lock()) {
                self->cancel();
            }
        }));
    save_ = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::save, [weak](auto&) {
        if (auto self = weak.lock()) {
            self->save();
        }
    });
    navigationItem().setRightBarButtonItem(save_);
    updateCells();
    setSaveEnabled(object_->validateForUpdate(nullptr) && fieldsValid());
}

void TextFieldTableController::viewDidDisappear(bool animated) {
    ui::TableViewController::viewDidDisappear(animated);
    save_.reset();
    // Left by the back button rather than Save or Cancel: as Cancel, an
    // object made for the form must not stay behind, never saved and
    // possibly invalid.
    if (!parentViewController()) {
        dropUnsavedObject();
    }
}

void TextFieldTableController::dropUnsavedObject() {
    auto context = object_->managedObjectContext();
    if (context && !object_->isDeleted() && object_->objectID().isTemporaryID()) {
        context->deleteObject(object_);
    }
}

bool TextFieldTableController::shouldAutorotateToInterfaceOrientation(
    ui::InterfaceOrientation o) const {
    return o != ui::InterfaceOrientation::portraitUpsideDown;
}

void TextFieldTableController::setSaveEnabled(bool enabled) {
    if (save_) {
        save_->setEnabled(enabled);
    }
}

std::size_t TextFieldTableController::indexOfField(const ui::TextField& field) const {
    const auto index = static_cast<long>(field.tag()) - kFieldTagBase;
    if (index < 0 || static_cast<std::size_t>(index) >= keys_.size()) {
        return std::string::npos;
    }
    return static_cast<std::size_t>(index);
}

bool TextFieldTableController::fieldsValid(std::size_t index, const std::string& candidate) const {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        auto field = fieldAtIndex(i);
        foundation::Value value(i == index ? candidate : (field ? field->text() : std::string()));
        if (!object_->validateValue(value, keys_[i], nullptr)) {
            return false;
        }
    }
    return true;
}

bool TextFieldTableController::shouldChangeCharactersInRange(ui::TextField& field,
                                                             ui::TextRange range,
                                                             const std::string& replacement) {
    const auto index = indexOfField(field);
    if (index != std::string::npos) {
        const auto& text = field.text();
        const auto candidate = foundation::utf16::substring(text, 0, range.location) + replacement +
                               foundation::utf16::substring(text, range.location + range.length);
        setSaveEnabled(fieldsValid(index, candidate));
    }
    return true;
}

bool TextFieldTableController::textFieldShouldClear(ui::TextField& field) {
    const auto index = indexOfField(field);
    if (index != std::string::npos) {
        setSaveEnabled(fieldsValid(index, ""));
    }
    return true;
}

bool TextFieldTableController::textFieldShouldReturn(ui::TextField& field) {
    const auto index = indexOfField(field);
    if (index != std::string::npos) {
        if (auto next = fieldAtIndex((index + 1) % keys_.size())) {
            next->becomeFirstResponder();
        }
    }
    return false;
}

void TextFieldTableController::writeValues() {
    written_.clear();
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        auto field = fieldAtIndex(i);
        written_[keys_[i]] = object_->valueForKey(keys_[i]);
        object_->setValue(foundation::Value(field ? field->text() : std::string()), keys_[i]);
    }
}

void TextFieldTableController::restoreValues() {
    for (const auto& [key, value] : written_) {
        object_->setValue(value, key);
    }
}

void TextFieldTableController::save() {
    auto context = object_->managedObjectContext();
    writeValues();
    // An invalid object left in the context would make every later save of
    // the context fail, the application's saves of new scans among them:
    // such a change is dropped before the save.
    if (!object_->validateForUpdate(nullptr)) {
        if (object_->objectID().isTemporaryID()) {
            dropUnsavedObject();
        } else {
            restoreValues();
        }
    }
    if (context) {
        context->save(nullptr);
    }
    popSelf();
}

void TextFieldTableController::cancel() {
    dropUnsavedObject();
    popSelf();
}

void TextFieldTableController::popSelf() {
    if (auto nav = navigationController()) {
        nav->popViewController(true);
    }
}

int TextFieldTableController::numberOfSectionsInTableView(ui::TableView&) {
    return static_cast<int>(keys_.size());
}

int TextFieldTableController::numberOfRowsInSection(ui::TableView&, int) {
    return 1;
}

ui::TableViewCell::Ptr TextFieldTableController::cellForRowAtIndexPath(ui::TableView&,
                                                                       ui::IndexPath indexPath) {
    return cellAtIndex(static_cast<std::size_t>(indexPath.section));
}

std::optional<std::string> TextFieldTableController::titleForHeaderInSection(ui::TableView&,
                                                                             int section) {
    if (section < 0 || static_cast<std::size_t>(section) >= titles_.size()) {
        return std::nullopt;
    }
    return titles_[static_cast<std::size_t>(section)];
}

std::optional<ui::IndexPath> TextFieldTableController::willSelectRowAtIndexPath(ui::TableView&,
                                                                                ui::IndexPath) {
    return std::nullopt;
}
