#include "QRGen/QREncoder.h"

#include <cstdlib>
#include <cstring>

#include "QRGen/QRVersionTable.h"

namespace {

constexpr int kNumeric = 0;
constexpr int kAlphanumeric = 1;
constexpr int kByte = 2;
constexpr int kKanji = 3;

// Character-count indicator widths by mode and version group (1-9, 10-26, 27-40).
constexpr int kCountWidth[4][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}, {8, 10, 12}};
constexpr std::uint32_t kModeIndicator[4] = {0x1, 0x2, 0x4, 0x8};
constexpr int kGroupFirst[3] = {1, 10, 27};
constexpr int kGroupLast[3] = {9, 26, 40};

// Format-information level codes for L, M, Q, H.
constexpr int kLevelBits[4] = {1, 0, 3, 2};

// GF(256) with the polynomial 0x11D: exponent and logarithm tables.
struct Galois {
    std::uint8_t exp[512] = {};
    std::uint8_t log[256] = {};
    constexpr Galois() {
        int x = 1;
        for (int i = 0; i < 255; ++i) {
            exp[i] = static_cast<std::uint8_t>(x);
            log[x] = static_cast<std::uint8_t>(i);
            x <<= 1;
            if (x & 0x100) {
                x ^= 0x11D;
            }
        }
        for (int i = 255; i < 512; ++i) {
            exp[i] = exp[i - 255];
        }
    }
    constexpr std::uint8_t multiply(std::uint8_t a, std::uint8_t b) const {
        return (a == 0 || b == 0) ? 0 : exp[log[a] + log[b]];
    }
};

constexpr Galois kGalois;

bool isDigit(std::uint8_t c) {
    return c >= '0' && c <= '9';
}

bool isAlphanumeric(std::uint8_t c) {
    return isDigit(c) || (c >= 'A' && c <= 'Z') || std::strchr(" $%*+-./:", c) != nullptr;
}

int groupOfVersion(int v) {
    return v >= 27 ? 2 : v >= 10 ? 1 : 0;
}

int dataCapacity(int version, int level) {
    return QRVersionTable[version][QRVersionColumn::dataCodewords + level];
}

// The 15 format-information bits of `level` and mask `m`, with their BCH
// check bits, masked.
int formatBits(int level, int m) {
    const int data = kLevelBits[level] << 3 | m;
    int remainder = data;
    for (int i = 0; i < 10; ++i) {
        remainder = (remainder << 1) ^ ((remainder >> 9) * 0x537);
    }
    return (data << 10 | remainder) ^ 0x5412;
}

// Whether mask `m` inverts the module of column x and row y.
constexpr bool masked(int m, int x, int y) {
    switch (m) {
        case 0:
            return (x + y) % 2 == 0;
        case 1:
            return y % 2 == 0;
        case 2:
            return x % 3 == 0;
        case 3:
            return (x + y) % 3 == 0;
        case 4:
            return (y / 2 + x / 3) % 2 == 0;
        case 5:
            return (x * y) % 2 + (x * y) % 3 == 0;
        case 6:
            return ((x * y) % 2 + (x * y) % 3) % 2 == 0;
        default:
            return ((x + y) % 2 + (x * y) % 3) % 2 == 0;
    }
}

// Every mask repeats every 12 columns: the table holds, per mask and column
// modulo 12, whether each row of the column is inverted (1) or not (0).
constexpr int kMaskPeriod = 12;
struct MaskTable {
    std::uint8_t inverted[8][kMaskPeriod][QREncoder::kMaxModules] = {};
    constexpr MaskTable() {
        for (int m = 0; m < 8; ++m) {
            for (int x = 0; x < kMaskPeriod; ++x) {
                for (int y = 0; y < QREncoder::kMaxModules; ++y) {
                    inverted[m][x][y] = masked(m, x, y) ? 1 : 0;
                }
            }
        }
    }
};
constexpr MaskTable kMasks;

}  // namespace

