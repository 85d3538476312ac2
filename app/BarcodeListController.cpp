#include "app/BarcodeListController.h"

#include <algorithm>
#include <vector>

#include "app/AppScreens.h"
#include "app/BarcodeDetailController.h"
#include "app/Scan.h"
#include "app/ScanRoute.h"
#include "app/ScanViewController.h"
#include "model/BarcodeEmail.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/graphics/Color.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/TableView.h"
#include "results/ParsedResult.h"
#include "results/UniversalResultParser.h"

BarcodeListController::BarcodeListController()
    : ui::TableViewController(ui::TableViewStyle::plain) {
    setTitle("History");
}

BarcodeListController::~BarcodeListController() {
    cleanup();
}

std::shared_ptr<BarcodeListController> BarcodeListController::self() {
    return std::static_pointer_cast<BarcodeListController>(shared_from_this());
}

void BarcodeListController::registerScreen() {
    auto& screens = AppScreens::shared();
    if (!screens.historyList) {
        screens.historyList = [](const std::shared_ptr<store::Context>& context) {
            auto list = std::make_shared<BarcodeListController>();
            list->setContext(context);
            list->initFetch();
            return std::static_pointer_cast<ui::ViewController>(list);
        };
    }
    foundation::ClassRegistry::shared().registerClass<ui::ViewController>(
        {"BarcodeListController",
         "UITableViewController",
         {"NSFetchedResultsControllerDelegate", "UIActionSheetDelegate", "PersistentState",
          "GADBannerViewDelegate"}},
        [] { return std::make_shared<BarcodeListController>(); });
}

void BarcodeListController::initFetch() {
    if (!context_)
        return;
    store::FetchRequest request("Barcode");
    request.sortDescriptors = {store::SortDescriptor("date", false)};
    results_ = std::make_unique<store::FetchedResultsController>(request, context_, "", "Barcode");
    results_->setDelegate(
        std::static_pointer_cast<store::FetchedResultsControllerDelegate>(self()));
    results_->performFetch(nullptr);
}

int BarcodeListController::rows() const {
    if (!results_ || results_->sections().empty())
        return 0;
    return static_cast<int>(results_->sections().front().numberOfObjects());
}

std::shared_ptr<Barcode> BarcodeListController::barcodeAt(ui::IndexPath indexPath) const {
    return results_ ? std::dynamic_pointer_cast<Barcode>(results_->objectAtIndexPath(indexPath))
                    : nullptr;
}

ui::TableView::Ptr BarcodeListController::loadedTable() {
    return isViewLoaded() ? tableView() : nullptr;
}

bool BarcodeListController::isVisibleScreen() const {
    auto nav = navigationController();
    return nav && nav->visibleViewController().get() == this;
}

void BarcodeListController::viewDidLoad() {
    ui::TableViewController::viewDidLoad();
    navigationItem().setBackBarButtonItem(
        ui::BarButtonItem::withTitle("Back", ui::BarButtonItemStyle::plain));
    tableView()->setRowHeight(kRowHeight);
    navigationItem().setRightBarButtonItem(editButtonItem());

    std::weak_ptr<BarcodeListController> weak = self();
    clearButton_ = ui::BarButtonItem::withTitle("Clear", ui::BarButtonItemStyle::bordered,
                                                [weak](ui::BarButtonItem&) {
                                                    if (auto list = weak.lock())
                                                        list->clearAll();
                                                });
    dateFormat_ = std::make_unique<foundation::DateFormatter>();
    dateFormat_->setDateStyle(foundation::DateFormatter::Style::Short);
    dateFormat_->setTimeStyle(foundation::DateFormatter::Style::Short);

    bbi_share_ = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::action,
                                                   [weak](ui::BarButtonItem&) {
                                                       if (auto list = weak.lock())
                                                           list->action1(list->shareItem());
                                                   });
    setToolbarItems({ui::BarButtonItem::flexibleSpace(), bbi_share_});

    if (!results_)
        initFetch();
}

void BarcodeListController::viewDidUnload() {
    cleanup();
    ui::TableViewController::viewDidUnload();
}

void BarcodeListController::cleanup() {
    navigationItem().setLeftBarButtonItem(nullptr);
    navigationItem().setRightBarButtonItem(nullptr);
    navigationItem().setBackBarButtonItem(nullptr);
    setToolbarItems({});
    clearButton_.reset();
    bbi_share_.reset();
    results_.reset();
    dateFormat_.reset();
    auto watches = std::move(thumbWatches_);
    thumbWatches_.clear();
    for (const auto& [barcode, watched] : watches) {
        if (auto code = watched.lock())
            code->removeObserver(this, "thumb");
    }
}

bool BarcodeListController::shouldAutorotateToInterfaceOrientation(
    ui::InterfaceOrientation o) const {
    return o != ui::InterfaceOrientation::portraitUpsideDown;
}

