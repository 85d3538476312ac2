#include "app/ScanViewController.h"

#include <algorithm>

#include "ads/api/GADAdSize.h"
#include "ads/api/GADBannerView.h"
#include "ads/api/GADRequest.h"
#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/QRGenViewController.h"
#include "app/WebViewController.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Color.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/Device.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextMeasurement.h"
#include "platform/ui/TextView.h"
#include "results/OpenUrlAction.h"
#include "results/ParsedResult.h"
#include "results/ResultAction.h"
#include "ui/KINWebBrowser/KINWebBrowserViewController.h"
#include "ui/Toast/Toast.h"

namespace {

constexpr int kHeaderSection = 0;
constexpr int kAdSection = 1;
constexpr int kActionSection = 2;

constexpr double kTitleHeight = 44;
constexpr double kDatetimeHeight = 24;
constexpr double kBodyWidth = 280;
constexpr double kBodyMaxHeight = 330;
constexpr double kBodyMinHeight = 44;
constexpr double kBodyPadding = 24;
constexpr double kCellInset = 6;

std::shared_ptr<GADBannerView>& bannerStorage() {
    static auto* banner = foundation::ProcessState::withReset(new std::shared_ptr<GADBannerView>);
    return *banner;
}

// The subview of the cell's content view with `tag`, as a T.
template <typename T>
std::shared_ptr<T> taggedSubview(const ui::TableViewCell& cell, int tag) {
    return std::dynamic_pointer_cast<T>(cell.contentView()->viewWithTag(tag));
}

}  // namespace

ScanViewController::ScanViewController(std::shared_ptr<ParsedResult> result,
                                       std::shared_ptr<Scan> scan)
    : ui::TableViewController(ui::TableViewStyle::grouped),
      result_(std::move(result)),
      scan_(std::move(scan)),
      bodyFont_(ui::Font::fontWithName("TimesNewRomanPSMT", 16)),
      dateFormatter_(std::make_unique<foundation::DateFormatter>()) {
    setTitle(foundation::Bundle::main().localizedString("ScanViewController title"));
    dateFormatter_->setDateStyle(foundation::DateFormatter::Style::Long);
    dateFormatter_->setTimeStyle(foundation::DateFormatter::Style::Long);
    // The share item gets its action once the screen exists as a shared object
    // (viewDidLoad), before it can be shown.
    bbi_share_ = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::action);
    setToolbarItems({ui::BarButtonItem::flexibleSpace(), bbi_share_});
    navigationItem().setBackBarButtonItem(
        ui::BarButtonItem::withTitle("Back", ui::BarButtonItemStyle::plain));
}

ScanViewController::~ScanViewController() = default;

std::shared_ptr<ScanViewController> ScanViewController::self() {
    return std::static_pointer_cast<ScanViewController>(shared_from_this());
}

std::shared_ptr<GADBannerView> ScanViewController::sharedBanner() {
    return bannerStorage();
}

void ScanViewController::openURL(const std::optional<foundation::URL>& url) {
    if (WebViewController::canOpenInternal(url) &&
        foundation::ClassRegistry::shared().exists("WKWebView")) {
        auto delegate = AppDelegate::shared();
        auto nav = delegate ? delegate->nav2() : nullptr;
        if (!nav) {
            foundation::Log::write("ScanViewController",
                                   "no navigation controller to show the browser on");
            return;
        }
        auto browserNav = KINWebBrowserViewController::navigationControllerWithWebBrowser();
        nav->presentViewController(browserNav, true);
        if (auto browser = KINWebBrowser::rootWebBrowser(*browserNav))
            browser->loadURL(*url);
        return;
    }
    WebViewController::openExternalURL(url);
}

void ScanViewController::registerScreen() {
    auto& screens = AppScreens::shared();
    if (!screens.scanResult) {
        screens.scanResult = [](const std::shared_ptr<ParsedResult>& result,
                                const std::string& text, foundation::Date stamp) {
            return std::make_shared<ScanViewController>(result,
                                                        std::make_shared<Scan>(-1, text, stamp));
        };
    }
    OpenUrlAction::setOpenURLHook(&ScanViewController::openURL);
}

void ScanViewController::viewDidLoad() {
    ui::TableViewController::viewDidLoad();
    std::weak_ptr<ScanViewController> weak = self();
    bbi_share_->setAction([weak](ui::BarButtonItem& item) {
        if (auto screen = weak.lock())
            screen->action1(screen->shareItem());
    });
}

void ScanViewController::showToolbars() {
    if (auto nav = navigationController()) {
        nav->setToolbarHidden(false, false);
        nav->setNavigationBarHidden(false, false);
    }
}

void ScanViewController::viewWillAppear(bool animated) {
    ui::TableViewController::viewWillAppear(animated);
    showToolbars();
    if (auto nav = navigationController()) {
        nav->setHidesBarsOnSwipe(false);
        nav->setHidesBarsWhenKeyboardAppears(false);
        nav->setHidesBarsWhenVerticallyCompact(false);
    }
}