int QREncoder::encodeText(int level_, int version_, bool autoExtent, int mask_, const char* text,
                          int length) {
    if (level_ < 0 || level_ > 3 || version_ < 0 || version_ > 40 || mask_ < -1 || mask_ > 7 ||
        text == nullptr) {
        return 0;
    }
    level = level_;
    mask = mask_;
    if (length < 1) {
        length = static_cast<int>(strnlen(text, kMaxTextLength + 1));
    }
    if (length < 1 || length > kMaxTextLength) {
        return 0;
    }
    text_ = reinterpret_cast<const std::uint8_t*>(text);
    textLength_ = length;

    const int selected = selectVersion(version_);
    if (selected == 0) {
        return 0;
    }
    if (version_ != 0 && version_ >= selected) {
        version = version_;
    } else if (version_ == 0 || autoExtent) {
        version = selected;
    } else {
        return 0;
    }

    // Terminator, byte alignment, then the pad codewords 236 and 17.
    const int capacityBytes = dataCapacity(version, level);
    const int capacityBits = capacityBytes * 8;
    const int terminator = capacityBits - dataBits < 4 ? capacityBits - dataBits : 4;
    appendBits(0, terminator);
    if (dataBits % 8 != 0) {
        appendBits(0, 8 - dataBits % 8);
    }
    for (int pad = 0; dataBits / 8 < capacityBytes; pad ^= 1) {
        appendBits(pad == 0 ? 236 : 17, 8);
    }
    if (dataBits < 0) {
        return 0;
    }

    // Split into blocks and interleave data, then error-correction codewords.
    const QRVersionRow& row = QRVersionTable[version];
    const int g1 = QRVersionColumn::firstGroup + level * 3;
    const int g2 = QRVersionColumn::secondGroup + level * 3;
    const int blocks1 = row[g1], data1 = row[g1 + 2];
    const int blocks2 = row[g2], data2 = row[g2 + 2];
    const int eccLength = row[g1 + 1] - data1;
    const int blocks = blocks1 + blocks2;
    codewordCount = row[QRVersionColumn::totalCodewords];

    std::uint8_t ecc[81][30];
    int offsets[81];
    int lengths[81];
    for (int b = 0, offset = 0; b < blocks; ++b) {
        lengths[b] = b < blocks1 ? data1 : data2;
        offsets[b] = offset;
        computeEcc(dataCodewords + offset, lengths[b], ecc[b], eccLength);
        offset += lengths[b];
    }
    int out = 0;
    const int longest = blocks2 > 0 ? data2 : data1;
    for (int c = 0; c < longest; ++c) {
        for (int b = 0; b < blocks; ++b) {
            if (c < lengths[b]) {
                allCodewords[out++] = dataCodewords[offsets[b] + c];
            }
        }
    }
    for (int c = 0; c < eccLength; ++c) {
        for (int b = 0; b < blocks; ++b) {
            allCodewords[out++] = ecc[b][c];
        }
    }

    moduleCount = version * 4 + 17;
    buildMatrix();
    return 1;
}

int QREncoder::selectVersion(int requested) {
    for (int group = requested == 0 ? 0 : groupOfVersion(requested); group < 3; ++group) {
        if (!segmentData(group)) {
            continue;
        }
        const int bytes = (dataBits + 7) / 8;
        for (int v = kGroupFirst[group]; v <= kGroupLast[group]; ++v) {
            if (dataCapacity(v, level) >= bytes) {
                return v;
            }
        }
    }
    return 0;
}

bool QREncoder::isKanjiPair(std::uint8_t a, std::uint8_t b) {
    if (a >= 0x81 && a <= 0x9F && b >= 0x40) {
        return !(a == 0x9F && b > 0xFC);
    }
    if (a >= 0xE0 && a <= 0xEB && b >= 0x40) {
        return !(a == 0xEB && b >= 0xC0);
    }
    return false;
}

int QREncoder::alnumValue(std::uint8_t c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    switch (c) {
        case ' ':
            return 36;
        case '$':
            return 37;
        case '%':
            return 38;
        case '*':
            return 39;
        case '+':
            return 40;
        case '-':
            return 41;
        case '.':
            return 42;
        case '/':
            return 43;
        default:
            return 44;
    }
}

int QREncoder::countBitLength(int mode, int length, int group) const {
    int bits = 4 + kCountWidth[mode][group];
    switch (mode) {
        case kNumeric:
            bits += 10 * (length / 3) + (length % 3 == 2 ? 7 : length % 3 == 1 ? 4 : 0);
            break;
        case kAlphanumeric:
            bits += 11 * (length / 2) + 6 * (length % 2);
            break;
        case kByte:
            bits += 8 * length;
            break;
        default:
            bits += 13 * (length / 2);
            break;
    }
    return bits;
}

int QREncoder::byteHeader(int group) const {
    return 4 + kCountWidth[kByte][group];
}

