#include "app/AppDelegate.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <utility>

#include "app/AppScreens.h"
#include "app/ReaderOverlayView.h"
#include "model/AESCrypt.h"
#include "model/Action.h"
#include "model/Barcode.h"
#include "model/BarcodeStore.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/ImageContext.h"
#include "platform/media/AudioPlayer.h"
#include "platform/media/CaptureDevice.h"
#include "platform/net/URLSession.h"
#include "platform/store/FetchedResultsController.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ViewAnimation.h"
#include "results/UniversalResultParser.h"
#include "scanning/zbar/ZBarCaptureReader.h"
#include "scanning/zbar/ZBarImageScanner.h"
#include "scanning/zbar/ZBarReaderController.h"
#include "scanning/zbar/ZBarReaderViewController.h"
#include "scanning/zbar/ZBarReaderViewImpl.h"
#include "scanning/zbar/ZBarSymbolSet.h"
#include "ui/TFHpple/TFHpple.h"

namespace {

constexpr const char* kStateKey = "State";
constexpr const char* kAboutClass = "about-info-class";

// zbar's symbology numbers and its enable setting.
constexpr int kUPCA = 12;
constexpr int kUPCE = 9;
constexpr int kISBN13 = 14;
constexpr int kI25 = 25;
constexpr int kConfigEnable = 0;

std::mutex& aboutURLMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::string& aboutURLStorage() {
    static auto* url = new std::string("https://www.morvane.example/about/barcodes.html");
    return *url;
}

// The symbols of a read: the camera readers hand a symbol set, the
// still-image reader a list; the first one counts.
std::shared_ptr<ZBarSymbol> firstSymbol(const ui::MediaInfo& info) {
    auto found = info.find(ZBarReaderControllerResults);
    if (found == info.end())
        return nullptr;
    if (const auto* set = std::any_cast<std::shared_ptr<ZBarSymbolSet>>(&found->second)) {
        if (*set) {
            for (auto symbol : **set)
                return symbol;
        }
        return nullptr;
    }
    if (const auto* list = std::any_cast<ZBarSymbolList>(&found->second))
        return list->empty() ? nullptr : list->front();
    return nullptr;
}

graphics::Image::Ptr pictureOf(const ui::MediaInfo& info) {
    auto found = info.find(ui::ImagePickerControllerOriginalImage);
    if (found == info.end())
        return nullptr;
    if (const auto* image = std::any_cast<graphics::Image::Ptr>(&found->second))
        return *image;
    return nullptr;
}

// What the about page's fetch leaves in `path`: the decrypted paragraph, or
// nothing when the page answered without one.
void storeAboutPage(const std::string& path, const foundation::Data& body,
                    const std::optional<net::URLResponse>& response,
                    const std::optional<net::URLError>& error) {
    if (error || !response)
        return;
    if (response->statusCode() != 200 && response->statusCode() != 304)
        return;
    auto& files = foundation::FileManager::defaultManager();
    auto document = TFHpple::hppleWithHTMLData(body);
    auto matches = document->searchWithXPathQuery("//p[@class='" + std::string(kAboutClass) + "']");
    if (!matches.empty()) {
        auto child = matches.front()->firstChild();
        auto text = child ? child->content() : std::nullopt;
        auto plain = text ? AESCrypt::decrypt(*text, AppDelegate::kAboutPassword) : std::nullopt;
        if (plain && !plain->empty()) {
            files.writeAtomically(path, foundation::Data(plain->begin(), plain->end()));
            return;
        }
    }
    files.removeItem(path);
}

}  // namespace

AppDelegate::~AppDelegate() {
    cleanup(true);
}

std::shared_ptr<AppDelegate> AppDelegate::shared() {
    return std::dynamic_pointer_cast<AppDelegate>(ui::Application::shared().delegate());
}

const std::string& AppDelegate::aboutPageURL() {
    std::lock_guard lock(aboutURLMutex());
    return aboutURLStorage();
}

void AppDelegate::setAboutPageURL(std::string url) {
    std::lock_guard lock(aboutURLMutex());
    aboutURLStorage() = std::move(url);
}

