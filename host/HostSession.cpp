#include "host/HostSession.h"

#include <filesystem>
#include <sstream>

#include "app/AppDelegate.h"
#include "app/ApplicationMain.h"
#include "app/BarcodeListController.h"
#include "model/Barcode.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/graphics/Image.h"
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
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "platform/ui/Toolbar.h"
#include "scanning/zbar/ZBarReaderController.h"
#include "scanning/zbar/ZBarSymbol.h"

namespace {

// Frames a second of the camera frames fed by `frames`.
constexpr double kFrameRate = 10;
// Long enough for a screen transition (0.35 s) or the launch image's fade.
constexpr double kTransition = 0.4;
// Long enough for what follows a read (beep, thumbnail at 0.5 s, its save at
// 1 s) or a tap (actions run 0.1 s later, then a transition).
constexpr double kAfterRead = 1.1;

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

std::string cellText(const ui::TableViewCell& cell) {
    const auto& label = cell.textLabel();
    return label ? label->text() : std::string();
}

}  // namespace

HostSession::HostSession() {
    delegate_ = launchApplication();
    if (delegate_)
        settle(kTransition);
}

HostSession::~HostSession() = default;

std::string HostSession::usage() {
    return "commands:\n"
           "  photo FILE        scan a photo from the library\n"
           "  frames FILE...    show pictures to the camera\n"
           "  tap TEXT          tap the button, bar item, row or alert button showing TEXT\n"
           "  row S R           tap row R of section S of the table on screen\n"
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

void HostSession::settle(double limit) {
    auto& loop = foundation::RunLoop::main();
    const double end = foundation::Clock::monotonic() + limit;
    for (;;) {
        loop.runUntilIdle();
        const double now = foundation::Clock::monotonic();
        const double next = loop.nextFireDate();
        if (next <= 0 || next - now > 1.2 || next > end)
            return;
        loop.runFor(std::max(0.0, next - now));
    }
}

HostSession::Reply HostSession::execute(const std::string& rawLine) {
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
    if (command == "tap")
        return rest.empty() ? failure("usage: tap TEXT") : tap(rest);
    if (command == "row") {
        std::istringstream numbers(rest);
        int section = -1;
        int r = -1;
        if (!(numbers >> section >> r) || section < 0 || r < 0)
            return failure("usage: row SECTION ROW (numbers from 0)");
        return row(section, r);
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

std::optional<HostSession::Reply> HostSession::checkPicture(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return failure("no such file: " + path);
    if (std::filesystem::is_directory(path, error))
        return failure("not a file: " + path);
    if (!graphics::Image::imageWithContentsOfFile(path))
        return failure("not an image (PNG, JPEG, GIF or BMP): " + path);
    return std::nullopt;
}

HostSession::Reply HostSession::photo(const std::string& path) {
    if (auto bad = checkPicture(path))
        return *bad;
    const std::size_t before = barcodeCount();
    delegate_->scanFromPhoto();
    settle(kTransition);
    auto reader = std::dynamic_pointer_cast<ZBarReaderController>(front());
    if (!reader)
        return failure("the photo library is not available");
    reader->pickPhotoFromFile(path);
    settle(kAfterRead);
    if (barcodeCount() > before)
        return {true, lastScanSummary()};
    // Nothing found: the reader shows its alert and stays open; close both
    // as the user would, so the scanner is back on screen.
    if (auto alert = ui::AlertCenter::shared().topAlert())
        alert->tapButton(alert->cancelButtonIndex() >= 0 ? alert->cancelButtonIndex() : 0);
    if (front() == reader)
        reader->cancel();
    settle(kAfterRead);
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
    // Two passes over the pictures, and time for the camera to start.
    const double limit = 2.0 * paths.size() / kFrameRate + 2.0;
    foundation::RunLoop::main().runUntil([&] { return barcodeCount() > before; }, limit);
    device->setFrameSource(nullptr);
    settle(kAfterRead);
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
            settle(kAfterRead);
            return {true, "tapped \"" + text + "\""};
        }
    }
    auto controller = front();
    if (!controller)
        return failure("nothing on screen");
    if (auto alert = std::dynamic_pointer_cast<ui::AlertController>(controller)) {
        if (alert->tapActionTitled(text)) {
            settle(kAfterRead);
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
                settle(kAfterRead);
                return {true, "tapped \"" + text + "\""};
            }
        }
        if (auto bar = std::dynamic_pointer_cast<ui::Toolbar>(view)) {
            for (const auto& item : bar->items()) {
                if (tapItem(item)) {
                    settle(kAfterRead);
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
                        settle(kAfterRead);
                        return {true, "tapped \"" + text + "\""};
                    }
                }
            }
            if (nav->viewControllers().size() > 1 && !nav->isNavigationBarHidden() &&
                nav->navigationBar()->backButtonTitle() == text) {
                nav->tapBackButton();
                settle(kAfterRead);
                return {true, "tapped \"" + text + "\""};
            }
        }
    }
    for (const auto& view : views) {
        auto table = std::dynamic_pointer_cast<ui::TableView>(view);
        if (!table)
            continue;
        for (int s = 0; s < table->numberOfSections(); ++s) {
            for (int r = 0; r < table->numberOfRowsInSection(s); ++r) {
                auto cell = table->cellForRowAtIndexPath(ui::IndexPath::forRow(r, s));
                if (cell && cellText(*cell) == text)
                    return row(s, r);
            }
        }
    }
    return failure("nothing on screen shows \"" + text + "\"");
}

