#pragma once

// A fresh headless platform per test: a manual clock, the default phone
// screen and device, an application without windows, no alerts.

#include <gtest/gtest.h>

#include <memory>

#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

class UiTest : public testing::Test {
  protected:
    void SetUp() override {
        clock_ = std::make_unique<foundation::ManualClock>();
        ui::Application::shared().reset();
        ui::AlertCenter::shared().reset();
        ui::Screen::mainScreen().reset();
        ui::Device::currentDevice().reset();
        ui::Keyboard::shared().reset();
        if (auto responder = ui::Responder::firstResponder()) {
            responder->resignFirstResponder();
        }
    }
    void TearDown() override {
        foundation::RunLoop::main().runUntilIdle();
        ui::Application::shared().reset();
        ui::AlertCenter::shared().reset();
        clock_.reset();
    }

    // A key, visible window showing `root`, with its appearance finished.
    ui::Window::Ptr show(const ui::ViewController::Ptr& root) {
        auto window = ui::Window::make();
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        settle();
        return window;
    }
    // Runs what is due now, then lets transitions and animations finish.
    void settle() {
        foundation::RunLoop::main().runUntilIdle();
        clock_->advance(1);
        foundation::RunLoop::main().runUntilIdle();
    }
    void advance(double seconds) { clock_->advance(seconds); }

    std::unique_ptr<foundation::ManualClock> clock_;
};
