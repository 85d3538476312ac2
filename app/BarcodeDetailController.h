#pragma once

// The code detail screen: one stored Barcode with its thumbnail, title and
// the shared ad banner in the header; its data, symbology and scan date; the
// links that apply to its classifications and a row that copies the data. In
// edit mode the same screen edits the title and the list of links.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/PersistentState.h"
#include "model/Action.h"
#include "model/Barcode.h"
#include "model/Classification.h"
#include "platform/foundation/DateFormatter.h"
#include "platform/store/FetchedResultsController.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/ActionSheetDelegate.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/Font.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/TableViewController.h"

class BarcodeDetailController : public ui::TableViewController,
                                public store::FetchedResultsControllerDelegate,
                                public PersistentState,
                                public ui::ActionSheetDelegate {
  public:
    // The tag of the share sheet.
    static constexpr int kShareSheetTag = 11;

    // initWithBarcode: (init: without a code).
    explicit BarcodeDetailController(std::shared_ptr<Barcode> barcode = nullptr);
    ~BarcodeDetailController() override;

    std::string className() const override { return "BarcodeDetailController"; }

    const std::shared_ptr<store::Context>& context() const { return context_; }
    void setContext(const std::shared_ptr<store::Context>& context) override;
    const std::shared_ptr<Barcode>& barcode() const { return barcode_; }
    // The links of section 1, in order.
    const std::vector<std::shared_ptr<Action>>& actions() const { return actions_; }
    const std::vector<std::shared_ptr<Classification>>& allClasses() const { return allClasses_; }
    const ui::ImageView::Ptr& thumb() const { return thumb_; }
    const ui::Button::Ptr& titleButton() const { return titleButton_; }
    const ui::Label::Ptr& titleLabel() const { return titleLabel_; }
    const std::vector<ui::TableViewCell::Ptr>& dataCells() const { return dataCells_; }
    const ui::BarButtonItem::Ptr& shareItem() const { return bbi_share_; }

    // The Actions of the store by index, and every Classification.
    void initFetch();
    // Lists the links: every Action while editing or without a code, else
    // those bound to one of the code's classifications.
    void initActions(bool reload);
    // The height the text needs at the width, at least 40.
    static double getHeightForText(const std::string& text, const ui::Font& font, double width);
    void initHeader();
    ui::TableViewCell::Ptr initDataCell(const std::string& title);
    void updateData();
    // Opens the link for the code; false when the code has no value for it
    // (or the platform cannot open it).
    bool activateLink(const std::shared_ptr<Action>& action);
    // The link editor for the link of `row`, or for a new link with -1.
    void showLinkDetailForRow(int row);
    void showTitleEditor();
    // The share sheet, from the tapped bar item.
    void action1(const ui::BarButtonItem::Ptr& sender);
    void emailPhoto();
    void cleanup();

    void setEditing(bool editing, bool animated) override;
    void viewDidLoad() override;
    void viewDidUnload() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation o) const override;

    // PersistentState: {"class", "barcode": the code's object URI}.
    foundation::Value saveState() override;
    bool restoreState(const foundation::Value& state) override;

    // Table.
    int numberOfSectionsInTableView(ui::TableView& table) override;
    int numberOfRowsInSection(ui::TableView& table, int section) override;
    ui::TableViewCell::Ptr cellForRowAtIndexPath(ui::TableView& table,
                                                 ui::IndexPath indexPath) override;
    std::optional<ui::IndexPath> willSelectRowAtIndexPath(ui::TableView& table,
                                                          ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    bool canEditRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    std::optional<ui::TableViewCellEditingStyle> editingStyleForRowAtIndexPath(
        ui::TableView& table, ui::IndexPath indexPath) override;
    void commitEditingStyle(ui::TableView& table, ui::TableViewCellEditingStyle style,
                            ui::IndexPath indexPath) override;
    bool canMoveRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    ui::IndexPath targetIndexPathForMove(ui::TableView& table, ui::IndexPath from,
                                         ui::IndexPath proposed) override;
    void moveRowAtIndexPath(ui::TableView& table, ui::IndexPath from, ui::IndexPath to) override;

    // Results controller.
    void controllerDidChangeContent(store::FetchedResultsController& controller) override;

    // Share sheet.
    void actionSheetClickedButtonAtIndex(ui::ActionSheet& sheet, int index) override;

  private:
    std::string titleText() const;
    void observeBarcode();
    void stopObservingBarcode();
    std::shared_ptr<BarcodeDetailController> self();

    std::unique_ptr<store::FetchedResultsController> results_;
    std::shared_ptr<store::Context> context_;
    std::shared_ptr<Barcode> barcode_;
    std::vector<std::shared_ptr<Action>> actions_;
    std::vector<std::shared_ptr<Classification>> allClasses_;
    ui::ImageView::Ptr thumb_;
    ui::Button::Ptr titleButton_;
    ui::Label::Ptr titleLabel_;
    std::vector<ui::TableViewCell::Ptr> dataCells_;
    std::unique_ptr<foundation::DateFormatter> dateFormat_;
    ui::BarButtonItem::Ptr bbi_share_;
    // The code whose "name" and "thumb" this screen observes.
    std::shared_ptr<Barcode> observed_;
};
