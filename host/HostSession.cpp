#include "host/HostSession.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "ads/api/GADBannerView.h"
#include "app/AppDelegate.h"
#include "app/ApplicationMain.h"
#include "app/BarcodeListController.h"
#include "model/Barcode.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/JSON.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/ImageSource.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/FrameSource.h"
#include "platform/services/MailComposeViewController.h"
#include "platform/store/Context.h"
#include "platform/ui/Alert.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/AlertController.h"
#include "platform/ui/Application.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/Button.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Outline.h"
#include "platform/ui/Responder.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/web/ScriptStringLiteral.h"
#include "platform/web/WebView.h"
#include "scanning/zbar/ZBarReaderController.h"
#include "scanning/zbar/ZBarSymbol.h"

namespace {

// Frames a second of the camera frames fed by `frames`.
constexpr double kFrameRate = 10;
// How often `frames` lets the application's clock catch up while the camera
// runs in real time.
constexpr double kCameraPoll = 0.02;
// The longest real time a command waits for the ads on screen to load.
constexpr double kAdWait = 10;
// A finger reaches what the screen shows a moment after it showed: the
// clock moves this far before a tap on a point, as ads ignore touches that
// come with their load.
constexpr double kFingerDelay = 0.3;

HostSession::Reply failure(std::string text) {
    return {false, std::move(text)};
}

// Views in depth-first order, the hidden ones left out.
void collectViews(const ui::View::Ptr& view, std::vector<ui::View::Ptr>& out) {
    if (!view || view->isHidden() || view->alpha() < 0.01)
        return;
    out.push_back(view);
    for (const auto& sub : view->subviews())
        collectViews(sub, out);
}

// Whether a row shows `text`: in its text label or in a label of its own.
bool rowShows(const ui::TableViewCell& cell, const std::string& text) {
    if (cell.textLabel() && cell.textLabel()->text() == text)
        return true;
    for (const auto& view : cell.contentView()->subviews()) {
        auto label = std::dynamic_pointer_cast<ui::Label>(view);
        if (label && label->text() == text)
            return true;
    }
    return false;
}

}  // namespace

HostSession::HostSession()
    : clock_(std::make_unique<foundation::ManualClock>(foundation::Clock::wall())),
      started_(std::chrono::steady_clock::now()) {
    delegate_ = launchApplication();
    // The first screen's ads are waited for by whoever shows that screen.
    if (delegate_)
        settleOwnWork(kSettleHorizon);
}

HostSession::~HostSession() = default;

std::string HostSession::usage() {
    return "commands:\n"
           "  photo FILE        scan a photo from the library\n"
           "  frames FILE...    show pictures to the camera\n"
           "  tap TEXT          tap the button, bar item, row, alert button or page link showing "
           "TEXT\n"
           "  tap X Y           tap the screen at that point\n"
           "  row S R           tap row R of section S of the table on screen\n"
           "  delete S R        delete row R of section S (edit mode's control, or a swipe)\n"
           "  type TEXT         type into the field being edited (or the first field)\n"
           "  back              go back one screen\n"
           "  screen            show the screen\n"
           "  png FILE          draw the screen into a PNG file\n"
           "  export FILE       e-mail the history and keep its CSV attachment in FILE\n"
           "  quit              leave the application\n";
}

std::shared_ptr<ui::Window> HostSession::window() const {
    return delegate_ ? delegate_->window() : nullptr;
}

ui::ViewController::Ptr HostSession::front() const {
    auto w = window();
    return w ? w->frontController() : nullptr;
}

std::string HostSession::screen() const {
    auto w = window();
    return w ? ui::Outline::describe(*w) : std::string("(no window)\n");
}

void HostSession::catchUp() {
    const double real =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    if (real > clock_->elapsed())
        clock_->advance(real - clock_->elapsed());
}