void QREncoder::appendBits(std::uint32_t value, int count) {
    if (dataBits < 0 || count <= 0) {
        return;
    }
    if (dataBits + count > kMaxDataBits) {
        dataBits = -1;
        return;
    }
    for (int i = count - 1; i >= 0; --i) {
        const int bit = (value >> i) & 1;
        if (bit) {
            dataCodewords[dataBits / 8] |= static_cast<std::uint8_t>(0x80 >> (dataBits % 8));
        } else {
            dataCodewords[dataBits / 8] &= static_cast<std::uint8_t>(~(0x80 >> (dataBits % 8)));
        }
        ++dataBits;
    }
}

void QREncoder::removeSegment(int index) {
    for (int k = index; k + 1 < segmentCount; ++k) {
        segmentModes[k] = segmentModes[k + 1];
        segmentLengths[k] = segmentLengths[k + 1];
    }
    --segmentCount;
}

bool QREncoder::segmentData(int group) {
    // Runs of bytes of one mode.
    segmentCount = 0;
    for (int i = 0; i < textLength_;) {
        int mode;
        int width = 1;
        const std::uint8_t c = text_[i];
        if (shiftJIS_ && i + 1 < textLength_ && isKanjiPair(c, text_[i + 1])) {
            mode = kKanji;
            width = 2;
        } else if (isDigit(c)) {
            mode = kNumeric;
        } else if (isAlphanumeric(c)) {
            mode = kAlphanumeric;
        } else {
            mode = kByte;
        }
        if (segmentCount > 0 && segmentModes[segmentCount - 1] == mode) {
            segmentLengths[segmentCount - 1] += width;
        } else {
            segmentModes[segmentCount] = static_cast<std::uint8_t>(mode);
            segmentLengths[segmentCount] = width;
            ++segmentCount;
        }
        i += width;
    }

    mergeNumericAlphanumeric(group);
    mergeIntoBytes(group);

    // appendBits() writes every bit it passes, up to the last pad codeword, so
    // the codewords of an earlier text need no clearing.
    dataBits = 0;
    const std::uint8_t* p = text_;
    for (int s = 0; s < segmentCount && dataBits >= 0; ++s) {
        const int mode = segmentModes[s];
        const int length = segmentLengths[s];
        const int count = mode == kKanji ? length / 2 : length;
        const int width = kCountWidth[mode][group];
        appendBits(kModeIndicator[mode], 4);
        appendBits(static_cast<std::uint32_t>(count) & ((1u << width) - 1), width);
        switch (mode) {
            case kNumeric:
                for (int i = 0; i < length; i += 3) {
                    const int n = length - i < 3 ? length - i : 3;
                    std::uint32_t value = 0;
                    for (int k = 0; k < n; ++k) {
                        value = value * 10 + (p[i + k] - '0');
                    }
                    appendBits(value, n == 3 ? 10 : n == 2 ? 7 : 4);
                }
                break;
            case kAlphanumeric:
                for (int i = 0; i < length; i += 2) {
                    if (i + 1 < length) {
                        appendBits(alnumValue(p[i]) * 45 + alnumValue(p[i + 1]), 11);
                    } else {
                        appendBits(alnumValue(p[i]), 6);
                    }
                }
                break;
            case kByte:
                for (int i = 0; i < length; ++i) {
                    appendBits(p[i], 8);
                }
                break;
            default:
                for (int i = 0; i + 1 < length; i += 2) {
                    int code = p[i] << 8 | p[i + 1];
                    code -= p[i] <= 0x9F ? 0x8140 : 0xC140;
                    appendBits(static_cast<std::uint32_t>((code >> 8) * 192 + (code & 0xFF)), 13);
                }
                break;
        }
        p += length;
    }
    return dataBits >= 0;
}

