#include "app/BarcodeDetailController.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADRequest.h"
#include "app/ActionDetailController.h"
#include "app/AppDelegate.h"
#include "app/DetailLinkTableViewCell.h"
#include "app/TextFieldTableController.h"
#include "app/TextViewController.h"
#include "app/WebViewController.h"
#include "platform/foundation/PercentEncoding.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/URL.h"
#include "platform/store/Context.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TextMeasurement.h"
#include "platform/ui/ViewAnimation.h"
#include "scanning/zbar/ZBarSymbol.h"
#include "ui/KINWebBrowser/KINWebBrowserViewController.h"
#include "ui/Toast/Toast.h"

namespace {

constexpr int kDataSection = 0;
constexpr int kLinkSection = 1;
constexpr const char* kCopyTitle = "Copy to Clipboard";

// The banner is asked for an ad once, by the first header that shows it.
std::weak_ptr<GADBannerView>& requestedBanner() {
    static auto* banner = new std::weak_ptr<GADBannerView>;
    return *banner;
}

}  // namespace

BarcodeDetailController::BarcodeDetailController(std::shared_ptr<Barcode> barcode)
    : ui::TableViewController(ui::TableViewStyle::grouped) {
    if (barcode) {
        barcode_ = std::move(barcode);
        context_ = barcode_->managedObjectContext();
    }
    setTitle("Scan Detail");
    navigationItem().setBackBarButtonItem(
        ui::BarButtonItem::withTitle("", ui::BarButtonItemStyle::bordered));
}

BarcodeDetailController::~BarcodeDetailController() {
    stopObservingBarcode();
}

std::shared_ptr<BarcodeDetailController> BarcodeDetailController::self() {
    return std::static_pointer_cast<BarcodeDetailController>(shared_from_this());
}

void BarcodeDetailController::setContext(const std::shared_ptr<store::Context>& context) {
    context_ = context;
}

void BarcodeDetailController::viewDidLoad() {
    ui::TableViewController::viewDidLoad();
    auto table = tableView();
    if (table->isEditing() != isEditing()) {
        table->setEditing(isEditing(), false);
    }
    // A link row tapped in edit mode opens its editor.
    table->setAllowsSelectionDuringEditing(true);
    initHeader();
    dataCells_ = {initDataCell("data"), initDataCell("type"), initDataCell("scanned")};
    dataCells_[0]->setAccessoryType(ui::TableViewCellAccessoryType::disclosureIndicator);

    std::weak_ptr<BarcodeDetailController> weak = self();
    bbi_share_ = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::action,
                                                   [weak](ui::BarButtonItem& item) {
                                                       if (auto screen = weak.lock()) {
                                                           screen->action1(screen->bbi_share_);
                                                       }
                                                   });
    setToolbarItems({ui::BarButtonItem::flexibleSpace(), bbi_share_});
    // The platform's Edit item turns the link and title editing on and off.
    navigationItem().setRightBarButtonItem(editButtonItem());
    initFetch();
    dateFormat_ = std::make_unique<foundation::DateFormatter>();
    dateFormat_->setDateStyle(foundation::DateFormatter::Style::Medium);
    dateFormat_->setTimeStyle(foundation::DateFormatter::Style::Short);
}

void BarcodeDetailController::viewDidUnload() {
    ui::TableViewController::viewDidUnload();
    cleanup();
}

void BarcodeDetailController::cleanup() {
    setToolbarItems({});
    results_.reset();
    allClasses_.clear();
    thumb_.reset();
    titleButton_.reset();
    titleLabel_.reset();
    dataCells_.clear();
    actions_.clear();
    dateFormat_.reset();
    bbi_share_.reset();
}

void BarcodeDetailController::initFetch() {
    if (!context_) {
        return;
    }
    store::FetchRequest request("Action");
    request.sortDescriptors = {store::SortDescriptor("index")};
    results_ = std::make_unique<store::FetchedResultsController>(request, context_, "", "Action");
    results_->setDelegate(
        std::static_pointer_cast<store::FetchedResultsControllerDelegate>(self()));
    results_->performFetch(nullptr);
    allClasses_ = Classification::classesInContext(*context_).value_or(
        std::vector<std::shared_ptr<Classification>>{});
}

double BarcodeDetailController::getHeightForText(const std::string& text, const ui::Font& font,
                                                 double width) {
    const auto size =
        ui::TextMeasurement::boundingSize(text, font, {width, 20000}, ui::LineBreakMode::wordWrap);
    return std::max(40.0, std::ceil(size.height));
}

