#include "model/Base64Additions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Base64Additions::base64DataFromString;
using Base64Additions::base64StringFromData;

TEST(Base64Additions, LenientDecoding) {
    struct Case {
        const char* rule;
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"whole groups", "YWJj", "abc"},
        {"line feeds and blanks are skipped", "Y W\nJ\r\nj", "abc"},
        {"any other byte is skipped", "@@YW#Jj~~", "abc"},
        {"three values and = give two bytes", "YWI=", "ab"},
        {"two values and = give one byte", "YQ==", "a"},
        {"one = is enough", "YQ=", "a"},
        {"one value and = give one byte", "Y=", "`"},
        {"no values and = give nothing", "YWJj=", "abc"},
        {"an open group without = is dropped", "YWI", ""},
        {"only the open group is dropped", "YWJjYW", "abc"},
        {"everything after the first = is ignored", "YQ==YWJj", "a"},
        {"empty text", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(foundation::stringFromData(base64DataFromString(c.text)), c.bytes) << c.rule;
    }
}

TEST(Base64Additions, EncodingTakesTheGivenLengthAtMost) {
    const foundation::Data abc = foundation::dataFromString("abc");
    EXPECT_EQ(base64StringFromData(abc, 3), "YWJj");
    EXPECT_EQ(base64StringFromData(abc, 2), "YWI=");
    EXPECT_EQ(base64StringFromData(abc, 1), "YQ==");
    EXPECT_EQ(base64StringFromData(abc, 1000), "YWJj");
    EXPECT_EQ(base64StringFromData({}, 0), "");
    const foundation::Data binary = {0x00, 0xfb, 0xff, 0x3e, 0x80};
    EXPECT_EQ(base64StringFromData(binary, binary.size()), "APv/PoA=");
    EXPECT_EQ(base64DataFromString("APv/PoA="), binary);
}

}  // namespace
