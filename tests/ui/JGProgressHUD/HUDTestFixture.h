#pragma once

// A manual clock and a visible 320 x 568
// window with one full-screen view to show HUDs in. The keyboard is down at
// the start and the end of every test.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Clock.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/Device.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "ui/JGProgressHUD/JGProgressHUD.h"

class HUDTest : public testing::Test {
  protected:
    void SetUp() override {
        clock_ = std::make_unique<foundation::ManualClock>();
        moveKeyboard({});
        window = ui::Window::make();
        target = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 568));
        window->addSubview(target);
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        foundation::RunLoop::main().runUntilIdle();
        moveKeyboard({});
        window.reset();
        target.reset();
        clock_.reset();
    }

    void advance(double seconds) { clock_->advance(seconds); }

    // Posts the keyboard's move to `end` (screen coordinates) as the platform does.
    static void moveKeyboard(const graphics::Rect& end, double duration = 0.25) {
        auto info = foundation::Value::dictionary(
            {{ui::KeyboardFrameBeginUserInfoKey, graphics::toString(end)},
             {ui::KeyboardFrameEndUserInfoKey, graphics::toString(end)},
             {ui::KeyboardAnimationDurationUserInfoKey, duration},
             {ui::KeyboardAnimationCurveUserInfoKey, 7}});
        auto& center = foundation::NotificationCenter::defaultCenter();
        center.post(ui::KeyboardWillChangeFrameNotification, nullptr, info);
        center.post(ui::KeyboardDidChangeFrameNotification, nullptr, info);
    }

    std::unique_ptr<foundation::ManualClock> clock_;
    ui::Window::Ptr window;
    ui::View::Ptr target;
};

// Records a HUD's presentation steps.
class RecordingDelegate : public JGProgressHUDDelegate {
  public:
    void progressHUDWillPresentInView(JGProgressHUD&, const ui::View::Ptr& view) override {
        record("willPresent", view);
    }
    void progressHUDDidPresentInView(JGProgressHUD&, const ui::View::Ptr& view) override {
        record("didPresent", view);
    }
    void progressHUDWillDismissFromView(JGProgressHUD&, const ui::View::Ptr& view) override {
        record("willDismiss", view);
    }
    void progressHUDDidDismissFromView(JGProgressHUD&, const ui::View::Ptr& view) override {
        record("didDismiss", view);
    }

    std::vector<std::string> steps;
    std::vector<ui::View::Ptr> views;

  private:
    void record(const char* step, const ui::View::Ptr& view) {
        steps.emplace_back(step);
        views.push_back(view);
    }
};