void BarcodeListController::viewWillAppear(bool animated) {
    ui::TableViewController::viewWillAppear(animated);
    if (auto nav = navigationController()) {
        nav->setNavigationBarHidden(false, animated);
        nav->setToolbarHidden(false, animated);
    }
    const int count = rows();
    if (savedRow_ > count - 1)
        savedRow_ = count - 1;
    auto table = tableView();
    if (savedRow_ >= 0 && table) {
        const ui::IndexPath target{0, static_cast<int>(savedRow_)};
        const auto visible = table->indexPathsForVisibleRows();
        if (std::find(visible.begin(), visible.end(), target) == visible.end()) {
            const int row = static_cast<int>(std::min<std::int64_t>(savedRow_, count - 1));
            table->scrollToRowAtIndexPath({0, row}, ui::TableViewScrollPosition::middle, false);
        }
    }
    savedRow_ = -1;
}

void BarcodeListController::viewWillDisappear(bool animated) {
    savePosition();
    ui::TableViewController::viewWillDisappear(animated);
    setEditing(false, false);
}

void BarcodeListController::savePosition() {
    if (savedRow_ >= 0)
        return;
    auto table = loadedTable();
    if (!table)
        return;
    std::vector<ui::IndexPath> visible;
    for (const auto& path : table->indexPathsForVisibleRows()) {
        if (path.section == 0)
            visible.push_back(path);
    }
    if (visible.empty())
        return;
    if (visible.front().row == 0)
        savedRow_ = 0;
    else if (visible.back().row == rows() - 1)
        savedRow_ = rows() - 1;
    else
        savedRow_ = visible[visible.size() / 2].row;
}

void BarcodeListController::showDetailFor(const std::shared_ptr<Barcode>& barcode, bool animated) {
    auto nav = navigationController();
    if (!barcode || !nav)
        return;
    const std::string data = barcode->data();
    auto result = UniversalResultParser::parsedResultForString(data);
    if (scanRouteForResult(result.get()) == ScanRoute::scanResult) {
        auto scan = std::make_shared<Scan>(-1, data, barcode->date());
        nav->pushViewController(std::make_shared<ScanViewController>(result, scan), true);
        return;
    }
    nav->popToViewController(self(), false);
    nav->pushViewController(std::make_shared<BarcodeDetailController>(barcode), animated);
}

void BarcodeListController::setEditing(bool editing, bool animated) {
    const bool changed = editing != isEditing();
    ui::TableViewController::setEditing(editing, animated);
    if (!changed)
        return;
    if (!(swiping_ && editing))
        navigationItem().setLeftBarButtonItem(editing ? clearButton_ : nullptr, animated);
    if (!editing && context_)
        context_->save(nullptr);
}

void BarcodeListController::clearAll() {
    auto sheet = ui::ActionSheet::make("Erase all data?",
                                       std::static_pointer_cast<ui::ActionSheetDelegate>(self()),
                                       std::string("Cancel"), std::string("Delete All"));
    sheet->setActionSheetStyle(ui::ActionSheetStyle::blackOpaque);
    if (auto nav = navigationController())
        sheet->showFromToolbar(nav->toolbar());
    else
        sheet->showInView(view());
}

void BarcodeListController::action1(const ui::BarButtonItem::Ptr& sender) {
    auto sheet =
        ui::ActionSheet::make("", std::static_pointer_cast<ui::ActionSheetDelegate>(self()),
                              std::string("Cancel"), std::nullopt, {"Share"});
    sheet->setTag(kShareSheetTag);
    sheet->setActionSheetStyle(ui::ActionSheetStyle::blackOpaque);
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad && sender)
        sheet->showFromBarButtonItem(sender, true);
    else if (auto nav = navigationController())
        sheet->showFromToolbar(nav->toolbar());
    else
        sheet->showInView(view());
}

void BarcodeListController::actionSheetClickedButtonAtIndex(ui::ActionSheet& sheet, int index) {
    if (sheet.tag() == kShareSheetTag) {
        if (index != 0)
            return;
        std::weak_ptr<BarcodeListController> weak = self();
        foundation::RunLoop::main().performAfter(
            0.1,
            [weak] {
                if (auto list = weak.lock())
                    list->emailPhoto();
            },
            this, "emailPhoto");
        return;
    }
    if (index != sheet.destructiveButtonIndex() || index < 0)
        return;
    if (results_) {
        // A copy: the fetched objects change once the deletions are announced.
        const auto objects = results_->fetchedObjects();
        for (const auto& object : objects)
            deleteBarcode(object);
    }
    const bool wasEditing = isEditing();
    setEditing(false, true);
    // Leaving edit mode saves; outside it the deletions are saved here.
    if (!wasEditing && context_)
        context_->save(nullptr);
}

