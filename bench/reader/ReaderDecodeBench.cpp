// Decode time of one photo through the still-image reader (grey drawing at
// no more than 640 pixels a side, then the scan, then a half-size pass when
// nothing was found) against a plain zbar_scan_image of the same picture at
// full size, at 1, 3 and 12 megapixels, for a QR code and an EAN-13 that
// cover a fifth of the photo's shorter side and more. Prints, per size and
// code, the time ratio and whether each found the code.

#include <zbar.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/support/RatioReporter.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Image.h"
#include "platform/media/GeneratedFrame.h"
#include "scanning/zbar/ZBarReaderController.h"

namespace {

struct Photo {
    std::shared_ptr<graphics::Image> picture;
    std::vector<std::uint8_t> grey;
    std::string text;
};

struct Format {
    media::BarcodeFormat format;
    const char* name;
    const char* text;
    double share;  // side of the code over the photo's shorter side
};

const std::vector<Format>& formats() {
    static const std::vector<Format> all = {
        {media::BarcodeFormat::qrCode, "QR", "https://example.org/product/12345?ref=shelf", 0.3},
        {media::BarcodeFormat::ean13, "EAN-13", "4006381333931", 0.5},
    };
    return all;
}

std::pair<int, int> sizeFor(int megapixels) {
    switch (megapixels) {
        case 1:
            return {1152, 864};
        case 3:
            return {2048, 1536};
        default:
            return {4000, 3000};
    }
}

// The photo of a code over grey noise, made once per size and code.
const Photo& photo(int megapixels, int format) {
    static std::map<std::pair<int, int>, Photo> photos;
    auto& entry = photos[{megapixels, format}];
    if (!entry.picture) {
        const auto [width, height] = sizeFor(megapixels);
        const Format& f = formats()[static_cast<std::size_t>(format)];
        media::GeneratedFrame frame;
        frame.format = f.format;
        frame.text = f.text;
        frame.width = width;
        frame.height = height;
        const bool square = f.format == media::BarcodeFormat::qrCode;
        const double side = height * f.share;
        const double codeWidth = square ? side : side * 1.5;
        const double codeHeight = square ? side : side / 2;
        frame.codeRect = {(width - codeWidth) / 2, (height - codeHeight) / 2, codeWidth,
                          codeHeight};
        auto bitmap = frame.draw();
        entry.picture = graphics::Image::make(bitmap);
        entry.text = f.text;
        entry.grey.resize(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const auto p = bitmap->pixel(x, y);
                entry.grey[static_cast<std::size_t>(y) * width + x] =
                    static_cast<std::uint8_t>((p.r * 77 + p.g * 150 + p.b * 29) >> 8);
            }
        }
    }
    return entry;
}

std::map<std::string, bool> found;

std::string key(const char* road, int megapixels, int format) {
    return std::string(road) + "/" + std::to_string(megapixels) + "MP/" +
           formats()[static_cast<std::size_t>(format)].name;
}

void StillImageReader(benchmark::State& state) {
    const int megapixels = static_cast<int>(state.range(0));
    const int format = static_cast<int>(state.range(1));
    const Photo& p = photo(megapixels, format);
    ZBarReaderController reader;
    bool hit = false;
    for (auto _ : state) {
        auto symbols = reader.scanImage(p.picture);
        hit = !symbols.empty() && symbols.front()->data() == p.text;
        benchmark::DoNotOptimize(symbols);
    }
    found[key("reader", megapixels, format)] = hit;
    state.counters["found"] = hit;
}

void ZBarScanImageFullSize(benchmark::State& state) {
    const int megapixels = static_cast<int>(state.range(0));
    const int format = static_cast<int>(state.range(1));
    const Photo& p = photo(megapixels, format);
    const auto [width, height] = sizeFor(megapixels);
    auto* scanner = zbar::zbar_image_scanner_create();
    zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 1);
    bool hit = false;
    for (auto _ : state) {
        auto* image = zbar::zbar_image_create();
        zbar::zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
        zbar::zbar_image_set_size(image, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height));
        zbar::zbar_image_set_data(image, p.grey.data(), p.grey.size(), nullptr);
        const int count = zbar::zbar_scan_image(scanner, image);
        hit = false;
        if (count > 0) {
            const auto* symbol = zbar::zbar_image_first_symbol(image);
            hit = symbol && p.text == zbar::zbar_symbol_get_data(symbol);
        }
        zbar::zbar_image_destroy(image);
    }
    zbar::zbar_image_scanner_destroy(scanner);
    found[key("zbar", megapixels, format)] = hit;
    state.counters["found"] = hit;
}

void sizes(benchmark::internal::Benchmark* bench) {
    for (int megapixels : {1, 3, 12}) {
        for (int format = 0; format < static_cast<int>(formats().size()); ++format) {
            bench->Args({megapixels, format});
        }
    }
    bench->Unit(benchmark::kMillisecond)->MinTime(0.5);
}

BENCHMARK(StillImageReader)->Apply(sizes);
BENCHMARK(ZBarScanImageFullSize)->Apply(sizes);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\n%-16s %12s %12s %8s %8s %8s\n", "photo", "reader ms", "zbar ms", "ratio",
                "reader", "zbar");
    for (int megapixels : {1, 3, 12}) {
        for (int format = 0; format < static_cast<int>(formats().size()); ++format) {
            const std::string args =
                "/" + std::to_string(megapixels) + "/" + std::to_string(format);
            const double reader = reporter.times["StillImageReader" + args + "/min_time:0.500"];
            const double zbar = reporter.times["ZBarScanImageFullSize" + args + "/min_time:0.500"];
            if (reader <= 0 || zbar <= 0) {
                continue;
            }
            const std::string name = std::to_string(megapixels) + "MP " +
                                     formats()[static_cast<std::size_t>(format)].name;
            std::printf("%-16s %12.1f %12.1f %8.2f %8s %8s\n", name.c_str(), reader, zbar,
                        reader / zbar,
                        found[key("reader", megapixels, format)] ? "found" : "MISSED",
                        found[key("zbar", megapixels, format)] ? "found" : "MISSED");
        }
    }
    return 0;
}