void QREncoder::mergeNumericAlphanumeric(int group) {
    const int header8 = byteHeader(group);
    int* len = segmentLengths;
    std::uint8_t* mode = segmentModes;
    int i = 0;
    while (i + 1 < segmentCount) {
        const bool pair = (mode[i] == kNumeric && mode[i + 1] == kAlphanumeric) ||
                          (mode[i] == kAlphanumeric && mode[i + 1] == kNumeric);
        if (!pair) {
            ++i;
            continue;
        }
        const int a =
            countBitLength(mode[i], len[i], group) + countBitLength(mode[i + 1], len[i + 1], group);
        const int h = countBitLength(kAlphanumeric, len[i] + len[i + 1], group);
        if (h >= a) {
            ++i;
            continue;
        }
        bool haveP = false, haveN = false;
        int p = 0, n = 0;
        if (i > 0 && mode[i - 1] == kByte) {
            p = countBitLength(mode[i + 1], len[i + 1], group) + header8 +
                8 * (len[i - 1] + len[i]);
            haveP = !(h + header8 + 8 * len[i - 1] < p);
        }
        if (i + 2 < segmentCount && mode[i + 2] == kByte) {
            n = countBitLength(mode[i], len[i], group) + header8 + 8 * (len[i + 1] + len[i + 2]);
            haveN = !(h + header8 + 8 * len[i + 2] < n);
        }
        if (haveP && (!haveN || p < n)) {
            len[i - 1] += len[i];
            removeSegment(i);
        } else if (haveN) {
            len[i + 2] += len[i + 1];
            removeSegment(i + 1);
        } else {
            if (i + 2 < segmentCount && mode[i + 2] == kAlphanumeric) {
                len[i + 1] += len[i + 2];
                removeSegment(i + 2);
            }
            mode[i] = kAlphanumeric;
            len[i] += len[i + 1];
            removeSegment(i + 1);
            if (i > 0 && mode[i - 1] == kAlphanumeric) {
                len[i - 1] += len[i];
                removeSegment(i);
            }
        }
    }
}

void QREncoder::mergeIntoBytes(int group) {
    const int header8 = byteHeader(group);
    int* len = segmentLengths;
    std::uint8_t* mode = segmentModes;
    int j = 0;
    while (j + 1 < segmentCount) {
        const int b =
            countBitLength(mode[j], len[j], group) + countBitLength(mode[j + 1], len[j + 1], group);
        int m = header8 + 8 * (len[j] + len[j + 1]);
        if (j > 0 && mode[j - 1] == kByte) {
            m = 8 * (len[j] + len[j + 1]);
        }
        if (j + 2 < segmentCount && mode[j + 2] == kByte) {
            m -= header8;
        }
        if (m >= b) {
            ++j;
            continue;
        }
        mode[j] = kByte;
        len[j] += len[j + 1];
        removeSegment(j + 1);
        int merged = j;
        if (j > 0 && mode[j - 1] == kByte) {
            len[j - 1] += len[j];
            removeSegment(j);
            merged = j - 1;
        }
        if (merged + 1 < segmentCount && mode[merged + 1] == kByte) {
            len[merged] += len[merged + 1];
            removeSegment(merged + 1);
        }
        j = j > 0 ? j - 1 : 0;
    }
}

void QREncoder::computeEcc(const std::uint8_t* data, int dataLength, std::uint8_t* ecc,
                           int eccLength) {
    // Generator polynomial: the product of (x - a^i) for i below eccLength,
    // coefficients from the highest power down, the leading 1 left out.
    std::uint8_t generator[30] = {};
    generator[eccLength - 1] = 1;
    std::uint8_t root = 1;
    for (int i = 0; i < eccLength; ++i) {
        for (int k = 0; k < eccLength; ++k) {
            generator[k] = kGalois.multiply(generator[k], root);
            if (k + 1 < eccLength) {
                generator[k] ^= generator[k + 1];
            }
        }
        root = kGalois.multiply(root, 2);
    }
    std::memset(ecc, 0, static_cast<std::size_t>(eccLength));
    for (int i = 0; i < dataLength; ++i) {
        const std::uint8_t factor = data[i] ^ ecc[0];
        std::memmove(ecc, ecc + 1, static_cast<std::size_t>(eccLength - 1));
        ecc[eccLength - 1] = 0;
        for (int k = 0; k < eccLength; ++k) {
            ecc[k] ^= kGalois.multiply(generator[k], factor);
        }
    }
}

void QREncoder::buildMatrix() {
    // Only the symbol's own square is cleared: nothing reads beyond it.
    for (int x = 0; x < moduleCount; ++x) {
        std::memset(modules + x * kMaxModules, 0, static_cast<std::size_t>(moduleCount));
    }
    placeFunctionPatterns();
    placeCodewords();
    int chosen = mask;
    if (chosen < 0) {
        int best = 0;
        for (int m = 0; m < 8; ++m) {
            const int score = scoreMask(m);
            if (m == 0 || score < best) {
                best = score;
                chosen = m;
            }
        }
    }
    mask = chosen;
    applyMask(chosen);
    placeFormatInfo(chosen);
    for (int x = 0; x < moduleCount; ++x) {
        for (int y = 0; y < moduleCount; ++y) {
            module(x, y) = (module(x, y) & kDark) ? 1 : 0;
        }
    }
}