void HostSession::settle(double horizon) {
    settleOwnWork(horizon);
    if (!waitsForAds_)
        return;
    // Ads on screen load over the network in real time; the clock follows.
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(kAdWait);
    while (adsLoading() && std::chrono::steady_clock::now() < end) {
        foundation::RunLoop::main().runUntil([this] { return !adsLoading(); }, kCameraPoll);
        catchUp();
        settleOwnWork(horizon);
    }
}

void HostSession::settleOwnWork(double horizon) {
    auto& loop = foundation::RunLoop::main();
    catchUp();
    const double end = foundation::Clock::monotonic() + horizon;
    for (;;) {
        loop.runUntilIdle();
        const double next = loop.nextOneShotFireDate();
        if (next <= 0 || next > end)
            return;
        clock_->advance(std::max(0.0, next - foundation::Clock::monotonic()));
    }
}

bool HostSession::adsLoading() const {
    auto w = window();
    if (!w)
        return false;
    std::vector<ui::View::Ptr> views;
    collectViews(w, views);
    for (const auto& view : views) {
        auto banner = std::dynamic_pointer_cast<GADBannerView>(view);
        if (!banner)
            continue;
        const std::int64_t state = banner->slot()->state();
        if (state >= GADSlotStateRequestingAdURL && state <= GADSlotStateRendering)
            return true;
    }
    return false;
}

HostSession::Reply HostSession::withStoreFailures(Reply reply) {
    if (!delegate_)
        return reply;
    for (const auto& failure : delegate_->takeStoreFailures()) {
        if (reply.ok)
            reply = {false, ""};
        reply.text += (reply.text.empty() ? "" : "\n") + failure;
    }
    return reply;
}

HostSession::Reply HostSession::execute(const std::string& line) {
    catchUp();
    return withStoreFailures(run(line));
}

HostSession::Reply HostSession::run(const std::string& rawLine) {
    const std::string line = foundation::trimWhitespaceAndNewlines(rawLine);
    std::istringstream words(line);
    std::string command;
    words >> command;
    std::string rest;
    std::getline(words, rest);
    rest = foundation::trimWhitespaceAndNewlines(rest);
    if (command.empty())
        return {true, ""};
    if (command == "photo")
        return rest.empty() ? failure("usage: photo FILE") : photo(rest);
    if (command == "frames") {
        std::vector<std::string> paths;
        std::istringstream list(rest);
        for (std::string path; list >> path;)
            paths.push_back(path);
        return paths.empty() ? failure("usage: frames FILE...") : frames(paths);
    }
    if (command == "tap") {
        graphics::Point point;
        char extra = 0;
        if (std::sscanf(rest.c_str(), "%lf %lf %c", &point.x, &point.y, &extra) == 2)
            return tapPoint(point);
        return rest.empty() ? failure("usage: tap TEXT or tap X Y") : tap(rest);
    }
    if (command == "row" || command == "delete") {
        std::istringstream numbers(rest);
        int section = -1;
        int r = -1;
        if (!(numbers >> section >> r) || section < 0 || r < 0)
            return failure("usage: " + command + " SECTION ROW (numbers from 0)");
        return command == "row" ? row(section, r) : deleteRow(section, r);
    }
    if (command == "type")
        return type(rest);
    if (command == "back")
        return back();
    if (command == "screen")
        return {true, ""};
    if (command == "png")
        return rest.empty() ? failure("usage: png FILE") : png(rest);
    if (command == "export")
        return rest.empty() ? failure("usage: export FILE") : exportHistory(rest);
    if (command == "quit" || command == "exit")
        return quit();
    if (command == "help")
        return {true, usage()};
    return failure("unknown command \"" + command + "\" (try help)");
}