HostSession::Reply HostSession::row(int section, int r) {
    auto controller = front();
    if (!controller)
        return failure("nothing on screen");
    std::vector<ui::View::Ptr> views;
    collectViews(controller->view(), views);
    for (const auto& view : views) {
        auto table = std::dynamic_pointer_cast<ui::TableView>(view);
        if (!table)
            continue;
        if (section >= table->numberOfSections() || r >= table->numberOfRowsInSection(section))
            return failure("the table has no row " + std::to_string(r) + " in section " +
                           std::to_string(section));
        table->tapRowAtIndexPath(ui::IndexPath::forRow(r, section));
        settle(kAfterRead);
        return {true, "tapped row " + std::to_string(r) + " of section " + std::to_string(section)};
    }
    return failure("there is no table on screen");
}

HostSession::Reply HostSession::type(const std::string& text) {
    auto responder = ui::Responder::firstResponder();
    auto field = std::dynamic_pointer_cast<ui::TextField>(responder);
    auto textView = std::dynamic_pointer_cast<ui::TextView>(responder);
    if (!field && !textView) {
        std::vector<ui::View::Ptr> views;
        if (auto controller = front())
            collectViews(controller->view(), views);
        for (const auto& view : views) {
            if ((field = std::dynamic_pointer_cast<ui::TextField>(view))) {
                field->becomeFirstResponder();
                break;
            }
            if ((textView = std::dynamic_pointer_cast<ui::TextView>(view))) {
                textView->becomeFirstResponder();
                break;
            }
        }
    }
    if (field) {
        field->typeText(text);
    } else if (textView) {
        textView->insertText(text);
    } else {
        return failure("there is no text field on screen");
    }
    settle(kTransition);
    return {true, "typed \"" + text + "\""};
}

HostSession::Reply HostSession::back() {
    auto controller = front();
    if (auto nav = std::dynamic_pointer_cast<ui::NavigationController>(controller)) {
        if (nav->viewControllers().size() > 1) {
            nav->tapBackButton();
            settle(kTransition);
            return {true, "went back"};
        }
    }
    if (controller && controller->presentingViewController()) {
        controller->dismissViewController(true);
        settle(kTransition);
        return {true, "closed the screen"};
    }
    return failure("there is no screen to go back from");
}

HostSession::Reply HostSession::png(const std::string& path) {
    auto w = window();
    if (!w)
        return failure("there is no window");
    if (!ui::ScreenRenderer::writePNG(*w, path))
        return failure("cannot write " + path);
    return {true, "wrote " + path};
}

HostSession::Reply HostSession::exportHistory(const std::string& path) {
    auto list = std::dynamic_pointer_cast<BarcodeListController>(delegate_->list());
    if (!list)
        return failure("there is no history list");
    if (!services::MailComposeViewController::canSendMail())
        return failure("mail cannot be sent here");
    list->sendEmail();
    settle(kTransition);
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
    settle(kTransition);
    if (!written)
        return failure("cannot write " + path);
    return {true, "exported the history to " + path};
}

HostSession::Reply HostSession::quit() {
    if (!quit_ && delegate_) {
        auto& application = ui::Application::shared();
        application.resignActive();
        application.enterBackground();
        settle(kTransition);
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

std::string HostSession::lastScanSummary() {
    auto barcode = newestBarcode();
    if (!barcode)
        return "nothing stored";
    std::string text =
        "stored " + ZBarSymbol::nameForType(barcode->type()) + " \"" + barcode->data() + "\"";
    if (auto route = delegate_->lastRoute())
        text += *route == ScanRoute::scanResult ? " for the scan-result screen"
                                                : " for the detail screen";
    return text;
}
