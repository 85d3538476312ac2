#pragma once

// A manual clock per test; the platform's shared state (application, screen,
// device, alerts, keyboard) is put back between tests by the tests' main.

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
    void SetUp() override { clock_ = std::make_unique<foundation::ManualClock>(); }
    void TearDown() override {
        foundation::RunLoop::main().runUntilIdle();
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