graphics::Image::Ptr AppDelegate::placeholderImage() {
    static auto* image = new graphics::Image::Ptr;
    if (!*image)
        *image = graphics::Image::imageNamed("bc.png");
    return *image;
}

bool AppDelegate::didFinishLaunchingWithOptions(ui::Application& application,
                                                const foundation::Value& options) {
    loadDeveloperUrl();
    placeholderImage();
    initContext();
    initWindow();
    restoreState(foundation::UserDefaults::standard().objectForKey(kStateKey));
    return true;
}

std::shared_ptr<net::URLSessionDataTask> AppDelegate::loadDeveloperUrl() {
    auto url = foundation::URL::fromString(aboutPageURL());
    if (!url)
        return nullptr;
    net::URLRequest request(*url, net::URLRequestCachePolicy::useProtocolCachePolicy,
                            kAboutTimeout);
    const std::string path =
        (std::filesystem::path(applicationLibraryDirectory()) / "AboutInfo.plist").string();
    auto task = net::URLSession::shared()->dataTaskWithRequest(
        request,
        [path](const foundation::Data& body, const std::optional<net::URLResponse>& response,
               const std::optional<net::URLError>& error) {
            storeAboutPage(path, body, response, error);
        });
    task->resume();
    return task;
}

void AppDelegate::initContext() {
    const std::string documents = applicationDocumentsDirectory();
    if (documents.empty())
        return;
    storePath_ = (std::filesystem::path(documents) / "bc.dat").string();
    if (screenCaptureMode_ == 1 || screenCaptureMode2_ == 1) {
        if (auto demo = foundation::Bundle::main().pathForResource("bc", "dat"))
            foundation::FileManager::defaultManager().copyItem(*demo, storePath_);
    }
    foundation::Error error;
    std::weak_ptr<AppDelegate> weak = weak_from_this();
    context_ = BarcodeStore::openContext(storePath_, &error, [weak](const foundation::Error& e) {
        if (auto self = weak.lock())
            self->storeFailed("the history was not saved to ", e);
    });
    if (!context_) {
        storeFailed("the history store cannot be opened: ", error);
        return;
    }
    testFetch();
}

void AppDelegate::storeFailed(const std::string& what, const foundation::Error& error) {
    std::string text = what + storePath_;
    if (!error.localizedDescription.empty())
        text += " (" + error.localizedDescription + ")";
    storeFailures_.push_back(std::move(text));
}

std::vector<std::string> AppDelegate::takeStoreFailures() {
    return std::exchange(storeFailures_, {});
}

void AppDelegate::testFetch() {
    if (!context_)
        return;
    store::FetchRequest request;
    request.entityName = "Action";
    request.sortDescriptors = {store::SortDescriptor("index", true)};
    store::FetchedResultsController results(request, context_, "", "Action");
    results.performFetch(nullptr);
}

void AppDelegate::initWindow() {
    window_ = ui::Window::make();
    window_->setBackgroundColor(graphics::Color::white(1));
    const auto tint = graphics::Color::rgb(0, 167 / 255.0, 231 / 255.0, 1);
    window_->setTintColor(tint);

    auto& screens = AppScreens::shared();
    if (screens.historyList)
        list_ = screens.historyList(context_);

    reader_ = makeCameraReader(true);

    nav_ = ui::NavigationController::withRootViewController(reader_);
    nav_->setToolbarHidden(true);
    nav_->setNavigationBarHidden(false);
    nav_->setDelegate(weak_from_this());
    nav_->navigationBar()->setTranslucent(false);
    nav_->navigationBar()->setTintColor(tint);
    nav_->navigationBar()->setTitleTextAttributes(std::nullopt, tint);
    nav_->toolbar()->setTranslucent(false);
    window_->setRootViewController(nav_);

    auto launchImage = std::make_shared<ui::ImageView>(graphics::Image::imageNamed("Default"));
    launchImage->setFrame(graphics::Rect(0, 0, 320, 480));
    window_->addSubview(launchImage);
    std::weak_ptr<ui::View> weakImage = launchImage;
    ui::ViewAnimation::beginAnimations("LaunchAnimation", launchImage.get());
    ui::ViewAnimation::setAnimationDuration(0.25);
    ui::ViewAnimation::setAnimationDidStop([weakImage](const std::string&, bool, void*) {
        if (auto image = weakImage.lock())
            image->removeFromSuperview();
    });
    launchImage->setAlpha(0);
    ui::ViewAnimation::commitAnimations();

    window_->makeKeyAndVisible();
}

