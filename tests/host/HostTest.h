#pragma once

// A host session on a fresh application: the about page pointed at a closed
// port, and a folder for the test's files.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "ads/foundation/GADURLAdditions.h"
#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/OverlayScreens.h"
#include "host/HostSession.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImagePickerController.h"

class HostTest : public testing::Test {
  protected:
    void SetUp() override {
        AppDelegate::setAboutPageURL("http://127.0.0.1:1/about");
        GADSetSDKCorePageURL(std::string("http://127.0.0.1:1") + kGADSDKCorePagePath);
        folder_ = std::filesystem::path(foundation::ApplicationHome::temporary());
    }
    void TearDown() override { session_.reset(); }

    void launch() {
        session_ = std::make_unique<HostSession>();
        ASSERT_TRUE(session_->isLaunched());
    }

    // Ends the session (if any) and starts the application again on the
    // same home, as a second run of the program would.
    void relaunch() {
        session_.reset();
        ui::Application::shared().reset();
        ui::AlertCenter::shared().reset();
        launch();
    }

    std::filesystem::path folder_;
    std::unique_ptr<HostSession> session_;
};