void BarcodeListController::emailPhoto() {
    std::string text;
    if (results_) {
        for (const auto& object : results_->fetchedObjects()) {
            if (auto barcode = std::dynamic_pointer_cast<Barcode>(object))
                text += barcode->data() + "\n";
        }
    }
    auto sheet = std::make_shared<ui::ActivityViewController>(std::vector<ui::ActivityItem>{text});
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad) {
        sheet->popoverPresentationController().setBarButtonItem(bbi_share_);
        sheet->popoverPresentationController().setSourceView(view());
    }
    presentViewController(sheet, true, [] {});
}

void BarcodeListController::sendEmail() {
    if (!foundation::Thread::isMainThread()) {
        std::weak_ptr<BarcodeListController> weak = self();
        foundation::DispatchQueue::main()->async([weak] {
            if (auto list = weak.lock())
                list->sendEmail();
        });
        return;
    }
    if (!context_ || !results_)
        return;
    auto email = BarcodeEmail::make(*context_, "These are the barcodes");
    if (!email) {
        foundation::Log::write("BarcodeListController", "the history e-mail could not be made");
        return;
    }
    for (const auto& object : results_->fetchedObjects()) {
        if (auto barcode = std::dynamic_pointer_cast<Barcode>(object))
            email->addBarcode(*barcode);
    }
    auto mailer = email->mailerWithSubject("Barcodes");
    if (!mailer) {
        foundation::Log::write("BarcodeListController", "mail cannot be sent from this device");
        return;
    }
    if (auto nav = navigationController())
        nav->presentModalViewController(mailer, true);
    else
        presentModalViewController(mailer, true);
}

void BarcodeListController::mailComposeControllerDidFinish(
    services::MailComposeViewController&, services::MailComposeResult,
    const std::optional<foundation::Error>&) {
    becomeFirstResponder();
    dismissModalViewController(true);
}

foundation::Value BarcodeListController::saveState() {
    savePosition();
    auto state = foundation::Value::dictionary();
    state.set("class", className());
    state.set("row", savedRow_);
    return state;
}

bool BarcodeListController::restoreState(const foundation::Value& state) {
    if (!state.isDictionary())
        return false;
    const auto& row = state.get("row");
    if (row.isNumber())
        savedRow_ = static_cast<std::int32_t>(row.intValue());
    return true;
}

void BarcodeListController::configureCell(ui::TableViewCell& cell, ui::IndexPath indexPath) {
    if (auto barcode = barcodeAt(indexPath))
        configureCell(cell, barcode);
}

void BarcodeListController::configureCell(ui::TableViewCell& cell,
                                          const std::shared_ptr<Barcode>& barcode) {
    cell.detailTextLabel()->setText(dateFormat_ ? dateFormat_->stringFromDate(barcode->date())
                                                : std::string());
    const std::string name = barcode->name();
    cell.textLabel()->setText(name.empty() ? barcode->data() : name);
    auto thumb = barcode->thumb();
    cell.imageView()->setImage(thumb);
    if (thumb)
        stopObservingThumb(barcode.get());
    else
        observeThumb(barcode);
}

bool BarcodeListController::isObservingThumb(const Barcode& barcode) const {
    const auto found = thumbWatches_.find(&barcode);
    return found != thumbWatches_.end() && !found->second.expired();
}

void BarcodeListController::observeThumb(const std::shared_ptr<Barcode>& barcode) {
    if (isObservingThumb(*barcode))
        return;
    thumbWatches_[barcode.get()] = barcode;
    std::weak_ptr<BarcodeListController> weakList = self();
    std::weak_ptr<Barcode> weakCode = barcode;
    barcode->addObserver(self(), "thumb",
                         [weakList, weakCode](const foundation::KeyValueChange& change) {
                             auto list = weakList.lock();
                             auto code = weakCode.lock();
                             if (list && code)
                                 list->observeValueForKeyPath(change.key, code);
                         });
}

void BarcodeListController::stopObservingThumb(const Barcode* barcode) {
    const auto found = thumbWatches_.find(barcode);
    if (found == thumbWatches_.end())
        return;
    if (auto code = found->second.lock())
        code->removeObserver(this, "thumb");
    thumbWatches_.erase(found);
}

void BarcodeListController::observeValueForKeyPath(const std::string& keyPath,
                                                   const std::shared_ptr<Barcode>& barcode) {
    if (keyPath != "thumb" || !barcode)
        return;
    stopObservingThumb(barcode.get());
    auto table = loadedTable();
    if (!table || !results_)
        return;
    const auto path = results_->indexPathForObject(barcode.get());
    if (!path)
        return;
    if (auto cell = table->cellForRowAtIndexPath(*path)) {
        configureCell(*cell, barcode);
        cell->setNeedsLayout();
        cell->layoutIfNeeded();
    }
}