std::shared_ptr<ZBarReaderViewController> AppDelegate::makeCameraReader(bool scannerScreen) {
    auto& screens = AppScreens::shared();
    std::shared_ptr<ZBarReaderViewController> reader =
        scannerScreen && screens.scanner ? screens.scanner()
                                         : std::make_shared<ZBarReaderViewController>();
    reader->setShowsZBarControls(false);
    reader->setReaderDelegate(weak_from_this());
    configureSymbologies(*reader->scanner());
    reader->setShowsCameraControls(false);
    reader->setTracksSymbols(false);
    return reader;
}

void AppDelegate::configureSymbologies(ZBarImageScanner& scanner) {
    scanner.setSymbology(kUPCA, kConfigEnable, 1);
    scanner.setSymbology(kUPCE, kConfigEnable, 1);
    scanner.setSymbology(kISBN13, kConfigEnable, 1);
    scanner.setSymbology(kI25, kConfigEnable, 0);
}

void AppDelegate::initAudio() {
    if (beep_)
        return;
    auto path = foundation::Bundle::main().pathForResource("beep", "wav");
    if (!path)
        return;
    beep_ = media::AudioPlayer::make(foundation::URL::fileURL(*path));
    if (!beep_)
        return;
    beep_->setVolume(0.5);
    beep_->prepareToPlay();
}

void AppDelegate::playBeep() {
    initAudio();
    if (beep_)
        beep_->play();
}

bool AppDelegate::imagePickerControllerDidFinishPickingMediaWithInfo(ui::ViewController& reader,
                                                                     const ui::MediaInfo& info) {
    auto picture = pictureOf(info);
    auto symbol = firstSymbol(info);
    if (!picture || !symbol)
        return true;
    auto text = symbol->data();
    if (!text) {
        foundation::Log::write("AppDelegate", "a read whose text is not UTF-8 is dropped");
        return true;
    }
    if (!context_)
        return true;
    auto barcode = context_->insertNewObject<Barcode>("Barcode");
    if (!barcode)
        return true;
    const auto now = foundation::Date::now();
    barcode->setDate(now);
    barcode->setImage(placeholderImage());
    barcode->setType(symbol->type());
    barcode->setData(*text);

    nav_->popToRootViewController(false);
    auto result = UniversalResultParser::parsedResultForString(*text);
    lastRoute_ = scanRouteForResult(result.get());
    auto& screens = AppScreens::shared();
    if (*lastRoute_ == ScanRoute::scanResult) {
        if (screens.scanResult) {
            if (auto screen = screens.scanResult(result, *text, now))
                nav_->pushViewController(screen, true);
        }
    } else if (screens.detail) {
        if (auto screen = screens.detail(barcode))
            nav_->pushViewController(screen, false);
    }

    if (overlay_)
        overlay_->willDisappear();
    auto keep = std::static_pointer_cast<ui::ViewController>(reader.shared_from_this());
    reader.dismissViewController(true);
    // A camera reader reads again only once the scanner screen reappears.
    if (auto camera = std::dynamic_pointer_cast<ZBarReaderViewController>(keep))
        camera->readerView()->captureReader()->setEnableReader(false);

    std::weak_ptr<AppDelegate> weak = weak_from_this();
    auto& loop = foundation::RunLoop::main();
    loop.performAfter(
        0.005,
        [weak] {
            if (auto self = weak.lock())
                self->playBeep();
        },
        this, "playBeep");
    loop.performAfter(
        0.5,
        [weak, barcode] {
            if (auto self = weak.lock())
                self->genThumb(barcode);
        },
        this, "genThumb:");
    return true;
}