std::string BarcodeDetailController::titleText() const {
    if (!barcode_) {
        return {};
    }
    auto name = barcode_->name();
    return name.empty() ? barcode_->data() : name;
}

void BarcodeDetailController::initHeader() {
    auto table = tableView();
    const double width = table->bounds().size.width;
    const double height =
        std::max(getHeightForText(titleText(), ui::Font::systemFontOfSize(17), width - 100), 55.0);

    auto header = std::make_shared<ui::View>(graphics::Rect{0, 0, width, height + 80});
    header->setAutoresizingMask(ui::Autoresizing::flexibleWidth);

    thumb_ = std::make_shared<ui::ImageView>(graphics::Rect{5, 5, 45, 45});
    thumb_->setBackgroundColor(graphics::Color::whiteColor());
    thumb_->setContentMode(ui::ContentMode::scaleAspectFill);
    thumb_->layer().setMasksToBounds(true);
    thumb_->layer().setCornerRadius(9);
    thumb_->layer().setBorderColor(graphics::Color::lightGrayColor());
    thumb_->layer().setBorderWidth(1);
    auto thumbFrame = thumb_->frame();
    thumbFrame.origin.y = (height - 45) / 2;
    thumb_->setFrame(thumbFrame);
    header->addSubview(thumb_);

    titleButton_ = ui::Button::buttonWithType(ui::ButtonType::system);
    titleButton_->setFrame({112, 8, width - 120, 96});
    titleButton_->setContentEdgeInsets({8, 8, 8, 8});
    titleButton_->setAutoresizingMask(ui::Autoresizing::flexibleWidth);
    titleButton_->setContentHorizontalAlignment(ui::ContentHorizontalAlignment::left);
    titleButton_->setAlpha(0);
    titleButton_->setEnabled(false);
    titleButton_->titleLabel()->setFont(ui::Font::boldSystemFontOfSize(20));
    titleButton_->titleLabel()->setNumberOfLines(0);
    std::weak_ptr<BarcodeDetailController> weak = self();
    titleButton_->addTarget(ui::ControlEvent::touchUpInside, [weak](ui::Control&) {
        if (auto screen = weak.lock()) {
            screen->showTitleEditor();
        }
    });
    header->addSubview(titleButton_);

    titleLabel_ = std::make_shared<ui::Label>(graphics::Rect{55, 0, width - 100, height});
    titleLabel_->setBackgroundColor(graphics::Color::clearColor());
    titleLabel_->setAutoresizingMask(ui::Autoresizing::flexibleWidth);
    titleLabel_->setFont(ui::Font::systemFontOfSize(17));
    titleLabel_->setNumberOfLines(0);
    titleLabel_->setLineBreakMode(ui::LineBreakMode::charWrap);
    header->addSubview(titleLabel_);

    auto delegate = AppDelegate::shared();
    if (auto banner = delegate ? delegate->bannerView_() : nullptr) {
        auto frame = banner->frame();
        frame.origin = {(width - frame.size.width) / 2, height + 20};
        banner->setFrame(frame);
        header->addSubview(banner);
        auto& requested = requestedBanner();
        if (requested.lock() != banner) {
            requested = banner;
            banner->loadRequest(GADRequest::request());
        }
    }
    table->setTableHeaderView(header);
}

ui::TableViewCell::Ptr BarcodeDetailController::initDataCell(const std::string& title) {
    auto cell = std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::value2, "");
    cell->textLabel()->setText(title);
    return cell;
}

void BarcodeDetailController::updateData() {
    if (!barcode_ || !isViewLoaded() || dataCells_.size() < 3) {
        return;
    }
    const auto text = titleText();
    titleLabel_->setText(text);
    titleButton_->setTitle(text);
    thumb_->setImage(barcode_->thumb());
    dataCells_[0]->detailTextLabel()->setText(barcode_->data());
    dataCells_[1]->detailTextLabel()->setText(ZBarSymbol::nameForType(barcode_->type()));
    dataCells_[2]->detailTextLabel()->setText(dateFormat_->stringFromDate(barcode_->date()));
}

void BarcodeDetailController::observeBarcode() {
    stopObservingBarcode();
    if (!barcode_) {
        return;
    }
    observed_ = barcode_;
    std::weak_ptr<BarcodeDetailController> weak = self();
    auto changed = [weak](const foundation::KeyValueChange&) {
        if (auto screen = weak.lock()) {
            screen->updateData();
        }
    };
    observed_->addObserver(self(), "name", changed);
    observed_->addObserver(self(), "thumb", changed);
}

