#pragma once

// The name lookups' tests: a fresh store to make codes in and a loopback
// HTTP server that the test gives its routes and starts.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/Barcode.h"
#include "model/BarcodeStore.h"
#include "model/lookups/Scraper.h"
#include "platform/foundation/RunLoop.h"
#include "tests/support/LocalServer.h"

class LookupFixture : public testing::Test {
  protected:
    void SetUp() override {
        foundation::Error error;
        context_ = BarcodeStore::openContext(BarcodeStore::storePath(), &error);
        ASSERT_TRUE(context_);
    }

    std::shared_ptr<Barcode> code(int type, const std::string& data) {
        auto barcode = context_->insertNewObject<Barcode>("Barcode");
        barcode->setType(type);
        barcode->setData(data);
        return barcode;
    }

    // Runs the main loop until the lookup has ended and let go of itself.
    static bool runUntilEnded(const std::weak_ptr<Scraper>& scraper) {
        return foundation::RunLoop::main().runUntil([&] { return scraper.expired(); }, 10);
    }

    std::shared_ptr<store::Context> context_;
    testing_support::LocalServer server_;
};