void ScanViewController::viewDidAppear(bool animated) {
    ui::TableViewController::viewDidAppear(animated);
    showToolbars();
}

std::size_t ScanViewController::actionCount() const {
    if (!result_)
        return 0;
    auto actions = result_->actions();
    return actions ? actions->size() : 0;
}

int ScanViewController::lastSection() const {
    return actionCount() > 0 ? kActionSection + 1 : kActionSection;
}

int ScanViewController::numberOfSectionsInTableView(ui::TableView&) {
    return lastSection() + 1;
}

int ScanViewController::numberOfRowsInSection(ui::TableView&, int section) {
    if (section == kHeaderSection)
        return 3;
    if (section == kAdSection || section == lastSection())
        return 1;
    if (section == kActionSection)
        return static_cast<int>(actionCount());
    return 0;
}

double ScanViewController::bodyHeightForText(const std::string& text, const ui::Font& font) {
    const auto size = ui::TextMeasurement::boundingSize(
        text, font, graphics::Size(kBodyWidth, kBodyMaxHeight), ui::LineBreakMode::wordWrap);
    return std::clamp(size.height + kBodyPadding, kBodyMinHeight, kBodyMaxHeight);
}

std::optional<double> ScanViewController::heightForRowAtIndexPath(ui::TableView&,
                                                                  ui::IndexPath indexPath) {
    if (indexPath.section == kHeaderSection) {
        switch (indexPath.row) {
            case 0:
                return kTitleHeight;
            case 1:
                return bodyHeightForText(result_ ? result_->stringForDisplay() : std::string(),
                                         bodyFont_);
            default:
                return kDatetimeHeight;
        }
    }
    if (indexPath.section == kAdSection)
        return GADAdSizeGetCGSize(kGADAdSizeSmartBannerPortrait).height;
    return std::nullopt;
}

ui::TableViewCell::Ptr ScanViewController::cellWithIdentifier(const std::string& identifier,
                                                              ui::TableView& table) {
    if (auto cell = table.dequeueReusableCellWithIdentifier(identifier))
        return cell;
    return std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::defaultStyle, identifier);
}

ui::TableViewCell::Ptr ScanViewController::titleCellInTableView(ui::TableView& table) {
    auto cell = cellWithIdentifier(kTitleIdentifier, table);
    auto icon = result_ ? result_->icon() : nullptr;
    cell->imageView()->setImage(
        icon ? icon->imageWithRenderingMode(graphics::RenderingMode::alwaysTemplate) : nullptr);
    cell->textLabel()->setText(result_ ? result_->typeName() : std::string());
    return cell;
}

ui::TableViewCell::Ptr ScanViewController::bodyCellInTableView(ui::TableView& table) {
    auto cell = cellWithIdentifier(kBodyIdentifier, table);
    auto body = taggedSubview<ui::TextView>(*cell, kBodyTag);
    if (!body) {
        cell->setFrame(graphics::Rect(0, 0, 320, 88));
        body = std::make_shared<ui::TextView>(
            cell->contentView()->bounds().insetBy(kCellInset, kCellInset));
        body->setFont(bodyFont_);
        body->setTag(kBodyTag);
        body->setEditable(false);
        body->setDataDetectorTypes(ui::DataDetectorTypes::all);
        body->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                  ui::Autoresizing::flexibleHeight);
        cell->contentView()->addSubview(body);
    }
    body->setText(result_ ? result_->stringForDisplay() : std::string());
    return cell;
}

ui::TableViewCell::Ptr ScanViewController::datetimeCellInTableView(ui::TableView& table) {
    auto cell = cellWithIdentifier(kDatetimeIdentifier, table);
    cell->setFrame(graphics::Rect(0, 0, 320, 34));
    auto& label = cell->textLabel();
    label->setFont(ui::Font::systemFontOfSize(ui::Font::systemFontSize() * 2 / 3));
    label->setTextColor(graphics::Color::grayColor());
    label->setTextAlignment(ui::TextAlignment::center);
    label->setText(scan_ ? dateFormatter_->stringFromDate(scan_->stamp()) : std::string());
    return cell;
}

ui::TableViewCell::Ptr ScanViewController::buttonCellInTableView(ui::TableView& table) {
    auto cell = cellWithIdentifier(kButtonIdentifier, table);
    if (!taggedSubview<ui::Label>(*cell, kButtonLabelTag)) {
        cell->setFrame(graphics::Rect(0, 0, 320, 44));
        auto label = std::make_shared<ui::Label>(
            cell->contentView()->bounds().insetBy(kCellInset, kCellInset));
        label->setFont(ui::Font::boldSystemFontOfSize(ui::Font::systemFontSize()));
        label->setTag(kButtonLabelTag);
        label->setLineBreakMode(ui::LineBreakMode::truncateMiddle);
        label->setTextColor(graphics::Color::grayColor());
        label->setTextAlignment(ui::TextAlignment::center);
        label->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                   ui::Autoresizing::flexibleHeight);
        cell->contentView()->addSubview(label);
    }
    return cell;
}