void AppDelegate::genThumb(const std::shared_ptr<Barcode>& barcode) {
    const auto& image = barcode->image();
    if (!image)
        return;
    const auto size = image->size();
    if (size.width <= 0 || size.height <= 0)
        return;
    const double sx = 128 / size.width;
    const double sy = 128 / size.height;
    const double s = std::max(sx, sy);
    const double w = size.width * s;
    const double h = size.height * s;
    double x = 0;
    double y = 0;
    if (sx >= sy)
        y = (128 - h) / 2;
    else
        x = (128 - w) / 2;
    // A drawn side below 128 (rounding) gives the canvas that side.
    graphics::Size canvas(std::min(128.0, w), std::min(128.0, h));
    x -= (128 - canvas.width) / 2;
    y -= (128 - canvas.height) / 2;
    if (!graphics::beginImageContext(canvas, false, 1))
        return;
    image->drawInRect(graphics::Rect(x, y, w, h));
    auto thumb = graphics::imageFromCurrentImageContext();
    graphics::endImageContext();
    barcode->setThumb(thumb);
    barcode->setImage(nullptr);
    std::weak_ptr<AppDelegate> weak = weak_from_this();
    foundation::RunLoop::main().performAfter(
        0.5,
        [weak] {
            if (auto self = weak.lock())
                self->save();
        },
        this, "save");
}

void AppDelegate::save() {
    if (!context_)
        return;
    foundation::Error error;
    if (!context_->save(&error))
        storeFailed("the history was not saved to ", error);
}

foundation::Value AppDelegate::saveState() {
    foundation::Array states;
    if (nav_) {
        for (const auto& controller : nav_->viewControllers()) {
            auto* screen = dynamic_cast<PersistentState*>(controller.get());
            if (!screen)
                break;
            auto state = screen->saveState();
            if (!state.isDictionary())
                break;
            states.push_back(std::move(state));
        }
    }
    return foundation::Value(std::move(states));
}

bool AppDelegate::restoreState(const foundation::Value& state) {
    if (!state.isArray() || !nav_)
        return false;
    auto controllers = nav_->viewControllers();
    std::size_t i = 0;
    auto& registry = foundation::ClassRegistry::shared();
    for (const auto& entry : *state.asArray()) {
        if (!entry.isDictionary())
            break;
        const auto& name = entry.get("class");
        if (!name.isString())
            break;
        const std::string className = name.stringValue();
        ui::ViewController::Ptr screen;
        bool existing = i < controllers.size();
        if (existing) {
            if (controllers[i]->className() != className)
                break;
            screen = controllers[i];
        } else {
            screen = registry.make<ui::ViewController>(className);
            if (!screen)
                break;
        }
        auto* persistent = dynamic_cast<PersistentState*>(screen.get());
        if (!persistent)
            break;
        persistent->setContext(context_);
        if (!persistent->restoreState(entry))
            break;
        if (!existing)
            controllers.push_back(screen);
        ++i;
    }
    if (controllers.empty())
        return false;
    std::weak_ptr<AppDelegate> weak = weak_from_this();
    foundation::RunLoop::main().performAfter(
        0.25,
        [weak, controllers] {
            if (auto self = weak.lock())
                self->animateRestore(controllers);
        },
        this, "animateRestore:");
    return true;
}

std::shared_ptr<media::CaptureDevice> AppDelegate::captureDevice() const {
    if (!reader_)
        return nullptr;
    auto view = std::dynamic_pointer_cast<ZBarReaderViewImpl>(reader_->readerView());
    return view ? view->device() : nullptr;
}

bool AppDelegate::hasTorch() {
    auto device = captureDevice();
    return device && device->hasTorch();
}

void AppDelegate::toggleStrobe(bool on) {
    auto device = captureDevice();
    if (!device)
        return;
    // The camera's flash follows its torch here: there is one lamp.
    const bool locked = !device->lockForConfiguration();
    device->setTorchMode(on ? media::TorchMode::on : media::TorchMode::off);
    if (locked)
        device->unlockForConfiguration();
}

namespace {

// The source a reader reads from: camera readers always the camera.
int sourceOf(const ui::ViewController::Ptr& reader) {
    if (std::dynamic_pointer_cast<ZBarReaderViewController>(reader))
        return AppDelegate::kSourceCamera;
    if (auto picker = std::dynamic_pointer_cast<ui::ImagePickerController>(reader))
        return static_cast<int>(picker->sourceType());
    return -1;
}

}  // namespace

