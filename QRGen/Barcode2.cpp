#include "QRGen/Barcode2.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "QRGen/QRDrawPNG.h"
#include "QRGen/QREncoder.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/graphics/ImageContext.h"

namespace {

constexpr const char* kLeftPatterns[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                           "0110001", "0101111", "0111011", "0110111", "0001011"};

constexpr const char* kParity[10] = {"000000", "001011", "001101", "001110", "010011",
                                     "011001", "011100", "010101", "010110", "011010"};

// Code 128 bar and space widths of values 0-106 (bar first; 106 is the stop
// without its final bar).
constexpr const char* kCode128Widths[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "233111"};

constexpr int kStartB = 104;
constexpr int kStartC = 105;
constexpr int kCodeB = 100;
constexpr int kCodeC = 99;
constexpr int kStop = 106;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void put16(foundation::Data& d, std::size_t at, std::uint32_t v) {
    d[at] = static_cast<std::uint8_t>(v);
    d[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(foundation::Data& d, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) {
        d[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
    }
}

}  // namespace

Barcode2::Barcode2() {
    for (const char* left : kLeftPatterns) {
        std::string l = left;
        std::string r = l;
        for (char& c : r) {
            c = c == '0' ? '1' : '0';
        }
        const std::string g(r.rbegin(), r.rend());
        encoding.push_back({l, g, r});
    }
    first.assign(std::begin(kParity), std::end(kParity));
    for (const char* widths : kCode128Widths) {
        std::string pattern;
        for (int k = 0; widths[k] != '\0'; ++k) {
            pattern.append(static_cast<std::size_t>(widths[k] - '0'), k % 2 == 0 ? '1' : '0');
        }
        code128Encoding.push_back(pattern);
    }
}

std::string Barcode2::qrImagePath() {
    return foundation::ApplicationHome::searchPath(
               foundation::ApplicationHome::Directory::ApplicationSupport) +
           "/iOSVelnor/qR.png";
}

void Barcode2::setupQRCode(const std::string& text) {
    qRBarcode_ = nullptr;
    const std::string folder = foundation::ApplicationHome::searchPath(
                                   foundation::ApplicationHome::Directory::ApplicationSupport) +
                               "/iOSVelnor";
    foundation::FileManager::defaultManager().createDirectory(folder, true);
    const std::string path = folder + "/qR.png";

    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    QREncoder encoder;
    if (!encoder.encodeText(1, 0, true, -1, buffer.data(), 0)) {
        // No symbol for this text: the image of an earlier text must not stand in for it.
        std::remove(path.c_str());
        return;
    }
    QRDrawPNG writer;
    if (writer.draw(path.c_str(), 10, encoder.moduleCount, encoder.modules) !=
        QRDrawPNG::kSuccess) {
        return;
    }
    const graphics::Image::Ptr image = graphics::Image::imageWithContentsOfFile(path);
    if (!image) {
        return;
    }
    const graphics::Image::Ptr transparent = transparentCopy(*image);
    if (!transparent) {
        return;
    }
    const graphics::Size size = transparent->size();
    qRBarcode_ = graphics::Image::make(
        transparent->bitmap()->cropped(graphics::Rect(20, 20, size.width - 40, size.height - 40)));
}

graphics::Image::Ptr Barcode2::transparentCopy(const graphics::Image& image) {
    const graphics::Size size = image.size();
    const auto masked = image.bitmap()->maskingColors({222, 255, 222, 255, 222, 255});
    if (!masked || !graphics::beginImageContext(size, false, 1)) {
        return nullptr;
    }
    graphics::BitmapContext* context = graphics::currentContext();
    context->translateCTM(0, size.height);
    context->scaleCTM(1, -1);
    context->drawImage(graphics::Rect(0, 0, size.width, size.height), *masked);
    graphics::Image::Ptr result = graphics::imageFromCurrentImageContext();
    graphics::endImageContext();
    return result;
}

void Barcode2::setupOneDimBarcode(const std::string& digits, int type) {
    oneDimCode_ = digits;
    const std::string pattern = type == 1 ? getDigit(digits, 13) : getDigit128(digits);
    const graphics::Image::Ptr image =
        graphics::Image::imageWithData(digitToBmpRenderer(addQuietZone(pattern)));
    oneDimBarcode_ = image ? transparentCopy(*image) : nullptr;
}

void Barcode2::setupBarcodes(const std::string& text) {
    setupQRCode(text);
    setupOneDimBarcode(text, 1);
}

std::string Barcode2::compute(const std::string& text, int length) const {
    const std::string head = text.substr(0, static_cast<std::size_t>(length));
    int sum = 0;
    int weight = 3;
    for (auto it = head.rbegin(); it != head.rend(); ++it) {
        sum += charToInt(*it) * weight;
        weight = weight == 3 ? 1 : 3;
    }
    // The remainder keeps the sign of the dividend, as C's % does.
    return head + std::to_string((10 - sum) % 10);
}

std::string Barcode2::getDigit(const std::string& text, int length) const {
    if ((length != 13 && length != 8) || text.size() < static_cast<std::size_t>(length)) {
        return "";
    }
    for (int i = 0; i < length; ++i) {
        if (!isDigit(text[static_cast<std::size_t>(i)])) {
            return "";
        }
    }
    // The symbol carries the first `length` digits; the last of them is drawn as
    // the check digit whatever the computed value.
    const std::string digits = compute(text, length);
    auto digit = [&](int i) { return charToInt(digits[static_cast<std::size_t>(i)]); };
    std::string pattern = "101";
    if (length == 8) {
        for (int i = 0; i < 4; ++i) {
            pattern += encoding[digit(i)][0];
        }
        pattern += "01010";
        for (int i = 4; i < 8; ++i) {
            pattern += encoding[digit(i)][2];
        }
    } else {
        const std::string& parity = first[digit(0)];
        for (int i = 1; i < 7; ++i) {
            pattern += encoding[digit(i)][parity[static_cast<std::size_t>(i - 1)] == '1' ? 1 : 0];
        }
        pattern += "01010";
        for (int i = 7; i < 13; ++i) {
            pattern += encoding[digit(i)][2];
        }
    }
    return pattern + "101";
}

std::string Barcode2::getDigit128(const std::string& text) const {
    for (char c : text) {
        if (c < ' ' || c > '~') {
            return "";
        }
    }
    const std::size_t n = text.size();
    bool leadingDigits = n >= 2;
    for (std::size_t i = 0; i < n && i < 3; ++i) {
        leadingDigits = leadingDigits && isDigit(text[i]);
    }
    const int start = leadingDigits ? kStartC : kStartB;
    std::vector<int> values;
    bool setC = start == kStartC;
    std::size_t i = 0;
    while (i < n) {
        if (setC) {
            if (n - i < 2 || !isDigit(text[i]) || !isDigit(text[i + 1])) {
                values.push_back(kCodeB);
                setC = false;
                values.push_back(text[i] - 32);
                ++i;
            } else {
                values.push_back((text[i] - '0') * 10 + (text[i + 1] - '0'));
                i += 2;
            }
            continue;
        }
        std::size_t run = 0;
        while (i + run < n && isDigit(text[i + run])) {
            ++run;
        }
        if (run >= 6 || (run >= 4 && i + run == n)) {
            values.push_back(kCodeC);
            setC = true;
            values.push_back((text[i] - '0') * 10 + (text[i + 1] - '0'));
            i += 2;
        } else {
            values.push_back(text[i] - 32);
            ++i;
        }
    }
    long checksum = start;
    for (std::size_t k = 0; k < values.size(); ++k) {
        checksum += static_cast<long>(values[k]) * static_cast<long>(k + 1);
    }
    std::string pattern = code128Encoding[start];
    for (int v : values) {
        pattern += code128Encoding[static_cast<std::size_t>(v)];
    }
    pattern += code128Encoding[static_cast<std::size_t>(checksum % 103)];
    pattern += code128Encoding[kStop];
    return pattern + "11";
}

std::string Barcode2::addQuietZone(const std::string& pattern) const {
    return "0000000000" + pattern + "0000000000";
}

foundation::Data Barcode2::digitToBmpRenderer(const std::string& pattern) const {
    const std::uint32_t width = static_cast<std::uint32_t>(pattern.size() * 2);
    const std::uint32_t height = 140;
    const std::uint32_t rowSize = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = height * rowSize;
    foundation::Data bmp(54 + imageSize, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(bmp, 2, 54 + imageSize);
    put32(bmp, 10, 54);
    put32(bmp, 14, 40);
    put32(bmp, 18, width);
    put32(bmp, 22, height);
    put16(bmp, 26, 1);
    put16(bmp, 28, 24);
    put32(bmp, 30, 0);
    put32(bmp, 34, imageSize);
    put32(bmp, 38, 2835);
    put32(bmp, 42, 2835);
    std::vector<std::uint8_t> row(rowSize, 0);
    for (std::size_t m = 0; m < pattern.size(); ++m) {
        const std::uint8_t v = pattern[m] == '1' ? 0x00 : 0xFF;
        std::memset(row.data() + m * 6, v, 6);
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        std::memcpy(bmp.data() + 54 + y * rowSize, row.data(), rowSize);
    }
    return bmp;
}