void QREncoder::placeFinder(int cx, int cy) {
    // A 7x7 finder whose top-left corner is (cx, cy), with its light separator.
    for (int dy = -1; dy <= 7; ++dy) {
        for (int dx = -1; dx <= 7; ++dx) {
            const int x = cx + dx, y = cy + dy;
            if (x < 0 || y < 0 || x >= moduleCount || y >= moduleCount) {
                continue;
            }
            const bool ring = (dx >= 0 && dx <= 6 && (dy == 0 || dy == 6)) ||
                              (dy >= 0 && dy <= 6 && (dx == 0 || dx == 6));
            const bool core = dx >= 2 && dx <= 4 && dy >= 2 && dy <= 4;
            setFunction(x, y, ring || core);
        }
    }
}

void QREncoder::placeAlignment(int cx, int cy) {
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (module(cx + dx, cy + dy) & kFunction) {
                return;
            }
        }
    }
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int d = std::abs(dx) > std::abs(dy) ? std::abs(dx) : std::abs(dy);
            setFunction(cx + dx, cy + dy, d != 1);
        }
    }
}

void QREncoder::placeVersionInfo() {
    if (version < 7) {
        return;
    }
    int remainder = version;
    for (int i = 0; i < 12; ++i) {
        remainder = (remainder << 1) ^ ((remainder >> 11) * 0x1F25);
    }
    const int bits = version << 12 | remainder;
    for (int i = 0; i < 18; ++i) {
        const bool dark = (bits >> i) & 1;
        const int a = moduleCount - 11 + i % 3;
        const int b = i / 3;
        setFunction(a, b, dark);
        setFunction(b, a, dark);
    }
}

void QREncoder::placeFunctionPatterns() {
    const int size = moduleCount;
    placeFinder(0, 0);
    placeFinder(size - 7, 0);
    placeFinder(0, size - 7);
    // Format-information areas, written later; the dark module is among them.
    // Row and column 6 there belong to the timing patterns.
    for (int i = 0; i <= 8; ++i) {
        if (i != 6) {
            setFunction(8, i, false);
            setFunction(i, 8, false);
        }
    }
    for (int i = 0; i < 8; ++i) {
        setFunction(size - 1 - i, 8, false);
        setFunction(8, size - 1 - i, false);
    }
    const QRVersionRow& row = QRVersionTable[version];
    int coordinates[7] = {6};
    const int count = row[QRVersionColumn::alignmentCount] + 1;
    for (int k = 1; k < count; ++k) {
        coordinates[k] = row[QRVersionColumn::alignment + k - 1];
    }
    if (count > 1) {
        for (int a = 0; a < count; ++a) {
            for (int b = 0; b < count; ++b) {
                placeAlignment(coordinates[a], coordinates[b]);
            }
        }
    }
    for (int i = 8; i < size - 8; ++i) {
        if (!(module(i, 6) & kFunction)) {
            setFunction(i, 6, i % 2 == 0);
        }
        if (!(module(6, i) & kFunction)) {
            setFunction(6, i, i % 2 == 0);
        }
    }
    placeVersionInfo();
}

void QREncoder::placeCodewords() {
    const int size = moduleCount;
    const int totalBits = codewordCount * 8;
    int bit = 0;
    for (int right = size - 1; right >= 1; right -= 2) {
        if (right == 6) {
            right = 5;
        }
        const bool upward = ((right + 1) & 2) == 0;
        for (int step = 0; step < size; ++step) {
            const int y = upward ? size - 1 - step : step;
            for (int j = 0; j < 2; ++j) {
                const int x = right - j;
                if (module(x, y) & kFunction) {
                    continue;
                }
                bool dark = false;
                if (bit < totalBits) {
                    dark = (allCodewords[bit / 8] >> (7 - bit % 8)) & 1;
                    ++bit;
                }
                module(x, y) = dark ? kDark : 0;
            }
        }
    }
}

void QREncoder::applyMask(int m) {
    for (int x = 0; x < moduleCount; ++x) {
        std::uint8_t* column = modules + x * kMaxModules;
        const std::uint8_t* inverted = kMasks.inverted[m][x % kMaskPeriod];
        for (int y = 0; y < moduleCount; ++y) {
            column[y] ^= inverted[y] & ~(column[y] >> 1) & kDark;
        }
    }
}

