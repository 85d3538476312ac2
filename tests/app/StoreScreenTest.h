#pragma once

// A fresh headless platform per test (manual clock, phone screen, no
// windows), the history store opened in the test's home with its default
// rows, and a navigation controller on screen to push the screens under test.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ads/foundation/GADURLAdditions.h"
#include "model/Action.h"
#include "model/Barcode.h"
#include "model/BarcodeStore.h"
#include "platform/foundation/Date.h"
#include "platform/store/Context.h"
#include "platform/ui/NavigationController.h"
#include "tests/platform/ui/UiTestFixture.h"

class StoreScreenTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        GADSetSDKCorePageURL(std::string("http://127.0.0.1:1") + kGADSDKCorePagePath);
        foundation::Error error;
        context_ = BarcodeStore::openContext(BarcodeStore::storePath(), &error);
        ASSERT_TRUE(context_) << error.localizedDescription;
        ASSERT_TRUE(context_->save(nullptr));
        nav_ = ui::NavigationController::withRootViewController(
            std::make_shared<ui::ViewController>());
        window_ = show(nav_);
    }
    void TearDown() override {
        window_.reset();
        nav_.reset();
        UiTest::TearDown();
        context_.reset();
    }

    // Pushes `screen` without animation and lets it appear.
    void push(const ui::ViewController::Ptr& screen) {
        nav_->pushViewController(screen, false);
        settle();
    }

    std::shared_ptr<Barcode> insertBarcode(std::int32_t type, const std::string& data,
                                           const std::string& name = "") {
        auto barcode = context_->insertNewObject<Barcode>("Barcode");
        barcode->setType(type);
        barcode->setData(data);
        barcode->setName(name);
        barcode->setDate(foundation::Date::now());
        return barcode;
    }

    std::shared_ptr<Action> actionNamed(const std::string& name) {
        const auto actions = Action::actionsInContext(*context_);
        for (const auto& action : actions.value_or(std::vector<std::shared_ptr<Action>>{})) {
            if (action->name() == name) {
                return action;
            }
        }
        return nullptr;
    }

    std::shared_ptr<store::Context> context_;
    ui::NavigationController::Ptr nav_;
    ui::Window::Ptr window_;
};
