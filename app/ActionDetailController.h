#pragma once

// The link editor: the name and URL prefix of one Action in the form's two
// fields, and below them the Classifications it applies to, checked and
// unchecked by tapping; Save writes all three.

#include <memory>
#include <set>
#include <vector>

#include "app/TextFieldTableController.h"
#include "model/Action.h"
#include "model/Classification.h"

class ActionDetailController : public TextFieldTableController {
  public:
    // initWithAction:
    explicit ActionDetailController(std::shared_ptr<Action> action);

    std::string className() const override { return "ActionDetailController"; }

    std::shared_ptr<Action> action() const;
    // Every Classification of the store by index, while the screen is shown.
    const std::vector<std::shared_ptr<Classification>>& classes() const { return classes_; }
    // The checked Classifications (working copy of the Action's classes).
    const std::set<std::shared_ptr<Classification>>& selected() const { return selected_; }

    // Drops the working copy; the next appearance reads it from the store again.
    void cleanup();

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

    int numberOfSectionsInTableView(ui::TableView& table) override;
    int numberOfRowsInSection(ui::TableView& table, int section) override;
    ui::TableViewCell::Ptr cellForRowAtIndexPath(ui::TableView& table,
                                                 ui::IndexPath indexPath) override;
    std::optional<std::string> titleForHeaderInSection(ui::TableView& table, int section) override;
    std::optional<ui::IndexPath> willSelectRowAtIndexPath(ui::TableView& table,
                                                          ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;

    bool textFieldShouldReturn(ui::TextField& field) override;

  protected:
    void writeValues() override;
    void restoreValues() override;

  private:
    static constexpr int kClassesSection = 2;

    std::vector<std::shared_ptr<Classification>> classes_;
    std::set<std::shared_ptr<Classification>> selected_;
    // The Action's classes before Save wrote the checked ones.
    std::vector<std::shared_ptr<store::ManagedObject>> writtenClasses_;
};