void AppDelegate::scan(int source) {
    if (!cameraReader_ || sourceOf(cameraReader_) != source)
        initReader(source);
    present(cameraReader_, source);
}

void AppDelegate::scan2(int source) {
    if (!reader2_ || sourceOf(reader2_) != source)
        initReader2(source);
    present(reader2_, source);
}

void AppDelegate::initReader(int source) {
    cameraReader_.reset();
    if (source == kSourceCamera) {
        cameraReader_ = makeCameraReader(false);
        makeOverlay();
    } else
        cameraReader_ = makeStillReader();
}

void AppDelegate::initReader2(int source) {
    reader2_.reset();
    if (source == kSourceCamera) {
        reader2_ = makeCameraReader(true);
        makeOverlay();
    } else
        reader2_ = makeStillReader();
}

void AppDelegate::makeOverlay() {
    overlay_ = ReaderOverlayView::make();
    overlay_->setDelegate(std::static_pointer_cast<ReaderOverlayDelegate>(shared_from_this()));
}

std::shared_ptr<ZBarReaderController> AppDelegate::makeStillReader() {
    auto reader = std::make_shared<ZBarReaderController>();
    reader->setReaderDelegate(weak_from_this());
    configureSymbologies(*reader->scanner());
    return reader;
}

void AppDelegate::present(const ui::ViewController::Ptr& reader, int source) {
    if (!beep_)
        initAudio();
    const auto type = static_cast<ui::ImagePickerSourceType>(source);
    if (!reader || !nav_ || !ui::ImagePickerController::isSourceTypeAvailable(type)) {
        showUnavailableAlert(source);
        return;
    }
    if (auto picker = std::dynamic_pointer_cast<ui::ImagePickerController>(reader))
        picker->setSourceType(type);
    if (auto camera = std::dynamic_pointer_cast<ZBarReaderViewController>(reader)) {
        camera->setShowsCameraControls(false);
        if (overlay_) {
            overlay_->setMode(1);
            camera->setCameraOverlayView(overlay_);
        }
        camera->setTracksSymbols(false);
        if (overlay_)
            overlay_->willAppear();
    }
    nav_->presentViewController(reader, true);
}

void AppDelegate::showUnavailableAlert(int source) {
    const bool camera = source == kSourceCamera;
    auto alert = ui::AlertView::make(
        camera ? "Camera Unavailable" : "Image Library Unavailable",
        camera ? "Unable to access the camera" : "Unable to access the image library", {},
        std::string("Cancel"));
    alert->show();
}

void AppDelegate::readerOverlayDidDismiss() {
    if (overlay_)
        overlay_->willDisappear();
    if (nav_ && list_)
        nav_->pushViewController(list_, true);
}

void AppDelegate::readerOverlayDidRequestHelp() {
    if (overlay_)
        overlay_->willDisappear();
    if (reader_)
        reader_->showHelpWithReason("INFO");
}

void AppDelegate::cleanup(bool force) {
    if (!force && reader_ && reader_->parentViewController())
        return;
    overlay_.reset();
    reader_.reset();
    reader2_.reset();
    cameraReader_.reset();
    beep_.reset();
}

void AppDelegate::applicationDidEnterBackground(ui::Application& application) {
    if (nav_)
        nav_->dismissViewController(true);
    save();
    auto& defaults = foundation::UserDefaults::standard();
    defaults.setObject(kStateKey, saveState());
    defaults.synchronize();
    cleanup(false);
}

void AppDelegate::applicationWillEnterForeground(ui::Application& application) {
    if (overlay_ && overlay_->infoBtn1() &&
        static_cast<int>(overlay_->infoBtn1()->style()) == ReaderOverlayView::kTorchOnStyle)
        toggleStrobe(true);
}

void AppDelegate::applicationDidReceiveMemoryWarning(ui::Application& application) {
    cleanup(false);
}

void AppDelegate::applicationWillTerminate(ui::Application& application) {
    cleanup(true);
}

std::string AppDelegate::applicationDocumentsDirectory() {
    return foundation::ApplicationHome::documents();
}

std::string AppDelegate::applicationLibraryDirectory() {
    return foundation::ApplicationHome::library();
}
