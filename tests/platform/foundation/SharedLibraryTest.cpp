#include "platform/foundation/SharedLibrary.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/foundation/Log.h"

using namespace foundation;

namespace {

TEST(SharedLibraryTest, FunctionsAreFoundInAnOpenedLibrary) {
    SharedLibrary library;
    ASSERT_TRUE(library.open("libm.so.6", "test"));
    double (*cosine)(double) = nullptr;
    ASSERT_TRUE(library.find("cos", cosine));
    EXPECT_EQ(cosine(0), 1.0);
}

TEST(SharedLibraryTest, AMissingLibraryOrFunctionIsLoggedNotFatal) {
    LogCapture capture;
    SharedLibrary missing;
    EXPECT_FALSE(missing.open("libnot-installed-anywhere.so.9", "test"));
    void (*function)() = nullptr;
    EXPECT_FALSE(missing.find("anything", function));
    EXPECT_TRUE(capture.contains("[test] cannot load libnot-installed-anywhere.so.9"));

    SharedLibrary library;
    ASSERT_TRUE(library.open("libm.so.6", "test"));
    EXPECT_FALSE(library.find("no_such_function_here", function));
    EXPECT_EQ(function, nullptr);
    EXPECT_TRUE(capture.contains("[test] libm.so.6 lacks no_such_function_here"));
}

}  // namespace
