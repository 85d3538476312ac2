#include "QRGen/QREncoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/QRGen/CodeReaders.h"

namespace {

using qrgen_test::readWithZbar;
using qrgen_test::readWithZxing;
using qrgen_test::renderMatrix;
using qrgen_test::Symbology;

// The encoder is large; tests keep it on the heap.
struct Encoded {
    std::unique_ptr<QREncoder> encoder = std::make_unique<QREncoder>();
    int status = 0;
};

Encoded encode(const std::string& text, int level = 1, int version = 0, bool autoExtent = true,
               int mask = -1) {
    Encoded e;
    e.status = e.encoder->encodeText(level, version, autoExtent, mask, text.data(),
                                     static_cast<int>(text.size()));
    return e;
}

bool dark(const QREncoder& q, int x, int y) {
    return q.modules[x * 177 + y] != 0;
}

// The penalty rules of the QR standard, computed here on their own.
int penalty(const QREncoder& q) {
    const int n = q.moduleCount;
    int score = 0;
    for (int dir = 0; dir < 2; ++dir) {
        for (int line = 0; line < n; ++line) {
            auto at = [&](int i) { return dir == 0 ? dark(q, i, line) : dark(q, line, i); };
            auto light = [&](int i) { return i < 0 || i >= n || !at(i); };
            for (int i = 0; i < n;) {
                int j = i;
                while (j < n && at(j) == at(i)) {
                    ++j;
                }
                if (j - i >= 5) {
                    score += j - i - 2;
                }
                i = j;
            }
            for (int p = 0; p + 7 <= n; ++p) {
                const bool finderLike = at(p) && !at(p + 1) && at(p + 2) && at(p + 3) &&
                                        at(p + 4) && !at(p + 5) && at(p + 6);
                if (!finderLike || !light(p - 1) || !light(p + 7)) {
                    continue;
                }
                const bool before = light(p - 2) && light(p - 3) && light(p - 4);
                const bool after = light(p + 8) && light(p + 9) && light(p + 10);
                if (before || after) {
                    score += 40;
                }
            }
        }
    }
    int lightCount = 0;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            lightCount += dark(q, x, y) ? 0 : 1;
            if (x + 1 < n && y + 1 < n && dark(q, x + 1, y) == dark(q, x, y) &&
                dark(q, x, y + 1) == dark(q, x, y) && dark(q, x + 1, y + 1) == dark(q, x, y)) {
                score += 3;
            }
        }
    }
    score += 10 * (std::abs(50 - lightCount * 100 / (n * n)) / 5);
    return score;
}

std::string alternating(const std::string& unit, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += unit;
    }
    return out;
}

struct RoundTrip {
    const char* what;
    std::string text;
    int version;  // expected version at level M; 0 leaves it unchecked
};

std::vector<RoundTrip> roundTrips() {
    return {
        {"alphanumeric, eleven characters fit version 1", "HELLO WORLD", 1},
        {"digits only", "0123456789012345678901234567890123", 1},
        {"bytes", "https://example.com/?q=1", 2},
        {"UTF-8 above U+0800 stays bytes, not kanji", "日本語のテキスト €", 3},
        {"UTF-8 continuation bytes 0x81-0x9F", "œa Müller", 1},
        {"line breaks and tabs", "line one\nline two\tend", 2},
        {"digit run inside letters", "ABC" + std::string(60, '7') + "DEF", 3},
        {"version 7, the first with version information", std::string(120, 'x'), 7},
        {"version 10, second count-width group", std::string(200, 'q'), 10},
        {"version 27, third count-width group", std::string(1100, 'z'), 27},
        {"3,000 segments before merging", alternating("1A", 1500), 0},
        {"version 40, the largest", std::string(2331, 'm'), 40},
    };
}

TEST(QREncoderTest, SymbolsReadBackWithBothDecoders) {
    for (const RoundTrip& c : roundTrips()) {
        SCOPED_TRACE(c.what);
        const Encoded e = encode(c.text);
        ASSERT_EQ(e.status, 1);
        if (c.version != 0) {
            EXPECT_EQ(e.encoder->version, c.version);
        }
        EXPECT_EQ(e.encoder->moduleCount, e.encoder->version * 4 + 17);
        const graphics::Bitmap image = renderMatrix(e.encoder->modules, e.encoder->moduleCount, 3);
        const auto zxing = readWithZxing(image, Symbology::qr);
        ASSERT_TRUE(zxing.has_value());
        EXPECT_EQ(zxing->bytes, c.text);
        EXPECT_EQ(zxing->ecLevel, "M");
        EXPECT_EQ(readWithZbar(image, Symbology::qr), c.text);
    }
}

