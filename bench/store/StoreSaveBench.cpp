// The cost of inserting and saving one Barcode with a 128x128 thumbnail into
// a history of 100 and of 10,000 codes; prints the ratio of the two (a save
// must not grow with the history: the target is at most 1.5).

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "bench/support/RatioReporter.h"
#include "model/Barcode.h"
#include "model/BarcodeStore.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PNGCodec.h"

namespace {

std::filesystem::path benchFolder() {
    static const auto folder =
        std::filesystem::temp_directory_path() / ("barcodes-bench-" + std::to_string(getpid()));
    return folder;
}

graphics::Image::Ptr thumbnail(unsigned seed) {
    std::mt19937 random(seed);
    auto bitmap = graphics::Bitmap::make(128, 128);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            auto v = random();
            bitmap->setPixel(x, y,
                             graphics::Rgba8{static_cast<std::uint8_t>(v),
                                             static_cast<std::uint8_t>(v >> 8), 128, 255});
        }
    }
    return graphics::Image::make(bitmap);
}

// A store holding `count` codes, each with a stored thumbnail, opened the way
// the application opens it, with the history fetched as the list does.
std::shared_ptr<store::Context> historyOf(int count) {
    auto path = benchFolder() / ("history-" + std::to_string(count) + ".dat");
    std::filesystem::remove(path);
    auto png = *graphics::PNGCodec::encode(*thumbnail(1)->bitmap());
    {
        auto context = BarcodeStore::openContext(path.string(), nullptr);
        for (int i = 0; i < count; ++i) {
            auto code = context->insertNewObject<Barcode>("Barcode");
            code->setDate(foundation::Date::fromTimeIntervalSinceReferenceDate(i));
            code->setType(13);
            code->setData("400638133393" + std::to_string(i % 10));
            code->setValue(png, "_thumb");
        }
        context->save(nullptr);
    }
    auto context = BarcodeStore::openContext(path.string(), nullptr);
    store::FetchRequest request("Barcode");
    request.sortDescriptors = {store::SortDescriptor("date", false)};
    context->executeFetchRequest(request, nullptr);
    return context;
}

void InsertAndSaveOneBarcode(benchmark::State& state) {
    auto context = historyOf(static_cast<int>(state.range(0)));
    auto thumb = thumbnail(2);
    for (auto _ : state) {
        auto code = context->insertNewObject<Barcode>("Barcode");
        code->setDate(foundation::Date::now());
        code->setType(64);
        code->setData("http://example.com/");
        code->setThumb(thumb);
        if (!context->save(nullptr)) {
            state.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(InsertAndSaveOneBarcode)
    ->Arg(100)
    ->Arg(10000)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::create_directories(benchFolder());
    setenv("BARCODES_HOME", benchFolder().c_str(), 1);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    double small = reporter.times["InsertAndSaveOneBarcode/100/iterations:200"];
    double large = reporter.times["InsertAndSaveOneBarcode/10000/iterations:200"];
    if (small > 0 && large > 0) {
        std::printf("save into 10,000 codes / save into 100 codes: %.2f (target: at most 1.5)\n",
                    large / small);
    }
    std::filesystem::remove_all(benchFolder());
    return 0;
}
