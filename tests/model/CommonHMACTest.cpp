#include "model/CommonHMAC.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/crypto/Digest.h"

namespace {

using namespace CommonHMAC;

const foundation::Data message = foundation::dataFromString("attack at dawn, then at dusk");

std::string hex(const std::optional<foundation::Data>& data) {
    return data ? crypto::Digest::hex(*data) : "(none)";
}

// Every algorithm gives its full digest length, SHA-224 to SHA-512 included.
// Expected values made with `openssl dgst -hmac "sixteen byte key"`.
TEST(CommonHMAC, FullLengthCodesPerAlgorithm) {
    struct Case {
        std::uint32_t algorithm;
        std::string hex;
    };
    const Case cases[] = {
        {kCCHmacAlgSHA1, "51d014b8724227070ab1d904c7c3a14d002fdb2f"},
        {kCCHmacAlgMD5, "934a5070061758ee47eec3a44120214f"},
        {kCCHmacAlgSHA224, "557f286a371320fdcb13d2c9055252b131e6412263a3f073d0b129bf"},
        {kCCHmacAlgSHA256, "664b60c803d59388c41a6315e0af4effa228913a491d1ab4b4d5c7bd488736d2"},
        {kCCHmacAlgSHA384,
         "006d9f07aac4501f069bb0f8df8ad97ab182b469501f733df6611bc36ba053e05253868ed88dfe9bf3fb1c12"
         "3fbd7ebc"},
        {kCCHmacAlgSHA512,
         "3bba399c5fe9e6c2add6262564ee538424e6b77f101d81b719a2f6c129720a0595a3860c20cb74cfa076dcf8"
         "080f82cb1a561aa274daf3d11d6c336c126233dc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hex(HMACWithAlgorithm(message, c.algorithm, "sixteen byte key")), c.hex);
        EXPECT_EQ(hex(HMACWithAlgorithm(message, c.algorithm,
                                        foundation::dataFromString("sixteen byte key"))),
                  c.hex);
    }
}

TEST(CommonHMAC, NoKeyAndUnknownAlgorithm) {
    // openssl: -mac HMAC -macopt hexkey:00, the same padded key as an empty one.
    const std::string noKey = "d209c290571c17574d95f17c3650051cbc9f443f08afd6d92f769778888e2db6";
    EXPECT_EQ(hex(HMACWithAlgorithm(message, kCCHmacAlgSHA256)), noKey);
    EXPECT_EQ(hex(HMACWithAlgorithm(message, kCCHmacAlgSHA256, std::nullopt)), noKey);
    EXPECT_EQ(HMACWithAlgorithm(message, 6), std::nullopt);
}

}  // namespace
