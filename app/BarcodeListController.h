#pragma once

// The "History" screen: every stored Barcode, newest first, with its title,
// scan time and thumbnail. A tap opens the code; rows are deleted by swipe or
// in edit mode, the whole history can be erased, shared as text or mailed,
// and the list keeps its scroll position between visits.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADBannerViewDelegate.h"
#include "app/PersistentState.h"
#include "model/Barcode.h"
#include "platform/foundation/DateFormatter.h"
#include "platform/services/MailComposeViewController.h"
#include "platform/store/FetchedResultsController.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/ActionSheetDelegate.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/TableViewController.h"

class BarcodeListController : public ui::TableViewController,
                              public store::FetchedResultsControllerDelegate,
                              public ui::ActionSheetDelegate,
                              public PersistentState,
                              public services::MailComposeViewControllerDelegate,
                              public GADBannerViewDelegate {
  public:
    static constexpr int kShareSheetTag = 11;
    static constexpr const char* kCellIdentifier = "Barcode";
    static constexpr double kRowHeight = 64;

    BarcodeListController();
    ~BarcodeListController() override;

    std::string className() const override { return "BarcodeListController"; }

    // Makes this the history list the application delegate pushes from the
    // scanner's history button (unless one is set already), and lets a saved
    // screen stack name it.
    static void registerScreen();

    const std::shared_ptr<store::Context>& context() const { return context_; }
    void setContext(const std::shared_ptr<store::Context>& context) override { context_ = context; }

    // Every Barcode of the context by "date", newest first; the list hears
    // of every change.
    void initFetch();
    store::FetchedResultsController* results() const { return results_.get(); }
    // The number of codes listed.
    int rows() const;
    std::int64_t savedRow() const { return savedRow_; }
    bool swiping() const { return swiping_; }
    const ui::BarButtonItem::Ptr& clearButton() const { return clearButton_; }
    const ui::BarButtonItem::Ptr& shareItem() const { return bbi_share_; }
    foundation::DateFormatter* dateFormat() const { return dateFormat_.get(); }

    void viewDidLoad() override;
    void viewDidUnload() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation o) const override;

    // Remembers the row to bring back into view (only when none is kept).
    void savePosition();
    // Opens a stored code: the scan-result screen for SMS, places, telephone
    // numbers and contacts, else the detail screen over the list.
    void showDetailFor(const std::shared_ptr<Barcode>& barcode, bool animated);
    void setEditing(bool editing, bool animated) override;
    // Asks whether to erase the whole history.
    void clearAll();
    // The share menu, from the tapped bar item on a tablet, else from the toolbar.
    void action1(const ui::BarButtonItem::Ptr& sender);
    // The text of every code, one a line, to the share sheet.
    void emailPhoto();
    // The whole history as an e-mail with the attachment "barcodes.csv".
    void sendEmail();
    void actionSheetClickedButtonAtIndex(ui::ActionSheet& sheet, int index) override;
    void mailComposeControllerDidFinish(services::MailComposeViewController& controller,
                                        services::MailComposeResult result,
                                        const std::optional<foundation::Error>& error) override;

    // {"class", "row"}: the row kept in view.
    foundation::Value saveState() override;
    bool restoreState(const foundation::Value& state) override;

    void configureCell(ui::TableViewCell& cell, ui::IndexPath indexPath);
    // A code without a thumbnail is watched until its thumbnail comes.
    bool isObservingThumb(const Barcode& barcode) const;
    // The thumbnail of a watched code changed: the watch ends and its row,
    // when visible, shows the new picture.
    virtual void observeValueForKeyPath(const std::string& keyPath,
                                        const std::shared_ptr<Barcode>& barcode);

    int numberOfSectionsInTableView(ui::TableView& table) override;
    int numberOfRowsInSection(ui::TableView& table, int section) override;
    ui::TableViewCell::Ptr cellForRowAtIndexPath(ui::TableView& table,
                                                 ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    void commitEditingStyle(ui::TableView& table, ui::TableViewCellEditingStyle style,
                            ui::IndexPath indexPath) override;
    void willBeginEditingRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    void didEndEditingRowAtIndexPath(ui::TableView& table,
                                     std::optional<ui::IndexPath> indexPath) override;

    void controllerWillChangeContent(store::FetchedResultsController& controller) override;
    void controllerDidChangeObject(store::FetchedResultsController& controller,
                                   const std::shared_ptr<store::ManagedObject>& object,
                                   std::optional<ui::IndexPath> indexPath, store::ChangeType type,
                                   std::optional<ui::IndexPath> newIndexPath) override;
    void controllerDidChangeSection(store::FetchedResultsController& controller,
                                    const store::SectionInfo& section, std::size_t sectionIndex,
                                    store::ChangeType type) override;
    void controllerDidChangeContent(store::FetchedResultsController& controller) override;

    // Drops the bar items, the fetch, the formatter and every thumbnail watch.
    void cleanup();

  private:
    std::shared_ptr<BarcodeListController> self();
    std::shared_ptr<Barcode> barcodeAt(ui::IndexPath indexPath) const;
    void configureCell(ui::TableViewCell& cell, const std::shared_ptr<Barcode>& barcode);
    // The table, only once its view exists (a change while the list was never
    // shown waits for the first load).
    ui::TableView::Ptr loadedTable();
    bool isVisibleScreen() const;
    void observeThumb(const std::shared_ptr<Barcode>& barcode);
    void stopObservingThumb(const Barcode* barcode);
    void deleteBarcode(const std::shared_ptr<store::ManagedObject>& barcode);

    std::shared_ptr<store::Context> context_;
    std::unique_ptr<store::FetchedResultsController> results_;
    ui::BarButtonItem::Ptr clearButton_;
    std::unique_ptr<foundation::DateFormatter> dateFormat_;
    std::int64_t savedRow_ = -1;
    bool swiping_ = false;
    ui::BarButtonItem::Ptr bbi_share_;
    // The codes watched for their thumbnail, at most one watch each.
    std::map<const Barcode*, std::weak_ptr<Barcode>> thumbWatches_;
};
