// Writes the application's generated bundle resources into a folder:
// "beep.wav", the short tone played after a read, and "bc.png", the
// placeholder picture every stored code starts with. Run once by a developer;
// the results are committed under resources/.
//
//   barcodes_make_resources resources/

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/PNGCodec.h"

namespace {

void putLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// 16-bit mono PCM at 22050 Hz: 0.12 s of a 1760 Hz sine with 10 ms ramps at
// both ends, so it starts and stops without a click.
std::vector<std::uint8_t> beepWave() {
    const int rate = 22050;
    const int count = rate * 12 / 100;
    const int ramp = rate / 100;
    std::vector<std::uint8_t> samples;
    for (int i = 0; i < count; ++i) {
        double envelope = std::min({1.0, double(i) / ramp, double(count - 1 - i) / ramp});
        double value = 0.6 * envelope * std::sin(2 * M_PI * 1760 * i / rate);
        putLE(samples,
              static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value * 32767))), 2);
    }
    std::vector<std::uint8_t> wave;
    for (char c : std::string("RIFF"))
        wave.push_back(static_cast<std::uint8_t>(c));
    putLE(wave, 36 + static_cast<std::uint32_t>(samples.size()), 4);
    for (char c : std::string("WAVEfmt "))
        wave.push_back(static_cast<std::uint8_t>(c));
    putLE(wave, 16, 4);        // format chunk size
    putLE(wave, 1, 2);         // PCM
    putLE(wave, 1, 2);         // mono
    putLE(wave, rate, 4);      // sample rate
    putLE(wave, rate * 2, 4);  // byte rate
    putLE(wave, 2, 2);         // block align
    putLE(wave, 16, 2);        // bits per sample
    for (char c : std::string("data"))
        wave.push_back(static_cast<std::uint8_t>(c));
    putLE(wave, static_cast<std::uint32_t>(samples.size()), 4);
    wave.insert(wave.end(), samples.begin(), samples.end());
    return wave;
}

// 128 by 128: a white card in the application's tint frame with the bars of
// a one-dimensional code.
std::optional<foundation::Data> placeholderPNG() {
    auto context = graphics::BitmapContext::createImageContext(graphics::Size(128, 128), false, 1);
    if (!context)
        return std::nullopt;
    context->setFillColor(graphics::Color::rgb(0, 167 / 255.0, 231 / 255.0));
    context->fillRect(graphics::Rect(0, 0, 128, 128));
    context->setFillColor(graphics::Color::white(1));
    context->fillRect(graphics::Rect(8, 8, 112, 112));
    context->setFillColor(graphics::Color::white(0.1));
    const int widths[] = {2, 1, 1, 3, 2, 1, 1, 2, 3, 1, 2, 1, 1,
                          2, 1, 3, 1, 1, 2, 2, 1, 3, 1, 2, 1, 1};
    double x = 20;
    bool bar = true;
    for (int w : widths) {
        if (bar)
            context->fillRect(graphics::Rect(x, 28, w * 2, 72));
        x += w * 2 + 1;
        bar = !bar;
    }
    auto bitmap = context->makeBitmap();
    return bitmap ? graphics::PNGCodec::encode(*bitmap) : std::nullopt;
}

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::filesystem::path folder = argv[1];
    auto png = placeholderPNG();
    if (!png || !writeFile(folder / "bc.png", *png) ||
        !writeFile(folder / "beep.wav", beepWave())) {
        std::fprintf(stderr, "%s: cannot write the resources into %s\n", argv[0], folder.c_str());
        return 1;
    }
    return 0;
}