std::optional<HostSession::Reply> HostSession::checkPicture(const std::string& path,
                                                            graphics::Image::Ptr* picture) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return failure("no such file: " + path);
    if (std::filesystem::is_directory(path, error))
        return failure("not a file: " + path);
    auto data = foundation::FileManager::defaultManager().contentsAtPath(path);
    if (!data)
        return failure("cannot read " + path);
    auto image = graphics::Image::imageWithData(*data);
    if (!image) {
        auto size = graphics::ImageSource::declaredPixelSize(*data);
        if (size && (size->first == 0 || size->second == 0))
            return failure("an empty picture (" + std::to_string(size->first) + "x" +
                           std::to_string(size->second) + " pixels): " + path);
        if (size && !graphics::Bitmap::sizeAllowed(size->first, size->second))
            return failure("too large (" + std::to_string(size->first) + "x" +
                           std::to_string(size->second) + " pixels; at most " +
                           std::to_string(graphics::Bitmap::kMaxSide) + " a side and " +
                           std::to_string(graphics::Bitmap::kMaxPixels) + " in all): " + path);
        return failure("not an image (PNG, JPEG, GIF or BMP): " + path);
    }
    if (picture)
        *picture = std::move(image);
    return std::nullopt;
}

HostSession::Reply HostSession::photo(const std::string& path, graphics::Image::Ptr picture) {
    if (!picture) {
        if (auto bad = checkPicture(path, &picture))
            return *bad;
    }
    const std::size_t before = barcodeCount();
    delegate_->scanFromPhoto();
    // The photo library covers the screen, whose ads need not be waited for.
    settleOwnWork(kSettleHorizon);
    auto reader = std::dynamic_pointer_cast<ZBarReaderController>(front());
    if (!reader)
        return failure("the photo library is not available");
    reader->pickImage(picture);
    settle();
    if (barcodeCount() > before)
        return {true, lastScanSummary()};
    if (!delegate_->context())
        return failure("the history store is not open; nothing can be stored");
    // Nothing found: the reader shows its alert and stays open; close both
    // as the user would, so the scanner is back on screen.
    if (auto alert = ui::AlertCenter::shared().topAlert())
        alert->tapButton(alert->cancelButtonIndex() >= 0 ? alert->cancelButtonIndex() : 0);
    if (front() == reader)
        reader->cancel();
    settle();
    return failure("no barcode or QR code found in " + path);
}

HostSession::Reply HostSession::frames(const std::vector<std::string>& paths) {
    for (const auto& path : paths) {
        if (auto bad = checkPicture(path))
            return *bad;
    }
    auto device = media::CaptureDevice::defaultDevice();
    if (!device)
        return failure("there is no camera");
    auto source = media::FrameSource::fromImageFiles(paths, kFrameRate, true);
    if (!source)
        return failure("none of the pictures can be read");
    const std::size_t before = barcodeCount();
    device->setFrameSource(source);
    // Two passes over the pictures, and time for the camera to start. The
    // camera runs in real time; the application's clock follows it.
    const double limit = 2.0 * paths.size() / kFrameRate + 2.0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(limit);
    while (barcodeCount() == before && std::chrono::steady_clock::now() < end) {
        foundation::RunLoop::main().runUntil([&] { return barcodeCount() > before; }, kCameraPoll);
        catchUp();
    }
    device->setFrameSource(nullptr);
    settle();
    if (barcodeCount() > before)
        return {true, lastScanSummary()};
    return failure("no barcode or QR code read from the camera frames");
}

