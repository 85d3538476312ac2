// Frames per second through the capture reader (output, capture queue, scan,
// hand-off of each hit to the main thread) against bare zbar_scan_image on the
// same frames, at 640x480 and 1280x720; prints the ratio of the two rates.

#include <zbar.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "platform/foundation/RunLoop.h"
#include "platform/media/FourCharCode.h"
#include "platform/media/GeneratedFrame.h"
#include "platform/media/PixelBuffer.h"
#include "scanning/zbar/ZBarCaptureReader.h"

namespace {

std::shared_ptr<media::PixelBuffer> cameraFrame(int width, int height) {
    media::GeneratedFrame frame;
    frame.format = media::BarcodeFormat::qrCode;
    frame.text = "http://example.com/item/12345";
    frame.width = width;
    frame.height = height;
    return media::PixelBuffer::fromBitmap(*frame.draw(),
                                          media::kPixelFormat420YpCbCr8BiPlanarVideoRange);
}

void BM_BareScan(benchmark::State& state) {
    auto buffer = cameraFrame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    zbar::zbar_image_scanner_t* scanner = zbar::zbar_image_scanner_create();
    // The capture reader's own settings: density 3, QR read in binary mode.
    zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_NONE, zbar::ZBAR_CFG_X_DENSITY, 3);
    zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_NONE, zbar::ZBAR_CFG_Y_DENSITY, 3);
    zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_QRCODE, zbar::ZBAR_CFG_BINARY, 1);
    zbar::zbar_image_t* image = zbar::zbar_image_create();
    zbar::zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
    zbar::zbar_image_set_size(image, static_cast<unsigned>(buffer->planeBytesPerRow(0)),
                              static_cast<unsigned>(buffer->planeHeight(0)));
    zbar::zbar_image_set_data(image, buffer->planeBaseAddress(0),
                              buffer->planeBytesPerRow(0) * buffer->planeHeight(0), nullptr);
    int decoded = 0;
    for (auto _ : state) {
        decoded += zbar::zbar_scan_image(scanner, image) > 0;
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["decoded"] = decoded;
    zbar::zbar_image_destroy(image);
    zbar::zbar_image_scanner_destroy(scanner);
}

// Counts the hits that reach the main thread.
class CountingDelegate : public ZBarCaptureDelegate {
  public:
    void captureReaderDidReadNewSymbolsFromImage(ZBarCaptureReader&,
                                                 const std::shared_ptr<ZBarImage>&) override {
        ++hits;
    }
    int hits = 0;
};

void BM_CaptureReader(benchmark::State& state) {
    media::SampleBuffer sample;
    sample.imageBuffer =
        cameraFrame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    auto reader = ZBarCaptureReader::make();
    auto delegate = std::make_shared<CountingDelegate>();
    reader->setCaptureDelegate(delegate);
    // Every frame is a hit, so every frame does the whole round trip.
    reader->setEnableCache(false);
    reader->setEnableReader(true);
    const auto& output = reader->captureOutput();
    auto& loop = foundation::RunLoop::main();
    for (auto _ : state) {
        // The camera offers the next frame as soon as the queue is free; a
        // frame that arrives while a hit is on its way is dropped, so offer
        // frames until one is taken.
        const int before = reader->frameCount();
        while (reader->frameCount() == before) {
            if (output->framesInFlight() == 0) {
                output->deliver(sample);
            }
            loop.runUntilIdle();
        }
    }
    while (output->framesInFlight() > 0) {
        loop.runUntilIdle();
    }
    loop.runUntilIdle();
    reader->setEnableReader(false);
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["decoded"] = delegate->hits;
}

BENCHMARK(BM_BareScan)
    ->Args({640, 480})
    ->Args({1280, 720})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CaptureReader)
    ->Args({640, 480})
    ->Args({1280, 720})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Keeps each run's rate by its size so that the ratio can be printed.
class RateReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            const auto fps = run.counters.find("fps");
            if (slash != std::string::npos && fps != run.counters.end() &&
                run.run_type == Run::RT_Iteration) {
                // "BM_BareScan/640/480/..." -> "640x480"
                std::string size = name.substr(slash + 1);
                size = size.substr(0, size.find('/', size.find('/') + 1));
                size[size.find('/')] = 'x';
                rates[size][name.substr(0, slash)] = fps->second.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, std::map<std::string, double>> rates;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& [size, byName] : reporter.rates) {
        const auto bare = byName.find("BM_BareScan");
        const auto reader = byName.find("BM_CaptureReader");
        if (bare != byName.end() && reader != byName.end() && bare->second > 0) {
            std::printf("%s: capture reader %.1f fps, bare scan %.1f fps, ratio %.3f\n",
                        size.c_str(), reader->second, bare->second, reader->second / bare->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}
