#pragma once

// The application's screen for tests of what is shown over it: a plain root
// view controller in a key, visible window, on a manual clock.

#include <gtest/gtest.h>

#include <memory>

#include "platform/foundation/Clock.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

namespace testing_support {

// Makes `root` the window's root view controller and the window the key,
// visible window.
void showInKeyWindow(const ui::Window::Ptr& window, const ui::ViewController::Ptr& root);

// SetUp shows the window; a fixture that prepares more calls
// WindowFixture::SetUp() where the window is to be shown. TearDown settles.
class WindowFixture : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs what is due now, then moves the clock a second on and runs what
    // fell due: presentations, transitions and animations have finished.
    void settle();

    foundation::ManualClock clock;
    ui::ViewController::Ptr root = std::make_shared<ui::ViewController>();
    ui::Window::Ptr window = ui::Window::make();
};

}  // namespace testing_support