HostSession::Reply HostSession::tap(const std::string& text) {
    // Alerts and sheets are on top of everything.
    for (auto it = ui::AlertCenter::shared().visibleAlerts().rbegin();
         it != ui::AlertCenter::shared().visibleAlerts().rend(); ++it) {
        auto alert = *it;
        if (alert->tapButtonTitled(text)) {
            settle();
            return {true, "tapped \"" + text + "\""};
        }
    }
    auto controller = front();
    if (!controller)
        return failure("nothing on screen");
    if (auto alert = std::dynamic_pointer_cast<ui::AlertController>(controller)) {
        if (alert->tapActionTitled(text)) {
            settle();
            return {true, "tapped \"" + text + "\""};
        }
    }
    std::vector<ui::View::Ptr> views;
    // The bar over the keyboard of the field being edited comes first.
    auto responder = ui::Responder::firstResponder();
    if (auto field = std::dynamic_pointer_cast<ui::TextField>(responder))
        collectViews(field->inputAccessoryView(), views);
    else if (auto textView = std::dynamic_pointer_cast<ui::TextView>(responder))
        collectViews(textView->inputAccessoryView(), views);
    collectViews(controller->view(), views);
    auto tapItem = [&](const ui::BarButtonItem::Ptr& item) {
        if (item && item->displayTitle() == text && item->isEnabled()) {
            item->tap();
            return true;
        }
        return false;
    };
    for (const auto& view : views) {
        if (auto button = std::dynamic_pointer_cast<ui::Button>(view)) {
            // What the outline shows: the title, else the accessibility label.
            const std::string name = button->currentTitle().empty() ? button->accessibilityLabel()
                                                                    : button->currentTitle();
            if (name == text && button->isEnabled()) {
                button->tap();
                settle();
                return {true, "tapped \"" + text + "\""};
            }
        }
        if (auto bar = std::dynamic_pointer_cast<ui::Toolbar>(view)) {
            for (const auto& item : bar->items()) {
                if (tapItem(item)) {
                    settle();
                    return {true, "tapped \"" + text + "\""};
                }
            }
        }
    }
    if (auto nav = std::dynamic_pointer_cast<ui::NavigationController>(controller)) {
        if (auto top = nav->topViewController()) {
            auto& item = top->navigationItem();
            for (const auto& list : {item.leftBarButtonItems(), item.rightBarButtonItems()}) {
                for (const auto& barItem : list) {
                    if (tapItem(barItem)) {
                        settle();
                        return {true, "tapped \"" + text + "\""};
                    }
                }
            }
            if (nav->viewControllers().size() > 1 && !nav->isNavigationBarHidden() &&
                nav->navigationBar()->backButtonTitle() == text) {
                nav->tapBackButton();
                settle();
                return {true, "tapped \"" + text + "\""};
            }
        }
    }
    // A link of a page on screen (an ad's, say), tapped at its centre as a
    // finger would.
    for (const auto& view : views) {
        auto page = std::dynamic_pointer_cast<web::WebView>(view);
        if (!page || page->isHidden())
            continue;
        const std::string centre = page->stringByEvaluatingJavaScriptFromString(
            "(function (text) { var links = document.querySelectorAll('a[href]');"
            "for (var i = 0; i < links.length; i++) {"
            "  var r = links[i].getBoundingClientRect();"
            "  if (r.width > 0 && links[i].innerText.replace(/\\s+/g, ' ').trim() === text)"
            "    return (r.left + r.width / 2) + ' ' + (r.top + r.height / 2); }"
            "return ''; })(" +
            web::scriptStringLiteral(text) + ")");
        graphics::Point point;
        if (std::sscanf(centre.c_str(), "%lf %lf", &point.x, &point.y) == 2)
            return tapPoint(page->convertPointToView(point, nullptr));
    }
    // Every row the outline shows, those off screen too: the table is
    // scrolled to the row first, as a finger would.
    for (const auto& view : views) {
        auto table = std::dynamic_pointer_cast<ui::TableView>(view);
        if (!table)
            continue;
        for (int s = 0; s < table->numberOfSections(); ++s) {
            for (int r = 0; r < table->numberOfRowsInSection(s); ++r) {
                const auto path = ui::IndexPath::forRow(r, s);
                auto cell = table->cellShowingRow(path);
                if (!cell || !rowShows(*cell, text))
                    continue;
                if (!table->cellForRowAtIndexPath(path))
                    table->scrollToRowAtIndexPath(path, ui::TableViewScrollPosition::none, false);
                return row(s, r);
            }
        }
    }
    return failure("nothing on screen shows \"" + text + "\"");
}

