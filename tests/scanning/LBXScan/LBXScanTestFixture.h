#pragma once

// A manual clock for each scan-frame test; what is left pending on the main
// run loop is dropped with the clock.

#include <gtest/gtest.h>

#include <memory>

#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Screen.h"

class LBXScanTest : public testing::Test {
  protected:
    void SetUp() override { clock_ = std::make_unique<foundation::ManualClock>(); }
    void TearDown() override {
        foundation::RunLoop::main().runUntilIdle();
        clock_.reset();
    }
    void advance(double seconds) { clock_->advance(seconds); }

    std::unique_ptr<foundation::ManualClock> clock_;
};