template <typename Visit>
void QREncoder::forEachFormatModule(Visit visit) const {
    const int size = moduleCount;
    for (int i = 0; i <= 5; ++i) {
        visit(8, i, i);
    }
    visit(8, 7, 6);
    visit(8, 8, 7);
    visit(7, 8, 8);
    for (int i = 9; i < 15; ++i) {
        visit(14 - i, 8, i);
    }
    for (int i = 0; i < 8; ++i) {
        visit(size - 1 - i, 8, i);
    }
    for (int i = 8; i < 15; ++i) {
        visit(8, size - 15 + i, i);
    }
}

void QREncoder::placeFormatInfo(int m) {
    const int bits = formatBits(level, m);
    forEachFormatModule([&](int x, int y, int i) { setFunction(x, y, (bits >> i) & 1); });
    setFunction(8, moduleCount - 8, true);
}

int QREncoder::scoreMask(int m) {
    const int size = moduleCount;
    int darkCount = 0;
    for (int x = 0; x < size; ++x) {
        const std::uint8_t* column = modules + x * kMaxModules;
        const std::uint8_t* inverted = kMasks.inverted[m][x % kMaskPeriod];
        std::uint8_t* out = columns_ + x * size;
        // Data modules (function bit clear) take the mask; function modules not.
        for (int y = 0; y < size; ++y) {
            out[y] = (column[y] ^ (inverted[y] & ~(column[y] >> 1))) & kDark;
        }
    }
    const int bits = formatBits(level, m);
    forEachFormatModule([&](int x, int y, int i) {
        columns_[x * size + y] = static_cast<std::uint8_t>((bits >> i) & 1);
    });
    columns_[8 * size + size - 8] = 1;
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            rows_[y * size + x] = columns_[x * size + y];
            darkCount += columns_[x * size + y];
        }
    }

    int score = 0;
    for (int line = 0; line < size; ++line) {
        score += scoreLine(rows_ + line * size, size) + scoreLine(columns_ + line * size, size);
    }
    // Rule 2: 2x2 blocks of one colour, counted without branches (modules
    // are 0 or 1, so a block is of one colour when no pair differs).
    int blocks = 0;
    for (int y = 0; y + 1 < size; ++y) {
        const std::uint8_t* top = rows_ + y * size;
        const std::uint8_t* bottom = top + size;
        for (int x = 0; x + 1 < size; ++x) {
            blocks += 1 ^ ((top[x] ^ top[x + 1]) | (top[x] ^ bottom[x]) | (top[x] ^ bottom[x + 1]));
        }
    }
    score += 3 * blocks;
    // Rule 4: balance of light and dark.
    const int percent = (size * size - darkCount) * 100 / (size * size);
    score += 10 * (std::abs(50 - percent) / 5);
    return score;
}

int QREncoder::scoreLine(const std::uint8_t* line, int size) {
    // Lengths of the runs of one colour, measured without branches: the
    // colours are 0 and 1, so a change of colour is their exclusive or.
    int runs[kMaxModules];
    int last = 0;
    int run = 1;
    runs[0] = 1;
    for (int i = 1; i < size; ++i) {
        const int change = line[i] ^ line[i - 1];
        last += change;
        run = (run & (change - 1)) + 1;
        runs[last] = run;
    }
    const int count = last + 1;
    int score = 0;
    // Rule 1: runs of five or more modules of one colour.
    for (int k = 0; k < count; ++k) {
        score += (runs[k] >= 5) * (runs[k] - 2);
    }
    // Rule 3: dark-light-dark-dark-dark-light-dark (runs of 1, 1, 3, 1, 1) with
    // four light modules, or a light run that reaches the symbol's edge, on
    // one side; the edge itself counts as light.
    for (int k = line[0] ? 0 : 1; k + 4 < count; k += 2) {
        const bool finder = (runs[k] == 1) & (runs[k + 1] == 1) & (runs[k + 2] == 3) &
                            (runs[k + 3] == 1) & (runs[k + 4] == 1);
        const bool before = k <= 1 || runs[k - 1] >= 4;
        const bool after = k + 6 >= count || runs[k + 5] >= 4;
        score += 40 * (finder & (before | after));
    }
    return score;
}
