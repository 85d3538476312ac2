// Latency of loading a 100 KB JPEG through the image cache's memory level,
// its disk level and the downloader over a loopback server, against the
// bare decoding of the same bytes; prints each latency as a ratio of it.

#include <httplib.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/JPEGCodec.h"
#include "remote/WebImage/SDImageCache.h"
#include "remote/WebImage/SDWebImageDownloader.h"
#include "remote/WebImage/UIImageMultiFormat.h"

namespace {

// A noisy picture whose JPEG is about 100 KB.
const foundation::Data& photo() {
    static const foundation::Data data = [] {
        auto bitmap = graphics::Bitmap::make(440, 330);
        unsigned seed = 7;
        for (int y = 0; y < 330; ++y) {
            for (int x = 0; x < 440; ++x) {
                seed = seed * 1103515245 + 12345;
                const auto noise = static_cast<std::uint8_t>(seed >> 24);
                bitmap->setPixel(
                    x, y, {static_cast<std::uint8_t>(x), noise, static_cast<std::uint8_t>(y), 255});
            }
        }
        return *graphics::JPEGCodec::encode(*bitmap, 0.85, 1);
    }();
    return data;
}

const std::string kKey = "http://127.0.0.1/photo.jpg";

void waitFor(const bool& done) {
    foundation::RunLoop::main().runUntil([&] { return done; }, 30);
}

void BM_Decode(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(UIImageMultiFormat::sd_imageWithData(&photo()));
    }
    state.counters["bytes"] = static_cast<double>(photo().size());
}

void BM_Memory(benchmark::State& state) {
    auto cache = SDImageCache::make("bench-memory");
    cache->storeImage(UIImageMultiFormat::sd_imageWithData(&photo()), kKey, false);
    for (auto _ : state) {
        bool done = false;
        cache->queryDiskCacheForKey(kKey,
                                    [&](graphics::Image::Ptr, SDImageCacheSource) { done = true; });
        waitFor(done);
    }
}

void BM_Disk(benchmark::State& state) {
    auto cache = SDImageCache::make("bench-disk");
    cache->storeImage(UIImageMultiFormat::sd_imageWithData(&photo()), false, &photo(), kKey, true);
    cache->waitForIO();
    for (auto _ : state) {
        cache->clearMemory();
        bool done = false;
        cache->queryDiskCacheForKey(kKey,
                                    [&](graphics::Image::Ptr, SDImageCacheSource) { done = true; });
        waitFor(done);
    }
}

void BM_Network(benchmark::State& state) {
    httplib::Server server;
    const std::string body(photo().begin(), photo().end());
    server.Get("/photo.jpg", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "image/jpeg");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running()) {
        std::this_thread::yield();
    }
    const auto url =
        foundation::URL::fromString("http://127.0.0.1:" + std::to_string(port) + "/photo.jpg");
    auto downloader = SDWebImageDownloader::make();
    for (auto _ : state) {
        bool done = false;
        downloader->downloadImageWithURL(
            url, 0, nullptr,
            [&](graphics::Image::Ptr, std::shared_ptr<const foundation::Data>,
                const std::optional<foundation::Error>&,
                bool) { foundation::DispatchQueue::main()->async([&] { done = true; }); });
        waitFor(done);
    }
    server.stop();
    thread.join();
}

BENCHMARK(BM_Decode)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Memory)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Disk)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Network)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Keeps each run's time per iteration so that the ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                const std::string name = run.benchmark_name();
                times[name.substr(0, name.find('/'))] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    // The caches write under a home of their own, removed at the end.
    const auto home = std::filesystem::temp_directory_path() / "barcodes-bench-image-load";
    setenv("BARCODES_HOME", home.c_str(), 1);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double decode = reporter.times["BM_Decode"];
    for (const char* name : {"BM_Memory", "BM_Disk", "BM_Network"}) {
        if (decode > 0 && reporter.times.count(name) != 0) {
            std::printf("%s / bare decode: %.3g\n", name, reporter.times[name] / decode);
        }
    }
    benchmark::Shutdown();
    std::filesystem::remove_all(home);
    return 0;
}