void BarcodeDetailController::stopObservingBarcode() {
    if (observed_) {
        observed_->removeObserver(this, "thumb");
        observed_->removeObserver(this, "name");
        observed_.reset();
    }
}

void BarcodeDetailController::viewWillAppear(bool animated) {
    ui::TableViewController::viewWillAppear(animated);
    if (auto nav = navigationController()) {
        nav->setHidesBarsOnSwipe(false);
        nav->setHidesBarsOnTap(false);
        nav->setHidesBarsWhenKeyboardAppears(false);
        nav->setHidesBarsWhenVerticallyCompact(false);
        nav->setNavigationBarHidden(false, animated);
        nav->setToolbarHidden(false, animated);
    }
    if (barcode_) {
        barcode_->classify();
    }
    updateData();
    observeBarcode();
    initActions(false);
    // The table loads its rows as the screen appears, after the links are listed.
    tableView()->reloadData();
}

void BarcodeDetailController::viewWillDisappear(bool animated) {
    stopObservingBarcode();
    ui::TableViewController::viewWillDisappear(animated);
}

bool BarcodeDetailController::shouldAutorotateToInterfaceOrientation(
    ui::InterfaceOrientation o) const {
    return o != ui::InterfaceOrientation::portraitUpsideDown;
}

void BarcodeDetailController::initActions(bool reload) {
    actions_.clear();
    if (!results_) {
        return;
    }
    std::set<std::string> names;
    if (barcode_ && barcode_->classification()) {
        for (const auto& [name, value] : *barcode_->classification()) {
            names.insert(name);
        }
    }
    for (const auto& object : results_->fetchedObjects()) {
        auto action = std::dynamic_pointer_cast<Action>(object);
        if (action && (isEditing() || !barcode_ || action->hasAnyClassification(names))) {
            actions_.push_back(std::move(action));
        }
    }
    if (reload && isViewLoaded()) {
        tableView()->reloadSections({kLinkSection}, ui::TableViewRowAnimation::fade);
    }
}

int BarcodeDetailController::numberOfSectionsInTableView(ui::TableView&) {
    return 2;
}

int BarcodeDetailController::numberOfRowsInSection(ui::TableView&, int section) {
    if (section == kDataSection) {
        return static_cast<int>(dataCells_.size());
    }
    return static_cast<int>(actions_.size()) + (isEditing() ? 1 : 0) + 1;
}

ui::TableViewCell::Ptr BarcodeDetailController::cellForRowAtIndexPath(ui::TableView& table,
                                                                      ui::IndexPath indexPath) {
    if (indexPath.section == kDataSection) {
        return dataCells_.at(static_cast<std::size_t>(indexPath.row));
    }
    std::shared_ptr<DetailLinkTableViewCell> cell =
        std::dynamic_pointer_cast<DetailLinkTableViewCell>(
            table.dequeueReusableCellWithIdentifier(DetailLinkTableViewCell::kReuseIdentifier));
    if (!cell) {
        cell = DetailLinkTableViewCell::loadFromNib();
    }
    const auto row = static_cast<std::size_t>(indexPath.row);
    if (auto label = cell->labelAction()) {
        label->setText(row < actions_.size() ? actions_[row]->name() : kCopyTitle);
    }
    cell->setAccessoryType(ui::TableViewCellAccessoryType::disclosureIndicator);
    return cell;
}

std::optional<ui::IndexPath> BarcodeDetailController::willSelectRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
    if (indexPath.section == kLinkSection ||
        (indexPath.section == kDataSection && indexPath.row == 0 && !isEditing())) {
        return indexPath;
    }
    return std::nullopt;
}

void BarcodeDetailController::didSelectRowAtIndexPath(ui::TableView& table,
                                                      ui::IndexPath indexPath) {
    if (indexPath.section == kDataSection) {
        auto text = std::make_shared<TextViewController>();
        text->textView()->setEditable(false);
        text->textView()->setFont(ui::Font::systemFontOfSize(17));
        text->textView()->setText(barcode_ ? barcode_->data() : std::string());
        if (auto nav = navigationController()) {
            nav->pushViewController(text, true);
        }
        return;
    }
    const auto row = static_cast<std::size_t>(indexPath.row);
    if (isEditing()) {
        showLinkDetailForRow(row < actions_.size() ? indexPath.row : -1);
        return;
    }
    if (row < actions_.size()) {
        if (!activateLink(actions_[row])) {
            table.deselectRowAtIndexPath(indexPath, true);
        }
        return;
    }
    ui::Pasteboard::generalPasteboard().setString(barcode_ ? barcode_->data() : std::string());
    Toast::makeToast(view(), std::string("Copied to clipboard"), 3.0, std::string("center"));
    table.deselectRowAtIndexPath(indexPath, true);
}

