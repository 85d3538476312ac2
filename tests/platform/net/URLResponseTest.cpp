#include <gtest/gtest.h>

#include "platform/net/URLResponse.h"

namespace {

TEST(URLResponse, NamesStatusCodesOrTheirClass) {
    const std::pair<long, const char*> cases[] = {
        {200, "no error"}, {304, "not modified"}, {404, "not found"},    {101, "informational"},
        {226, "success"},  {307, "redirected"},   {418, "client error"}, {599, "server error"},
        {700, "unknown"},  {-1, "unknown"},
    };
    for (const auto& [status, text] : cases) {
        EXPECT_EQ(net::URLResponse::localizedStringForStatusCode(status), text) << status;
    }
}

}  // namespace
