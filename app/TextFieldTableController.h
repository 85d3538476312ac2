#pragma once

// A small form that edits string attributes of one stored object: one section
// per attribute with a text field, Save enabled while every field's value is
// valid for the object, Save writes the fields and saves the context, Cancel
// leaves the store as it was.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/store/ManagedObject.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/TableViewController.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextFieldDelegate.h"

class TextFieldTableController : public ui::TableViewController, public ui::TextFieldDelegate {
  public:
    // The tag of field i is kFieldTagBase + i.
    static constexpr int kFieldTagBase = 0x10000;

    // initWithObject:count:keys:titles: : `count` fields, field i editing the
    // attribute keys[i] under the title titles[i]. The lists are copied; a
    // count larger than either list is cut to it.
    TextFieldTableController(std::shared_ptr<store::ManagedObject> object, std::size_t count,
                             const std::vector<std::string>& keys,
                             const std::vector<std::string>& titles);

    std::string className() const override { return "TextFieldTableController"; }

    const std::shared_ptr<store::ManagedObject>& object() const { return object_; }
    std::size_t count() const { return keys_.size(); }
    const std::vector<std::string>& keys() const { return keys_; }
    const std::vector<std::string>& titles() const { return titles_; }
    // The Save item while the screen is visible, else nullptr.
    const ui::BarButtonItem::Ptr& saveItem() const { return save_; }

    ui::TableViewCell::Ptr cellAtIndex(std::size_t index) const;
    ui::TextField::Ptr fieldAtIndex(std::size_t index) const;
    // Each field shows the object's value for its key.
    void updateCells();

    // save: : writes the fields into the object, saves its context and pops.
    virtual void save();
    // cancel: : drops an object made for this form and never saved, and pops.
    virtual void cancel();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation o) const override;

    // Table.
    int numberOfSectionsInTableView(ui::TableView& table) override;
    int numberOfRowsInSection(ui::TableView& table, int section) override;
    ui::TableViewCell::Ptr cellForRowAtIndexPath(ui::TableView& table,
                                                 ui::IndexPath indexPath) override;
    std::optional<std::string> titleForHeaderInSection(ui::TableView& table, int section) override;
    std::optional<ui::IndexPath> willSelectRowAtIndexPath(ui::TableView& table,
                                                          ui::IndexPath indexPath) override;

    // Text fields.
    bool shouldChangeCharactersInRange(ui::TextField& field, ui::TextRange range,
                                       const std::string& replacement) override;
    bool textFieldShouldClear(ui::TextField& field) override;
    bool textFieldShouldReturn(ui::TextField& field) override;

  protected:
    // cellForSection: : the cell of field i with its text field.
    ui::TableViewCell::Ptr cellForSection(std::size_t index);
    // The field's index from its tag; npos for a field of another form.
    std::size_t indexOfField(const ui::TextField& field) const;
    // Whether every field's text is a valid value for its key, with
    // `candidate` standing for the text of field `index` when given.
    bool fieldsValid(std::size_t index = std::string::npos,
                     const std::string& candidate = {}) const;
    void setSaveEnabled(bool enabled);

    // What Save writes into the object: the fields, by key.
    virtual void writeValues();
    // Puts back what writeValues changed, after a failed save.
    virtual void restoreValues();
    void popSelf();
    // Deletes the object when it was made for the form and never saved.
    void dropUnsavedObject();

  private:
    std::shared_ptr<store::ManagedObject> object_;
    std::vector<std::string> keys_;
    std::vector<std::string> titles_;
    std::vector<ui::TableViewCell::Ptr> cells_;
    ui::BarButtonItem::Ptr save_;
    // The object's values of the keys before Save wrote the fields.
    std::map<std::string, foundation::Value> written_;
};