TEST(QREncoderTest, OneMoreByteAcrossACapacityBoundaryMovesUpOneVersion) {
    // Level M, byte mode: version 1 holds 14 bytes, version 9 holds 180.
    const struct {
        std::size_t length;
        int version;
    } cases[] = {{14, 1}, {15, 2}, {180, 9}, {181, 10}, {2331, 40}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const Encoded e = encode(std::string(c.length, 'a'));
        ASSERT_EQ(e.status, 1);
        EXPECT_EQ(e.encoder->version, c.version);
    }
}

TEST(QREncoderTest, ChoosesTheCheaperSegmentation) {
    // One letter and forty digits: numeric plus alphanumeric segments need 167
    // bits (version 2); one alphanumeric segment would need 239 (version 3).
    const std::string text = "A" + std::string(40, '5');
    const Encoded e = encode(text);
    ASSERT_EQ(e.status, 1);
    EXPECT_EQ(e.encoder->version, 2);
    EXPECT_EQ(readWithZxing(renderMatrix(e.encoder->modules, 25, 3), Symbology::qr)->bytes, text);
}

TEST(QREncoderTest, RefusesWhatCannotBeEncoded) {
    const struct {
        const char* what;
        std::string text;
        int level;
        int version;
        bool autoExtent;
    } cases[] = {
        {"empty text", "", 1, 0, true},
        {"past the level-M limit of 2,331 bytes", std::string(2332, 'a'), 1, 0, true},
        {"past the level-L digit limit of 7,089", std::string(7090, '1'), 0, 0, true},
        {"fixed version too small without autoExtent", std::string(20, 'a'), 1, 1, false},
        {"longer than any symbol holds", std::string(14000, '1'), 0, 0, true},
        {"3,500 alternating digit and byte segments", alternating("1a", 1750), 1, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(encode(c.text, c.level, c.version, c.autoExtent).status, 0);
    }
}

TEST(QREncoderTest, MeasuresTheTextWhenNoLengthIsGiven) {
    auto encoder = std::make_unique<QREncoder>();
    ASSERT_EQ(encoder->encodeText(1, 0, true, -1, "HELLO WORLD\0ignored", 0), 1);
    EXPECT_EQ(readWithZbar(renderMatrix(encoder->modules, 21, 3), Symbology::qr), "HELLO WORLD");
    EXPECT_EQ(encoder->encodeText(1, 0, true, -1, "", 0), 0);
}

TEST(QREncoderTest, RequestedVersionIsKeptWhenLargeEnoughAndExtendedOtherwise) {
    EXPECT_EQ(encode("A", 1, 5).encoder->version, 5);
    const Encoded extended = encode(std::string(20, 'a'), 1, 1, true);
    ASSERT_EQ(extended.status, 1);
    EXPECT_EQ(extended.encoder->version, 2);
    // A fixed version in the second count-width group still reads back.
    const Encoded big = encode("HELLO", 1, 12, false);
    ASSERT_EQ(big.status, 1);
    EXPECT_EQ(readWithZxing(renderMatrix(big.encoder->modules, 65, 3), Symbology::qr)->bytes,
              "HELLO");
}

TEST(QREncoderTest, AutomaticMaskHasTheLowestPenaltyAndTiesGoToTheLowerNumber) {
    for (const std::string text : {"HELLO WORLD", "https://example.com/a/b", "12345678901234"}) {
        SCOPED_TRACE(text);
        int best = -1;
        int bestScore = 0;
        for (int mask = 0; mask < 8; ++mask) {
            const Encoded fixed = encode(text, 1, 0, true, mask);
            ASSERT_EQ(fixed.status, 1);
            const int score = penalty(*fixed.encoder);
            if (best < 0 || score < bestScore) {
                best = mask;
                bestScore = score;
            }
            EXPECT_EQ(
                readWithZbar(renderMatrix(fixed.encoder->modules, fixed.encoder->moduleCount, 3),
                             Symbology::qr),
                text)
                << "mask " << mask;
        }
        const Encoded automatic = encode(text);
        EXPECT_EQ(automatic.encoder->mask, best);
    }
}

std::string repeatTo(const std::string& unit, std::size_t length) {
    std::string out;
    while (out.size() < length) {
        out += unit;
    }
    out.resize(length);
    return out;
}

// FNV-1a over the module count, the mask and every module.
std::uint64_t digest(const QREncoder& q) {
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&](std::uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
    mix(static_cast<std::uint8_t>(q.moduleCount));
    mix(static_cast<std::uint8_t>(q.mask));
    for (int x = 0; x < q.moduleCount; ++x) {
        for (int y = 0; y < q.moduleCount; ++y) {
            mix(q.modules[x * 177 + y]);
        }
    }
    return hash;
}

// Symbols made before the mask scoring was rewritten for speed: the same
// texts must give the same modules and masks.
TEST(QREncoderTest, SymbolsStayTheSameModuleForModule) {
    const std::string sentence = "The quick brown fox jumps over the lazy dog. ";
    struct Case {
        const char* what;
        std::string text;
        int level;
        int version;
        int mask;
        std::uint64_t digest;
    };
    const Case cases[] = {
        {"short URL", "https://example.com/", 1, 2, 1, 0x69353eac45b54905ull},
        {"short URL at H", "https://example.com/", 3, 3, 7, 0xd965601fa91e0d5dull},
        {"500 bytes", repeatTo(sentence, 500), 1, 17, 2, 0xc3107784cf9fa0b8ull},
        {"500 bytes at Q", repeatTo(sentence, 500), 2, 21, 3, 0x65de44e9a2bfdb71ull},
        {"the largest version's capacity", repeatTo("abcdefghijklmnopqrstuvwxyz", 2953), 0, 40, 2,
         0xc07a1cc101b32184ull},
        {"UTF-8 text", repeatTo("Grüße aus Zürich, 日本語のテキスト ✓ ", 300), 1, 13, 2,
         0xe40e08a49247eb1eull},
        {"digits", repeatTo("0123456789", 1000), 1, 16, 1, 0xc6776b4f0128f3acull},
        {"alphanumeric", repeatTo("HELLO WORLD $%*+-./:", 700), 0, 15, 5, 0x9ccb852123137c2cull},
        {"mixed segments", repeatTo("ABC123def456", 400), 1, 15, 2, 0x8071c4bc44f87dc6ull},
    };
    // One encoder reused for every text (smaller symbols after larger ones)
    // leaves nothing of an earlier symbol in a later one.
    auto reused = std::make_unique<QREncoder>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Encoded e = encode(c.text, c.level);
        ASSERT_EQ(e.status, 1);
        EXPECT_EQ(e.encoder->version, c.version);
        EXPECT_EQ(e.encoder->mask, c.mask);
        EXPECT_EQ(digest(*e.encoder), c.digest);
        ASSERT_EQ(reused->encodeText(c.level, 0, true, -1, c.text.data(),
                                     static_cast<int>(c.text.size())),
                  1);
        EXPECT_EQ(digest(*reused), c.digest);
    }
}