bool BarcodeDetailController::activateLink(const std::shared_ptr<Action>& action) {
    if (!action || !barcode_ || !barcode_->classification()) {
        return false;
    }
    const auto& values = *barcode_->classification();
    const auto linkClasses = action->classes();
    std::optional<std::string> value;
    for (const auto& classification : allClasses_) {
        if (std::find(linkClasses.begin(), linkClasses.end(), classification) ==
            linkClasses.end()) {
            continue;
        }
        if (auto found = values.find(classification->name()); found != values.end()) {
            value = found->second;
            break;
        }
    }
    if (!value) {
        return false;
    }
    const auto address = action->url() + foundation::addingPercentEscapes(*value);
    auto url = foundation::URL::fromString(address);
    if (!WebViewController::canOpenInternal(url)) {
        return WebViewController::openExternalURL(url);
    }
    auto nav = navigationController();
    if (!nav) {
        return false;
    }
    auto browserNav = KINWebBrowserViewController::navigationControllerWithWebBrowser();
    nav->presentViewController(browserNav, true);
    if (auto browser = KINWebBrowser::rootWebBrowser(*browserNav)) {
        browser->loadURL(*url);
    }
    return true;
}

void BarcodeDetailController::setEditing(bool editing, bool animated) {
    if (editing == isEditing()) {
        return;
    }
    ui::TableViewController::setEditing(editing, animated);
    navigationItem().setHidesBackButton(editing, animated);
    initActions(true);
    auto changes = [this, editing] {
        if (titleLabel_) {
            titleLabel_->setAlpha(editing ? 0 : 1);
        }
        if (titleButton_) {
            titleButton_->setAlpha(editing ? 1 : 0);
            titleButton_->setEnabled(editing);
        }
        if (!dataCells_.empty()) {
            dataCells_[0]->setAccessoryType(
                editing ? ui::TableViewCellAccessoryType::none
                        : ui::TableViewCellAccessoryType::disclosureIndicator);
        }
    };
    if (animated) {
        ui::ViewAnimation::animate(0.3, changes);
    } else {
        changes();
    }
    if (!editing && context_) {
        context_->save(nullptr);
    }
}

bool BarcodeDetailController::canEditRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) {
    return indexPath.section == kLinkSection;
}

std::optional<ui::TableViewCellEditingStyle> BarcodeDetailController::editingStyleForRowAtIndexPath(
    ui::TableView&, ui::IndexPath indexPath) {
    if (!isEditing() || indexPath.section != kLinkSection) {
        return ui::TableViewCellEditingStyle::none;
    }
    return static_cast<std::size_t>(indexPath.row) < actions_.size()
               ? ui::TableViewCellEditingStyle::remove
               : ui::TableViewCellEditingStyle::insert;
}

void BarcodeDetailController::commitEditingStyle(ui::TableView&,
                                                 ui::TableViewCellEditingStyle style,
                                                 ui::IndexPath indexPath) {
    if (indexPath.section != kLinkSection) {
        return;
    }
    if (style == ui::TableViewCellEditingStyle::insert) {
        showLinkDetailForRow(-1);
        return;
    }
    const auto row = static_cast<std::size_t>(indexPath.row);
    if (style == ui::TableViewCellEditingStyle::remove && row < actions_.size() && context_) {
        context_->deleteObject(actions_[row]);
        context_->processPendingChanges();
    }
}

bool BarcodeDetailController::canMoveRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) {
    return indexPath.section == kLinkSection &&
           static_cast<std::size_t>(indexPath.row) < actions_.size();
}

ui::IndexPath BarcodeDetailController::targetIndexPathForMove(ui::TableView&, ui::IndexPath,
                                                              ui::IndexPath proposed) {
    if (proposed.section == kDataSection) {
        return {kLinkSection, 0};
    }
    const int last = std::max(0, static_cast<int>(actions_.size()) - 1);
    if (proposed.row > last) {
        return {kLinkSection, last};
    }
    return proposed;
}

