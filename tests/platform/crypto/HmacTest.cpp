#include "platform/crypto/Hmac.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using crypto::Digest;
using crypto::Hmac;

const foundation::Data message = foundation::dataFromString("attack at dawn, then at dusk");
const foundation::Data key = foundation::dataFromString("sixteen byte key");

// Expected values made with `openssl dgst -hmac`; each code is as long as the
// algorithm's digest.
TEST(Hmac, KnownAnswers) {
    struct Case {
        Digest::Algorithm algorithm;
        std::string hex;
    };
    const Case cases[] = {
        {Digest::Algorithm::MD5, "934a5070061758ee47eec3a44120214f"},
        {Digest::Algorithm::SHA1, "51d014b8724227070ab1d904c7c3a14d002fdb2f"},
        {Digest::Algorithm::SHA224, "557f286a371320fdcb13d2c9055252b131e6412263a3f073d0b129bf"},
        {Digest::Algorithm::SHA256,
         "664b60c803d59388c41a6315e0af4effa228913a491d1ab4b4d5c7bd488736d2"},
        {Digest::Algorithm::SHA384,
         "006d9f07aac4501f069bb0f8df8ad97ab182b469501f733df6611bc36ba053e05253868ed88dfe9bf3fb1c12"
         "3fbd7ebc"},
        {Digest::Algorithm::SHA512,
         "3bba399c5fe9e6c2add6262564ee538424e6b77f101d81b719a2f6c129720a0595a3860c20cb74cfa076dcf8"
         "080f82cb1a561aa274daf3d11d6c336c126233dc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Digest::hex(Hmac::compute(c.algorithm, key, message)), c.hex);
    }
}

// An empty key is padded to the block size like any short key (openssl
// computes the same code with the one-byte key 00).
TEST(Hmac, EmptyKey) {
    EXPECT_EQ(Digest::hex(Hmac::compute(Digest::Algorithm::SHA256, {}, message)),
              "d209c290571c17574d95f17c3650051cbc9f443f08afd6d92f769778888e2db6");
}

TEST(Hmac, NoCodeForDigestsWithoutHmac) {
    EXPECT_TRUE(Hmac::compute(Digest::Algorithm::MD2, key, message).empty());
    EXPECT_TRUE(Hmac::compute(Digest::Algorithm::MD4, key, message).empty());
}

}  // namespace