TEST(QREncoderTest, ModulesAreStoredColumnByColumn) {
    const Encoded e = encode("HELLO WORLD");
    const QREncoder& q = *e.encoder;
    const int n = q.moduleCount;
    // The dark module sits at column 8, row n - 8; the mirrored place is format
    // information. The timing patterns run along row 6 and column 6.
    EXPECT_TRUE(dark(q, 8, n - 8));
    for (int i = 8; i < n - 8; ++i) {
        EXPECT_EQ(dark(q, i, 6), i % 2 == 0) << i;
        EXPECT_EQ(dark(q, 6, i), i % 2 == 0) << i;
    }
    // The top-right finder's light separator is column n - 8 in rows 0-7.
    for (int y = 0; y < 8; ++y) {
        EXPECT_FALSE(dark(q, n - 8, y)) << y;
    }
    EXPECT_TRUE(dark(q, n - 7, 0));
}

TEST(QREncoderTest, ShiftJISTextUsesKanjiModeOnlyWhenAsked) {
    // "点" in Shift-JIS is 0x93 0x5F: one 13-bit kanji character.
    const std::string sjis = "\x93\x5F\x93\x5F";
    auto kanji = std::make_unique<QREncoder>(true);
    ASSERT_EQ(kanji->encodeText(1, 0, true, -1, sjis.data(), 4), 1);
    const auto read =
        readWithZxing(renderMatrix(kanji->modules, kanji->moduleCount, 3), Symbology::qr);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->bytes, sjis);
}

}  // namespace
