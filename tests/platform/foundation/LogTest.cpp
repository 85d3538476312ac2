#include "platform/foundation/Log.h"

#include <gtest/gtest.h>

using namespace foundation;

namespace {

TEST(LogTest, LinesCarryTheirComponent) {
    LogCapture capture;
    Log::write("ZBarReaderView", "camera started");
    {
        LogCapture inner;
        Log::write("Dezuvo", "<Dezuvo> hello");
        EXPECT_EQ(inner.text(), "[Dezuvo] <Dezuvo> hello\n");
    }
    Log::write("GADSlot", "after");
    EXPECT_EQ(capture.text(), "[ZBarReaderView] camera started\n[GADSlot] after\n");
}

}  // namespace