ui::TableViewCell::Ptr ScanViewController::zizezCellInTableView(ui::TableView& table) {
    auto cell = cellWithIdentifier(kZizezIdentifier, table);
    cell->setFrame(
        graphics::Rect(0, 0, ui::Screen::mainScreen().applicationFrame().size.width, 60));
    auto& banner = bannerStorage();
    if (!banner) {
        banner = GADBannerView::makeWithAdSize(kGADAdSizeSmartBannerPortrait);
        banner->setAdUnitID(std::string(kAdUnitID));
        banner->setRootViewController(self());
        banner->setDelegate(std::static_pointer_cast<GADBannerViewDelegate>(self()));
        auto request = GADRequest::request();
        foundation::Array devices;
        for (const char* device : kTestDevices)
            devices.emplace_back(device);
        request->setTestDevices(devices);
        banner->loadRequest(request);
    }
    cell->contentView()->addSubview(banner);
    return cell;
}

ui::TableViewCell::Ptr ScanViewController::cellForRowAtIndexPath(ui::TableView& table,
                                                                 ui::IndexPath indexPath) {
    if (indexPath.section == kHeaderSection) {
        switch (indexPath.row) {
            case 0:
                return titleCellInTableView(table);
            case 1:
                return bodyCellInTableView(table);
            default:
                return datetimeCellInTableView(table);
        }
    }
    if (indexPath.section == kAdSection)
        return zizezCellInTableView(table);
    auto cell = buttonCellInTableView(table);
    auto label = taggedSubview<ui::Label>(*cell, kButtonLabelTag);
    std::string text = kCopyTitle;
    if (indexPath.section != lastSection()) {
        auto actions = result_->actions();
        text = (*actions)[static_cast<std::size_t>(indexPath.row)]->title();
    }
    label->setText(text);
    return cell;
}

std::optional<ui::IndexPath> ScanViewController::willSelectRowAtIndexPath(ui::TableView&,
                                                                          ui::IndexPath indexPath) {
    if (indexPath.section == kHeaderSection)
        return std::nullopt;
    return indexPath;
}

void ScanViewController::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) {
    if (indexPath.section == lastSection()) {
        ui::Pasteboard::generalPasteboard().setString(scan_ ? scan_->text() : std::string());
        table.deselectRowAtIndexPath(indexPath, true);
        Toast::makeToast(view(), std::string("Copied to clipboard"), 3.0, std::string("center"));
        return;
    }
    if (indexPath.section != kActionSection)
        return;
    table.deselectRowAtIndexPath(indexPath, true);
    auto action = (*result_->actions())[static_cast<std::size_t>(indexPath.row)];
    std::weak_ptr<ScanViewController> weak = self();
    foundation::RunLoop::main().performAfter(
        0,
        [weak, action] {
            if (auto screen = weak.lock())
                screen->performAction(action);
        },
        this, "performAction:");
}

void ScanViewController::performAction(const std::shared_ptr<ResultAction>& action) {
    if (action)
        action->performActionWithController(self(), false);
}

void ScanViewController::action1(const ui::BarButtonItem::Ptr& sender) {
    auto sheet =
        ui::ActionSheet::make("", std::static_pointer_cast<ui::ActionSheetDelegate>(self()),
                              "Cancel", std::nullopt, {kCopyTitle, "Create QR Code", "Share"});
    sheet->setTag(kShareSheetTag);
    sheet->setActionSheetStyle(ui::ActionSheetStyle::blackOpaque);
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad && sender) {
        sheet->showFromBarButtonItem(sender, true);
    } else if (auto nav = navigationController()) {
        sheet->showFromToolbar(nav->toolbar());
    }
}

void ScanViewController::actionSheetClickedButtonAtIndex(ui::ActionSheet& sheet, int index) {
    if (sheet.tag() != kShareSheetTag)
        return;
    const std::string text = scan_ ? scan_->text() : std::string();
    switch (index) {
        case 0:
            ui::Pasteboard::generalPasteboard().setString(text);
            break;
        case 1: {
            auto screen = std::make_shared<QRGenViewController>();
            screen->setQrText(text);
            if (auto nav = navigationController())
                nav->pushViewController(screen, true);
            break;
        }
        case 2: {
            std::weak_ptr<ScanViewController> weak = self();
            foundation::RunLoop::main().performAfter(
                0.1,
                [weak] {
                    if (auto screen = weak.lock())
                        screen->emailPhoto();
                },
                this, "emailPhoto");
            break;
        }
        default:
            break;
    }
}

void ScanViewController::emailPhoto() {
    const std::string text = (result_ ? result_->stringForDisplay() : std::string()) + "\n";
    auto sheet = std::make_shared<ui::ActivityViewController>(std::vector<ui::ActivityItem>{text});
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad) {
        sheet->popoverPresentationController().setBarButtonItem(bbi_share_);
        sheet->popoverPresentationController().setSourceView(view());
    }
    presentViewController(sheet, true, [] {});
}
