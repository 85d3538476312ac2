#include "QRGen/QRVersionTable.h"

namespace {

// Error-correction codewords per block and number of blocks, by level (L, M,
// Q, H) and version, from the QR standard's table of error-correction
// characteristics.
constexpr int kEccPerBlock[4][41] = {
    {0,  7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {0,  13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0,  17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};

constexpr int kBlockCount[4][41] = {
    {0, 1, 1, 1,  1,  1,  2,  2,  2,  2,  4,  4,  4,  4,  4,  6,  6,  6,  6,  7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {0,  1,  1,  1,  2,  2,  4,  4,  4,  5,  5,  5,  8,  9,  9,  10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {0,  1,  1,  2,  2,  4,  4,  6,  6,  8,  8,  8,  10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {0,  1,  1,  2,  4,  4,  4,  5,  6,  8,  8,  11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
};

// Modules left for codewords once the function patterns are placed.
constexpr int rawDataModules(int v) {
    int modules = (16 * v + 128) * v + 64;
    if (v >= 2) {
        const int alignments = v / 7 + 2;
        modules -= (25 * alignments - 10) * alignments - 55;
        if (v >= 7) {
            modules -= 36;
        }
    }
    return modules;
}

constexpr std::array<QRVersionRow, 41> buildTable() {
    std::array<QRVersionRow, 41> table{};
    for (int v = 1; v <= 40; ++v) {
        QRVersionRow& row = table[v];
        const int total = rawDataModules(v) / 8;
        row[QRVersionColumn::version] = v;
        row[QRVersionColumn::totalCodewords] = total;
        if (v >= 2) {
            // Alignment centres: 6, then evenly spaced (even steps) up to size - 7.
            const int count = v / 7 + 2;
            const int size = v * 4 + 17;
            const int step = v == 32 ? 26 : (v * 4 + count * 2 + 1) / (count * 2 - 2) * 2;
            row[QRVersionColumn::alignmentCount] = count - 1;
            for (int k = 0; k < count - 1; ++k) {
                row[QRVersionColumn::alignment + (count - 2 - k)] = size - 7 - k * step;
            }
        }
        for (int level = 0; level < 4; ++level) {
            const int blocks = kBlockCount[level][v];
            const int ecc = kEccPerBlock[level][v];
            const int longBlocks = total % blocks;
            const int shortBlocks = blocks - longBlocks;
            const int shortLength = total / blocks;
            row[QRVersionColumn::dataCodewords + level] = total - ecc * blocks;
            row[QRVersionColumn::firstGroup + level * 3] = shortBlocks;
            row[QRVersionColumn::firstGroup + level * 3 + 1] = shortLength;
            row[QRVersionColumn::firstGroup + level * 3 + 2] = shortLength - ecc;
            row[QRVersionColumn::secondGroup + level * 3] = longBlocks;
            row[QRVersionColumn::secondGroup + level * 3 + 1] = longBlocks ? shortLength + 1 : 0;
            row[QRVersionColumn::secondGroup + level * 3 + 2] =
                longBlocks ? shortLength + 1 - ecc : 0;
        }
    }
    return table;
}

constexpr std::array<QRVersionRow, 41> kTable = buildTable();

// Spot checks against the standard's tables.
static_assert(kTable[7][QRVersionColumn::totalCodewords] == 196);
static_assert(kTable[7][QRVersionColumn::dataCodewords + 0] == 156 &&
              kTable[7][QRVersionColumn::dataCodewords + 1] == 124 &&
              kTable[7][QRVersionColumn::dataCodewords + 2] == 88 &&
              kTable[7][QRVersionColumn::dataCodewords + 3] == 66);
static_assert(kTable[7][QRVersionColumn::alignmentCount] == 2 &&
              kTable[7][QRVersionColumn::alignment] == 22 &&
              kTable[7][QRVersionColumn::alignment + 1] == 38);
static_assert(kTable[7][QRVersionColumn::firstGroup + 3] == 4 &&
              kTable[7][QRVersionColumn::firstGroup + 4] == 49 &&
              kTable[7][QRVersionColumn::firstGroup + 5] == 31);
static_assert(kTable[40][QRVersionColumn::totalCodewords] == 3706);
static_assert(kTable[40][QRVersionColumn::dataCodewords + 0] == 2956);
static_assert(kTable[40][QRVersionColumn::dataCodewords + 1] == 2334);
static_assert(kTable[1][QRVersionColumn::dataCodewords + 1] == 16);
static_assert(kTable[32][QRVersionColumn::alignment] == 34);
static_assert(kTable[5][QRVersionColumn::secondGroup + 6] == 2 &&
              kTable[5][QRVersionColumn::secondGroup + 7] == 34);

}  // namespace

const std::array<QRVersionRow, 41> QRVersionTable = kTable;
