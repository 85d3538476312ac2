#include "model/CommonCryptoErrorDomain.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace CommonCryptoErrorDomain;

TEST(CommonCryptoErrorDomain, TextsPerStatus) {
    struct Case {
        std::int32_t status;
        std::string description;
        std::optional<std::string> reason;
    };
    const Case cases[] = {
        {0, "Success", std::nullopt},
        {-4300, "Parameter Error", "Illegal parameter supplied to encryption/decryption algorithm"},
        {-4301, "Buffer Too Small", "Insufficient buffer provided for specified operation"},
        {-4302, "Memory Failure", "Failed to allocate memory"},
        {-4303, "Alignment Error", "Input size to encryption algorithm was not aligned correctly"},
        {-4304, "Decode Error", "Input data did not decode or decrypt correctly"},
        {-4305, "Unimplemented Function", "Function not implemented for the current algorithm"},
        {-4306, "Unknown Error", std::nullopt},
        {17, "Unknown Error", std::nullopt},
    };
    for (const Case& c : cases) {
        const foundation::Error error = errorWithCCCryptorStatus(c.status);
        EXPECT_EQ(error.domain, "CommonCryptoErrorDomain");
        EXPECT_EQ(error.code, c.status);
        EXPECT_EQ(error.localizedDescription, c.description);
        EXPECT_EQ(localizedFailureReason(c.status), c.reason) << c.status;
    }
}

}  // namespace