void BarcodeDetailController::moveRowAtIndexPath(ui::TableView&, ui::IndexPath from,
                                                 ui::IndexPath to) {
    const int count = static_cast<int>(actions_.size());
    const int a = from.row;
    const int b = to.row;
    if (a == b || a < 0 || b < 0 || a >= count || b >= count) {
        return;
    }
    auto moved = actions_[static_cast<std::size_t>(a)];
    actions_.erase(actions_.begin() + a);
    actions_.insert(actions_.begin() + b, moved);
    for (int i = std::min(a, b); i <= std::max(a, b); ++i) {
        actions_[static_cast<std::size_t>(i)]->setIndex(i);
    }
    if (results_) {
        results_->performFetch(nullptr);
    }
}

void BarcodeDetailController::controllerDidChangeContent(store::FetchedResultsController&) {
    initActions(true);
}

void BarcodeDetailController::showLinkDetailForRow(int row) {
    std::shared_ptr<Action> action;
    if (row == -1) {
        if (!context_) {
            return;
        }
        action = context_->insertNewObject<Action>("Action");
        if (!action) {
            return;
        }
        action->setIndex(static_cast<std::int32_t>(actions_.size()));
        for (const auto& classification : Classification::classesForLevel(0, *context_)) {
            action->addClassesObject(classification);
        }
    } else if (row >= 0 && static_cast<std::size_t>(row) < actions_.size()) {
        action = actions_[static_cast<std::size_t>(row)];
    } else {
        return;
    }
    if (auto nav = navigationController()) {
        nav->pushViewController(std::make_shared<ActionDetailController>(action), true);
    }
}

void BarcodeDetailController::showTitleEditor() {
    if (!barcode_) {
        return;
    }
    auto editor = std::make_shared<TextFieldTableController>(
        barcode_, 1, std::vector<std::string>{"name"}, std::vector<std::string>{"Barcode Title"});
    editor->setTitle("Edit Title");
    if (auto nav = navigationController()) {
        nav->pushViewController(editor, true);
    }
}

void BarcodeDetailController::action1(const ui::BarButtonItem::Ptr& sender) {
    auto sheet =
        ui::ActionSheet::make("", std::static_pointer_cast<ui::ActionSheetDelegate>(self()),
                              "Cancel", std::nullopt, {"Share"});
    sheet->setTag(kShareSheetTag);
    sheet->setActionSheetStyle(ui::ActionSheetStyle::blackOpaque);
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad && sender) {
        sheet->showFromBarButtonItem(sender, true);
    } else if (auto nav = navigationController()) {
        sheet->showFromToolbar(nav->toolbar());
    }
}

void BarcodeDetailController::actionSheetClickedButtonAtIndex(ui::ActionSheet& sheet, int index) {
    if (sheet.tag() != kShareSheetTag || index != 0) {
        return;
    }
    std::weak_ptr<BarcodeDetailController> weak = self();
    foundation::RunLoop::main().performAfter(
        0.1,
        [weak] {
            if (auto screen = weak.lock()) {
                screen->emailPhoto();
            }
        },
        this, "emailPhoto");
}

void BarcodeDetailController::emailPhoto() {
    const std::string text = (barcode_ ? barcode_->data() : std::string()) + "\n";
    auto sheet = std::make_shared<ui::ActivityViewController>(std::vector<ui::ActivityItem>{text});
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad) {
        sheet->popoverPresentationController().setBarButtonItem(bbi_share_);
        sheet->popoverPresentationController().setSourceView(view());
    }
    presentViewController(sheet, true, [] {});
}

foundation::Value BarcodeDetailController::saveState() {
    if (!barcode_ || !barcode_->objectID().isValid() || barcode_->objectID().isTemporaryID()) {
        return {};
    }
    auto state = foundation::Value::dictionary();
    state.set("class", className());
    state.set("barcode", barcode_->objectID().URIRepresentation());
    return state;
}

bool BarcodeDetailController::restoreState(const foundation::Value& state) {
    if (!state.isDictionary() || !context_ || !state.get("barcode").isString()) {
        return false;
    }
    const auto& coordinator = context_->persistentStoreCoordinator();
    if (!coordinator) {
        return false;
    }
    auto id = coordinator->managedObjectIDForURIRepresentation(*state.get("barcode").asString());
    if (!id) {
        return false;
    }
    auto barcode = std::dynamic_pointer_cast<Barcode>(context_->existingObjectWithID(*id, nullptr));
    if (!barcode) {
        return false;
    }
    barcode_ = std::move(barcode);
    if (isViewLoaded()) {
        updateData();
        initActions(true);
    }
    return true;
}
