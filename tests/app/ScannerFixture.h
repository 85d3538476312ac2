#pragma once

// The application launched with the scanner screen as its root, on a manual
// clock: the scanner, its overlay and cover, and the screens the overlay and
// the delegate push, recorded.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ads/foundation/GADURLAdditions.h"
#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/ApplicationMain.h"
#include "app/OverlayScreens.h"
#include "app/ReaderOverlayView.h"
#include "app/ZBarReader2ViewController.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/Image.h"
#include "platform/media/CaptureDevice.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"
#include "platform/ui/Screen.h"

// Whether two images hold the same pixels.
inline bool samePixels(const graphics::Image::Ptr& a, const graphics::Image::Ptr& b) {
    if (!a || !b)
        return false;
    const auto& x = *a->bitmap();
    const auto& y = *b->bitmap();
    if (x.width() != y.width() || x.height() != y.height())
        return false;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column)
            if (!(x.pixel(column, row) == y.pixel(column, row)))
                return false;
    return true;
}

// A screen pushed by the application, named by what it stands for.
class NamedScreen : public ui::ViewController {
  public:
    explicit NamedScreen(std::string name) : name_(std::move(name)) { setTitle(name_); }
    const std::string& name() const { return name_; }

  private:
    std::string name_;
};

class ScannerFixture : public testing::Test {
  protected:
    void SetUp() override {
        AppDelegate::setAboutPageURL("http://127.0.0.1:1/about");
        GADSetSDKCorePageURL(std::string("http://127.0.0.1:1") + kGADSDKCorePagePath);
        ZBarReader2ViewController::registerAsRootScreen();
        AppScreens::shared().historyList = [](const std::shared_ptr<store::Context>&) {
            return std::make_shared<NamedScreen>("history");
        };
        auto& overlayScreens = OverlayScreens::shared();
        overlayScreens.qrCreator = [] { return std::make_shared<NamedScreen>("qr"); };
        overlayScreens.about = [] { return std::make_shared<NamedScreen>("about"); };
        overlayScreens.otherApps = [this](const std::string& address) {
            otherAppsAddresses.push_back(address);
            return std::make_shared<NamedScreen>("apps");
        };
        useCamera(true);
    }

    // The back camera the scanner uses, with or without a torch.
    void useCamera(bool torch) {
        camera = std::make_shared<media::CaptureDevice>(
            "back-camera", media::CaptureDevicePosition::back, torch,
            std::vector<media::FocusMode>{media::FocusMode::locked,
                                          media::FocusMode::continuousAutoFocus});
        media::CaptureDevice::setDevices({camera});
    }

    void TearDown() override {
        if (delegate)
            ui::Application::shared().terminate();
        delegate.reset();
        clock.reset();
    }

    void launch() {
        delegate = launchApplication();
        ASSERT_TRUE(delegate);
        clock->advance(1);
        scanner = std::dynamic_pointer_cast<ZBarReader2ViewController>(delegate->reader());
        ASSERT_TRUE(scanner);
        overlay = std::dynamic_pointer_cast<ReaderOverlayView>(scanner->cameraOverlayView());
        ASSERT_TRUE(overlay);
    }

    ui::NavigationController::Ptr nav() const { return delegate->nav2(); }

    std::string topName() const {
        auto top = std::dynamic_pointer_cast<NamedScreen>(nav()->topViewController());
        return top ? top->name() : "scanner";
    }

    // Runs the main loop and moves the manual clock on until `condition`
    // holds, for at most 10 s of real time (work on other threads goes on).
    bool settle(const std::function<bool()>& condition) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end) {
            foundation::RunLoop::main().runUntilIdle();
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            clock->advance(0.05);
        }
        return condition();
    }

    std::unique_ptr<foundation::ManualClock> clock = std::make_unique<foundation::ManualClock>();
    std::shared_ptr<media::CaptureDevice> camera;
    std::shared_ptr<AppDelegate> delegate;
    ZBarReader2ViewController::Ptr scanner;
    ReaderOverlayView::Ptr overlay;
    std::vector<std::string> otherAppsAddresses;
};