void BarcodeListController::deleteBarcode(const std::shared_ptr<store::ManagedObject>& object) {
    if (!object || !context_)
        return;
    stopObservingThumb(dynamic_cast<const Barcode*>(object.get()));
    context_->deleteObject(object);
}

int BarcodeListController::numberOfSectionsInTableView(ui::TableView&) {
    if (!results_)
        return 1;
    return std::max(1, static_cast<int>(results_->sections().size()));
}

int BarcodeListController::numberOfRowsInSection(ui::TableView&, int section) {
    return section == 0 ? rows() : 0;
}

ui::TableViewCell::Ptr BarcodeListController::cellForRowAtIndexPath(ui::TableView& table,
                                                                    ui::IndexPath indexPath) {
    auto cell = table.dequeueReusableCellWithIdentifier(kCellIdentifier);
    if (!cell) {
        cell =
            std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::subtitle, kCellIdentifier);
        cell->setAccessoryType(ui::TableViewCellAccessoryType::disclosureIndicator);
        cell->setSelectionStyle(ui::TableViewCellSelectionStyle::none);
        auto& image = cell->imageView();
        image->setBackgroundColor(graphics::Color::clearColor());
        image->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                   ui::Autoresizing::flexibleHeight);
        image->setContentMode(ui::ContentMode::scaleAspectFit);
        image->setClipsToBounds(true);
    }
    configureCell(*cell, indexPath);
    return cell;
}

void BarcodeListController::didSelectRowAtIndexPath(ui::TableView&, ui::IndexPath indexPath) {
    savedRow_ = indexPath.row;
    showDetailFor(barcodeAt(indexPath), true);
}

void BarcodeListController::commitEditingStyle(ui::TableView&, ui::TableViewCellEditingStyle style,
                                               ui::IndexPath indexPath) {
    if (style != ui::TableViewCellEditingStyle::remove || !context_)
        return;
    auto barcode = barcodeAt(indexPath);
    if (!barcode)
        return;
    deleteBarcode(barcode);
    context_->save(nullptr);
}

void BarcodeListController::willBeginEditingRowAtIndexPath(ui::TableView&, ui::IndexPath) {
    swiping_ = true;
}

void BarcodeListController::didEndEditingRowAtIndexPath(ui::TableView&,
                                                        std::optional<ui::IndexPath>) {
    swiping_ = false;
}

void BarcodeListController::controllerWillChangeContent(store::FetchedResultsController&) {
    if (auto table = loadedTable())
        table->beginUpdates();
}

void BarcodeListController::controllerDidChangeObject(
    store::FetchedResultsController&, const std::shared_ptr<store::ManagedObject>& object,
    std::optional<ui::IndexPath> indexPath, store::ChangeType type,
    std::optional<ui::IndexPath> newIndexPath) {
    if (type == store::ChangeType::Delete)
        stopObservingThumb(dynamic_cast<const Barcode*>(object.get()));
    if (type == store::ChangeType::Insert && newIndexPath && !isVisibleScreen())
        savedRow_ = newIndexPath->row;
    auto table = loadedTable();
    if (!table)
        return;
    switch (type) {
        case store::ChangeType::Insert:
            if (newIndexPath)
                table->insertRowsAtIndexPaths({*newIndexPath}, ui::TableViewRowAnimation::fade);
            break;
        case store::ChangeType::Delete:
            if (indexPath)
                table->deleteRowsAtIndexPaths({*indexPath}, ui::TableViewRowAnimation::fade);
            break;
        case store::ChangeType::Move:
            if (indexPath)
                table->deleteRowsAtIndexPaths({*indexPath}, ui::TableViewRowAnimation::fade);
            if (newIndexPath)
                table->reloadSections({newIndexPath->section}, ui::TableViewRowAnimation::fade);
            break;
        case store::ChangeType::Update:
            // The row still has its old position here; the object is the one changed.
            if (auto barcode = std::dynamic_pointer_cast<Barcode>(object); barcode && indexPath) {
                if (auto cell = table->cellForRowAtIndexPath(*indexPath))
                    configureCell(*cell, barcode);
            }
            break;
    }
}

void BarcodeListController::controllerDidChangeSection(store::FetchedResultsController&,
                                                       const store::SectionInfo&,
                                                       std::size_t sectionIndex,
                                                       store::ChangeType type) {
    auto table = loadedTable();
    if (!table)
        return;
    const int section = static_cast<int>(sectionIndex);
    if (type == store::ChangeType::Insert)
        table->insertSections({section}, ui::TableViewRowAnimation::fade);
    else if (type == store::ChangeType::Delete)
        table->deleteSections({section}, ui::TableViewRowAnimation::fade);
}

void BarcodeListController::controllerDidChangeContent(store::FetchedResultsController&) {
    if (auto table = loadedTable())
        table->endUpdates();
}
