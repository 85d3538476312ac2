#include "model/CommonDigest.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/crypto/Digest.h"

namespace {

using namespace CommonDigest;

TEST(CommonDigest, EachSumHasItsAlgorithmAndLength) {
    const foundation::Data abc = foundation::dataFromString("abc");
    struct Case {
        foundation::Data (*sum)(const foundation::Data&);
        std::string hex;
    };
    // Well-known digests of "abc".
    const Case cases[] = {
        {MD2Sum, "da853b0d3f88d99b30283a69e6ded6bb"},
        {MD4Sum, "a448017aaf21d8525fc10ae87aa6729d"},
        {MD5Sum, "900150983cd24fb0d6963f7d28e17f72"},
        {SHA1Hash, "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {SHA224Hash, "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7"},
        {SHA256Hash, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {SHA384Hash,
         "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca1"
         "34c825a7"},
        {SHA512Hash,
         "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a2192992a274fc1a836ba3c23"
         "a3feebbd454d4423643ce80e2a9ac94fa54ca49f"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(crypto::Digest::hex(c.sum(abc)), c.hex);
    }
}

}  // namespace
