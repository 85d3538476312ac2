#pragma once

// The application's spine: at launch it starts the about-page fetch, opens the
// history store, builds the window around the scanner screen and restores the
// saved screen stack. Every read a reader delivers comes here: it is stored as
// a Barcode, routed to the detail or scan-result screen, beeped and given its
// thumbnail. Going to the background saves the store and the screen stack.
// Other screens reach the shared services (navigation, torch, photo scan,
// banner) through AppDelegate::shared().

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/PersistentState.h"
#include "app/ReaderOverlayDelegate.h"
#include "app/ScanRoute.h"
#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Image.h"
#include "platform/net/URLSessionDataTask.h"
#include "platform/ui/ApplicationDelegate.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationControllerDelegate.h"
#include "platform/ui/Window.h"
#include "scanning/zbar/ZBarReaderDelegate.h"

class Barcode;
class GADBannerView;
class ReaderOverlayView;
class ZBarImageScanner;
class ZBarReaderController;
class ZBarReaderViewController;

namespace media {
class AudioPlayer;
class CaptureDevice;
}  // namespace media
namespace store {
class Context;
}

class AppDelegate : public ui::ApplicationDelegate,
                    public ui::NavigationControllerDelegate,
                    public ZBarReaderDelegate,
                    public ReaderOverlayDelegate,
                    public std::enable_shared_from_this<AppDelegate> {
  public:
    // The pass phrase of the about page's encrypted paragraph.
    static constexpr const char* kAboutPassword = "z3bra9ok";
    // How long the about-page fetch may take before it is given up.
    static constexpr double kAboutTimeout = 5;
    // Source types of scan: / scan2: (the image picker's numbers).
    static constexpr int kSourcePhotoLibrary = 0;
    static constexpr int kSourceCamera = 1;

    AppDelegate() = default;
    ~AppDelegate() override;

    // The delegate of the running application, or nullptr.
    static std::shared_ptr<AppDelegate> shared();
    // The about page's address (a fixed page of the maker's site; tests point
    // it at a local server).
    static const std::string& aboutPageURL();
    static void setAboutPageURL(std::string url);
    // "bc.png", loaded once per process (nullptr when the bundle lacks it).
    static graphics::Image::Ptr placeholderImage();

    // Launch, in order: about fetch, placeholder, store, window, "State".
    bool didFinishLaunchingWithOptions(ui::Application& application,
                                       const foundation::Value& options) override;
    void applicationDidEnterBackground(ui::Application& application) override;
    // The torch is lit again when the overlay's light item shows it on.
    void applicationWillEnterForeground(ui::Application& application) override;
    void applicationDidReceiveMemoryWarning(ui::Application& application) override;
    void applicationWillTerminate(ui::Application& application) override;

    // The about page's paragraph of class "about-info-class", decrypted into
    // Library/"AboutInfo.plist". Runs in the background and never reports;
    // the task is returned so that a caller may wait for it to finish.
    std::shared_ptr<net::URLSessionDataTask> loadDeveloperUrl();
    void initContext();
    void testFetch();
    void initWindow();
    void initAudio();
    void playBeep();

    // A read from any reader: the picture and the symbols of its info
    // dictionary. Stores the first symbol and routes it.
    bool imagePickerControllerDidFinishPickingMediaWithInfo(ui::ViewController& reader,
                                                            const ui::MediaInfo& info) override;
    // The 128 by 128 thumbnail of the code's picture; the picture is dropped.
    void genThumb(const std::shared_ptr<Barcode>& barcode);
    void save();

    // The screen stack: the dictionaries of the screens from the root up to
    // the first that does not take part, and the rebuild from them.
    foundation::Value saveState();
    bool restoreState(const foundation::Value& state);
    // Gets the rebuilt list of screens 0.25 s after a restore; the stack is
    // left as it is.
    void animateRestore(const std::vector<ui::ViewController::Ptr>& controllers) {}

    bool hasTorch();
    void toggleStrobe(bool on);
    void strobeON() { toggleStrobe(true); }

    void scanFromPhoto() { scan2(kSourcePhotoLibrary); }
    void scanFromCamera() { scan(kSourceCamera); }
    // Present a reader for the source modally on the navigation controller,
    // or the alert saying the source is unavailable.
    void scan(int source);
    void scan2(int source);
    void initReader(int source);
    void initReader2(int source);

    // The overlay's history button: the history list is pushed.
    void readerOverlayDidDismiss() override;
    // The overlay's help button: the scanner's help screen.
    void readerOverlayDidRequestHelp() override;
    // Drops the readers and the beep unless `force` is false and the scanner
    // screen is in the navigation stack.
    void cleanup(bool force);

    static std::string applicationDocumentsDirectory();
    static std::string applicationLibraryDirectory();

    // Accessors other screens use.
    const ui::Window::Ptr& window() const { return window_; }
    const std::shared_ptr<ZBarReaderViewController>& reader() const { return reader_; }
    void setReader(std::shared_ptr<ZBarReaderViewController> reader) {
        reader_ = std::move(reader);
    }
    // The reader of the photo scan (the still-image reader, or a camera
    // reader for the camera source), while one exists.
    const ui::ViewController::Ptr& reader2() const { return reader2_; }
    const ui::NavigationController::Ptr& nav2() const { return nav_; }
    void setNav2(ui::NavigationController::Ptr nav) { nav_ = std::move(nav); }
    const ui::ViewController::Ptr& list() const { return list_; }
    const std::shared_ptr<store::Context>& context() const { return context_; }
    const std::shared_ptr<GADBannerView>& bannerView_() const { return bannerView__; }
    void setBannerView_(std::shared_ptr<GADBannerView> banner) { bannerView__ = std::move(banner); }
    int in_screen_capture_mode() const { return screenCaptureMode_; }
    void setIn_screen_capture_mode(int mode) { screenCaptureMode_ = mode; }
    int in_screen_capture_mode2() const { return screenCaptureMode2_; }
    void setIn_screen_capture_mode2(int mode) { screenCaptureMode2_ = mode; }
    const std::shared_ptr<media::AudioPlayer>& beep() const { return beep_; }
    // The scanner's camera overlay (made by the scanner screen, or by
    // initReader: for a camera reader).
    const std::shared_ptr<ReaderOverlayView>& overlay() const { return overlay_; }
    void setOverlay(std::shared_ptr<ReaderOverlayView> overlay) { overlay_ = std::move(overlay); }

    // Where the last stored read was routed (nothing before the first read).
    std::optional<ScanRoute> lastRoute() const { return lastRoute_; }

    // What went wrong with the history store (it could not be opened, a save
    // failed) since the last call, one sentence each naming the file, oldest
    // first. The shell shows them to the user: a failed save is never
    // passed over in silence.
    std::vector<std::string> takeStoreFailures();

  private:
    // A camera reader: the scanner screen (when it is built) or the plain
    // one, set up as the application reads.
    std::shared_ptr<ZBarReaderViewController> makeCameraReader(bool scannerScreen);
    std::shared_ptr<ZBarReaderController> makeStillReader();
    // A new camera overlay telling this delegate, as `overlay`.
    void makeOverlay();
    static void configureSymbologies(ZBarImageScanner& scanner);
    void present(const ui::ViewController::Ptr& reader, int source);
    // The scanner screen's camera.
    std::shared_ptr<media::CaptureDevice> captureDevice() const;
    void showUnavailableAlert(int source);
    void storeFailed(const std::string& what, const foundation::Error& error);

    ui::Window::Ptr window_;
    ui::NavigationController::Ptr nav_;
    ui::ViewController::Ptr list_;
    std::shared_ptr<store::Context> context_;
    std::shared_ptr<ZBarReaderViewController> reader_;
    ui::ViewController::Ptr reader2_;
    // The camera reader of scan: . It is never the scanner screen, which is
    // the navigation root and cannot also be presented on it.
    ui::ViewController::Ptr cameraReader_;
    std::shared_ptr<ReaderOverlayView> overlay_;
    std::shared_ptr<media::AudioPlayer> beep_;
    std::shared_ptr<GADBannerView> bannerView__;
    int screenCaptureMode_ = 0;
    int screenCaptureMode2_ = 0;
    std::optional<ScanRoute> lastRoute_;
    std::string storePath_;
    std::vector<std::string> storeFailures_;
};
