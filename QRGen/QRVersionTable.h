#pragma once

// The QR Code version table: for each version 1-40 its codeword counts,
// alignment-pattern coordinates and error-correction block structure per level.

#include <array>

// Row layout (37 values): version; total codewords; data codewords for L, M, Q,
// H; number of alignment coordinates besides 6; up to six such coordinates;
// the first block group for L, M, Q, H (block count, codewords per block, data
// codewords per block); then the second block group in the same order.
namespace QRVersionColumn {
constexpr int version = 0;
constexpr int totalCodewords = 1;
constexpr int dataCodewords = 2;
constexpr int alignmentCount = 6;
constexpr int alignment = 7;
constexpr int firstGroup = 13;
constexpr int secondGroup = 25;
}  // namespace QRVersionColumn

using QRVersionRow = std::array<int, 37>;

// Row 0 is empty; row v describes version v.
extern const std::array<QRVersionRow, 41> QRVersionTable;