HostSession::Reply HostSession::tapPoint(graphics::Point point) {
    auto window = this->window();
    if (!window || !window->bounds().contains(point))
        return failure(foundation::format("no point %g %g on the screen", point.x, point.y));
    catchUp();
    clock_->advance(kFingerDelay);
    ui::TouchSimulator::tap(window, point);
    settle();
    return {true, foundation::format("tapped at %g %g", point.x, point.y)};
}

std::shared_ptr<ui::TableView> HostSession::tableOnScreen() const {
    auto controller = front();
    if (!controller)
        return nullptr;
    std::vector<ui::View::Ptr> views;
    collectViews(controller->view(), views);
    for (const auto& view : views) {
        if (auto table = std::dynamic_pointer_cast<ui::TableView>(view))
            return table;
    }
    return nullptr;
}

std::optional<HostSession::Reply> HostSession::checkRow(const ui::TableView* table, int section,
                                                        int r) {
    if (!table)
        return failure("there is no table on screen");
    if (section >= table->numberOfSections() || r >= table->numberOfRowsInSection(section))
        return failure("the table has no row " + std::to_string(r) + " in section " +
                       std::to_string(section));
    return std::nullopt;
}

HostSession::Reply HostSession::row(int section, int r) {
    auto table = tableOnScreen();
    if (auto bad = checkRow(table.get(), section, r))
        return *bad;
    table->tapRowAtIndexPath(ui::IndexPath::forRow(r, section));
    settle();
    return {true, "tapped row " + std::to_string(r) + " of section " + std::to_string(section)};
}

HostSession::Reply HostSession::deleteRow(int section, int r) {
    auto table = tableOnScreen();
    if (auto bad = checkRow(table.get(), section, r))
        return *bad;
    // The red control in edit mode, else a swipe; then the Delete button.
    const auto path = ui::IndexPath::forRow(r, section);
    const bool offered =
        table->isEditing() ? table->tapEditingControl(path) : table->swipeToDelete(path);
    if (!offered || !table->tapDeleteConfirmation(path))
        return failure("row " + std::to_string(r) + " of section " + std::to_string(section) +
                       " cannot be deleted");
    settle();
    return {true, "deleted row " + std::to_string(r) + " of section " + std::to_string(section)};
}

HostSession::Reply HostSession::type(const std::string& text) {
    auto responder = ui::Responder::firstResponder();
    auto field = std::dynamic_pointer_cast<ui::TextField>(responder);
    auto textView = std::dynamic_pointer_cast<ui::TextView>(responder);
    if (!field && !textView) {
        // The first field as the user sees it: the topmost, then leftmost.
        std::vector<ui::View::Ptr> views;
        if (auto controller = front())
            collectViews(controller->view(), views);
        ui::View::Ptr first;
        graphics::Point firstAt;
        for (const auto& view : views) {
            if (!std::dynamic_pointer_cast<ui::TextField>(view) &&
                !std::dynamic_pointer_cast<ui::TextView>(view))
                continue;
            const auto at = view->convertPointToView(graphics::Point(0, 0), nullptr);
            if (!first || at.y < firstAt.y || (at.y == firstAt.y && at.x < firstAt.x)) {
                first = view;
                firstAt = at;
            }
        }
        field = std::dynamic_pointer_cast<ui::TextField>(first);
        textView = std::dynamic_pointer_cast<ui::TextView>(first);
        if (first)
            first->becomeFirstResponder();
    }
    if (field) {
        field->typeText(text);
    } else if (textView) {
        textView->insertText(text);
    } else {
        return failure("there is no text field on screen");
    }
    settle();
    return {true, "typed \"" + text + "\""};
}

HostSession::Reply HostSession::back() {
    auto controller = front();
    if (auto nav = std::dynamic_pointer_cast<ui::NavigationController>(controller)) {
        if (nav->viewControllers().size() > 1) {
            nav->tapBackButton();
            settle();
            return {true, "went back"};
        }
    }
    if (controller && controller->presentingViewController()) {
        controller->dismissViewController(true);
        settle();
        return {true, "closed the screen"};
    }
    return failure("there is no screen to go back from");
}

