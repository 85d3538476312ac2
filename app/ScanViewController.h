#pragma once

// The scan-result screen for a code whose text reads as an SMS, a place, a
// telephone number or a contact: the kind's icon and name, the display text,
// the scan time, an ad row, one row per thing the user can do with the result
// and a row that copies the text. Its share menu copies, makes a QR code of
// the text or shares the display text. It also holds the application's rule
// for where an open-URL result action opens its address.

#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADBannerViewDelegate.h"
#include "app/Scan.h"
#include "platform/foundation/DateFormatter.h"
#include "platform/foundation/URL.h"
#include "platform/ui/ActionSheet.h"
#include "platform/ui/ActionSheetDelegate.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Font.h"
#include "platform/ui/TableViewController.h"

class GADBannerView;
class ParsedResult;
class ResultAction;

class ScanViewController : public ui::TableViewController,
                           public ui::ActionSheetDelegate,
                           public GADBannerViewDelegate {
  public:
    static constexpr int kShareSheetTag = 11;
    // Tags of the body row's text view and of a button row's label.
    static constexpr int kBodyTag = 23;
    static constexpr int kButtonLabelTag = 25;
    static constexpr const char* kTitleIdentifier = "ScanViewTitleIdentifier";
    static constexpr const char* kBodyIdentifier = "ScanViewBodyIdentifier";
    static constexpr const char* kDatetimeIdentifier = "ScanViewDatetimeIdentifier";
    static constexpr const char* kButtonIdentifier = "ScanViewButtonIdentifier";
    static constexpr const char* kZizezIdentifier = "ScanViewZizezIdentifier";
    static constexpr const char* kCopyTitle = "Copy to Clipboard";
    // The ad row's banner request.
    static constexpr const char* kAdUnitID = "zizez-scan-result-banner";
    static constexpr const char* kTestDevices[4] = {
        "5b1c0e9d2f7a4c3e8b6d1a0f9e2c7b4d", "a3f8d2c1e0b94d7a86c5e1f2b3a4d5c6",
        "0e7d9c8b6a5f4e3d2c1b0a9f8e7d6c5b", "c4b3a2f1e0d9c8b7a6f5e4d3c2b1a0f9"};

    // initWithResult:forScan:
    ScanViewController(std::shared_ptr<ParsedResult> result, std::shared_ptr<Scan> scan);
    ~ScanViewController() override;

    std::string className() const override { return "ScanViewController"; }

    const std::shared_ptr<ParsedResult>& result() const { return result_; }
    void setResult(std::shared_ptr<ParsedResult> result) { result_ = std::move(result); }
    const std::shared_ptr<Scan>& scan() const { return scan_; }
    void setScan(std::shared_ptr<Scan> scan) { scan_ = std::move(scan); }
    foundation::DateFormatter& dateFormatter() { return *dateFormatter_; }
    const ui::Font& bodyFont() const { return bodyFont_; }
    const ui::BarButtonItem::Ptr& shareItem() const { return bbi_share_; }

    // The banner of every scan-result screen's ad row; nullptr until the
    // first ad row is built.
    static std::shared_ptr<GADBannerView> sharedBanner();

    // Where an open-URL result action opens its address: web addresses in
    // the in-app browser (when the platform has a modern web view), on the
    // application's navigation controller; everything else through the
    // platform, with an alert when it cannot.
    static void openURL(const std::optional<foundation::URL>& url);
    // Makes this the screen the application delegate pushes for SMS, place,
    // telephone and contact reads (unless one is set already), and installs
    // openURL as every open-URL action's way out.
    static void registerScreen();

    // The share menu, from the tapped bar item on a tablet, else from the toolbar.
    void action1(const ui::BarButtonItem::Ptr& sender);
    void actionSheetClickedButtonAtIndex(ui::ActionSheet& sheet, int index) override;
    // The display text and a line break to the share sheet.
    void emailPhoto();
    // Runs the result action with this screen, without confirmation.
    void performAction(const std::shared_ptr<ResultAction>& action);

    ui::TableViewCell::Ptr cellWithIdentifier(const std::string& identifier, ui::TableView& table);
    ui::TableViewCell::Ptr titleCellInTableView(ui::TableView& table);
    ui::TableViewCell::Ptr bodyCellInTableView(ui::TableView& table);
    ui::TableViewCell::Ptr datetimeCellInTableView(ui::TableView& table);
    ui::TableViewCell::Ptr buttonCellInTableView(ui::TableView& table);
    ui::TableViewCell::Ptr zizezCellInTableView(ui::TableView& table);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    int numberOfSectionsInTableView(ui::TableView& table) override;
    int numberOfRowsInSection(ui::TableView& table, int section) override;
    std::optional<double> heightForRowAtIndexPath(ui::TableView& table,
                                                  ui::IndexPath indexPath) override;
    ui::TableViewCell::Ptr cellForRowAtIndexPath(ui::TableView& table,
                                                 ui::IndexPath indexPath) override;
    std::optional<ui::IndexPath> willSelectRowAtIndexPath(ui::TableView& table,
                                                          ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    bool canEditRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override {
        return false;
    }
    bool canMoveRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override {
        return false;
    }

    // The body row's height for a display text: its height in the body font
    // within 280 by 330, plus 24, kept between 44 and 330.
    static double bodyHeightForText(const std::string& text, const ui::Font& font);

  private:
    std::size_t actionCount() const;
    int lastSection() const;
    void showToolbars();
    std::shared_ptr<ScanViewController> self();

    std::shared_ptr<ParsedResult> result_;
    std::shared_ptr<Scan> scan_;
    ui::Font bodyFont_;
    std::unique_ptr<foundation::DateFormatter> dateFormatter_;
    ui::BarButtonItem::Ptr bbi_share_;
};
