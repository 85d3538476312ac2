#pragma once

// Encodes a byte string as the module matrix of a QR Code (model 2) symbol:
// mode segments, version choice, Reed-Solomon error correction, function
// patterns, codeword placement and mask choice by the penalty rules. All
// buffers are fixed members sized for version 40; encoding allocates nothing.

#include <cstdint>

class QREncoder {
  public:
    static constexpr int kMaxModules = 177;
    static constexpr int kMaxDataBytes = 2956;
    static constexpr int kMaxDataBits = 23648;
    static constexpr int kMaxCodewords = 3706;
    // The longest text any symbol can hold (digits at version 40-L); longer
    // texts fail before they are split, so the segment arrays cannot overflow.
    static constexpr int kMaxTextLength = 7089;

    // With `shiftJIS` the text is taken as Shift-JIS and kanji pairs are coded in
    // kanji mode; otherwise (UTF-8 text) every byte outside the numeric and
    // alphanumeric sets is coded as an 8-bit byte.
    explicit QREncoder(bool shiftJIS = false) : shiftJIS_(shiftJIS) {}

    // level 0 L, 1 M, 2 Q, 3 H; version 0 automatic; mask -1 automatic; a
    // length below 1 measures the text up to its first zero byte. Returns 1 on
    // success, 0 when the text is empty or does not fit.
    int encodeText(int level, int version, bool autoExtent, int mask, const char* text, int length);

    int level = 1;
    int version = 0;
    int mask = -1;
    int moduleCount = 0;
    // Module of column x and row y at x * kMaxModules + y: 1 dark, 0 light.
    std::uint8_t modules[kMaxModules * kMaxModules] = {};

  private:
    static constexpr std::uint8_t kDark = 1;
    static constexpr std::uint8_t kFunction = 2;

    int selectVersion(int requested);
    bool segmentData(int group);
    int countBitLength(int mode, int length, int group) const;
    void appendBits(std::uint32_t value, int count);
    static bool isKanjiPair(std::uint8_t a, std::uint8_t b);
    static int alnumValue(std::uint8_t c);
    static void computeEcc(const std::uint8_t* data, int dataLength, std::uint8_t* ecc,
                           int eccLength);
    void buildMatrix();
    void placeFunctionPatterns();
    void placeFinder(int x, int y);
    void placeAlignment(int x, int y);
    void placeVersionInfo();
    void placeCodewords();
    void applyMask(int m);
    void placeFormatInfo(int m);
    // Calls visit(x, y, bit) for each of the 30 format-information modules
    // with the index (0-14) of the format bit it shows.
    template <typename Visit>
    void forEachFormatModule(Visit visit) const;
    // The penalty of mask `m`, scored on copies of the symbol (row by row and
    // column by column) so the module matrix stays unmasked.
    int scoreMask(int m);
    static int scoreLine(const std::uint8_t* line, int size);

    void mergeNumericAlphanumeric(int group);
    void mergeIntoBytes(int group);
    void removeSegment(int index);
    int byteHeader(int group) const;
    std::uint8_t& module(int x, int y) { return modules[x * kMaxModules + y]; }
    std::uint8_t module(int x, int y) const { return modules[x * kMaxModules + y]; }
    void setFunction(int x, int y, bool dark) { module(x, y) = kFunction | (dark ? kDark : 0); }

    bool shiftJIS_;
    const std::uint8_t* text_ = nullptr;
    int textLength_ = 0;
    int dataBits = 0;
    std::uint8_t dataCodewords[kMaxDataBytes] = {};
    int segmentCount = 0;
    std::uint8_t segmentModes[kMaxTextLength] = {};
    int segmentLengths[kMaxTextLength] = {};
    int codewordCount = 0;
    std::uint8_t allCodewords[kMaxCodewords] = {};
    // The masked symbol being scored: 1 dark, 0 light, row by row and column by column.
    std::uint8_t rows_[kMaxModules * kMaxModules] = {};
    std::uint8_t columns_[kMaxModules * kMaxModules] = {};
};