HostSession::Reply HostSession::png(const std::string& path) {
    auto w = window();
    if (!w)
        return failure("there is no window");
    // At the screen's scale, as the phone would show it.
    if (!ui::ScreenRenderer::writePNG(*w, path, ui::Screen::mainScreen().scale()))
        return failure("cannot write " + path);
    return {true, "wrote " + path};
}

void HostSession::showHistory() {
    auto nav = delegate_->nav2();
    const auto& list = delegate_->list();
    if (!nav || !list || nav->topViewController() == list)
        return;
    for (auto alert = ui::AlertCenter::shared().topAlert(); alert;
         alert = ui::AlertCenter::shared().topAlert()) {
        const int cancel = alert->cancelButtonIndex();
        if (!alert->tapButton(cancel >= 0 ? cancel : 0))
            break;
    }
    nav->dismissViewController(false);
    nav->popToRootViewController(false);
    settle();
    delegate_->readerOverlayDidDismiss();
    settle();
}

HostSession::Reply HostSession::exportHistory(const std::string& path) {
    auto list = std::dynamic_pointer_cast<BarcodeListController>(delegate_->list());
    if (!list)
        return failure("there is no history list");
    if (!services::MailComposeViewController::canSendMail())
        return failure("mail cannot be sent here");
    // The export is a button of the history list: go there first.
    showHistory();
    list->sendEmail();
    settle();
    // The composer is the topmost presented screen; the user "sends" by
    // keeping its attachment, then closes it.
    std::shared_ptr<services::MailComposeViewController> composer;
    for (auto shown = window()->rootViewController(); shown && !composer;
         shown = shown->presentedViewController())
        composer = std::dynamic_pointer_cast<services::MailComposeViewController>(shown);
    if (!composer || composer->attachments().empty())
        return failure("the history could not be exported");
    const bool written = foundation::FileManager::defaultManager().writeAtomically(
        path, composer->attachments()[0].data);
    composer->finish(services::MailComposeResult::sent);
    settle();
    if (!written)
        return failure("cannot write " + path);
    return {true, "exported the history to " + path};
}

HostSession::Reply HostSession::quit() {
    if (!quit_ && delegate_) {
        auto& application = ui::Application::shared();
        application.resignActive();
        application.enterBackground();
        settle();
        application.terminate();
    }
    quit_ = true;
    return {true, "bye"};
}

std::size_t HostSession::barcodeCount() {
    auto context = delegate_ ? delegate_->context() : nullptr;
    if (!context)
        return 0;
    store::FetchRequest request;
    request.entityName = "Barcode";
    auto found = context->executeFetchRequest(request, nullptr);
    return found ? found->size() : 0;
}

std::shared_ptr<Barcode> HostSession::newestBarcode() {
    auto context = delegate_ ? delegate_->context() : nullptr;
    if (!context)
        return nullptr;
    store::FetchRequest request;
    request.entityName = "Barcode";
    request.sortDescriptors = {store::SortDescriptor("date", false)};
    request.fetchLimit = 1;
    auto found = context->executeFetchRequestAs<Barcode>(request, nullptr);
    return found && !found->empty() ? found->front() : nullptr;
}

std::string HostSession::lastScanLine() {
    auto barcode = newestBarcode();
    if (!barcode)
        return "";
    auto text = foundation::JSON::writeFragment(foundation::Value(barcode->data()));
    return ZBarSymbol::nameForType(barcode->type()) + " " + text.value_or("\"\"");
}

std::string HostSession::lastScanSummary() {
    const std::string line = lastScanLine();
    if (line.empty())
        return "nothing stored";
    std::string text = "stored " + line;
    if (auto route = delegate_->lastRoute())
        text += *route == ScanRoute::scanResult ? " for the scan-result screen"
                                                : " for the detail screen";
    return text;
}
