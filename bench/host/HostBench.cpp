// Whole-process times of the `barcodes` program, each on a new home:
// - cold launch to the first screen: from starting the process until it has
//   printed the scanner screen (then it is told to quit);
// - `barcodes scan PHOTO` end to end on generated sample photos, from start
//   to exit (launch, photo road, beep, thumbnail and its save, quit), beside
//   zbarimg, zbar's own command-line scanner, on the same photos; prints the
//   ratio of their median runs (target: at most 2);
// - the same on a small picture of an EAN-13 code, once on a new home (store
//   creation and the default links included) and once on a home that exists.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "host/SamplePhoto.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/media/GeneratedFrame.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path benchFolder() {
    static const auto folder =
        fs::temp_directory_path() / ("barcodes-host-bench-" + std::to_string(getpid()));
    return folder;
}

// A new, empty application home for one run.
std::string freshHome() {
    static int count = 0;
    auto home = benchFolder() / ("home-" + std::to_string(++count));
    fs::remove_all(home);
    fs::create_directories(home);
    return home.string();
}

struct Child {
    pid_t pid = -1;
    int in = -1;
    int out = -1;
};

// Runs `program` with `arguments`, its standard input and output on pipes.
Child spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& home) {
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, toChild[1]);
    posix_spawn_file_actions_addclose(&actions, fromChild[0]);
    std::vector<std::string> environment{"BARCODES_HOME=" + home};
    for (char** e = environ; *e; ++e) {
        if (std::string(*e).rfind("BARCODES_HOME=", 0) != 0)
            environment.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (auto& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    Child child;
    if (posix_spawnp(&child.pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    child.in = toChild[1];
    child.out = fromChild[0];
    return child;
}

int finish(Child& child) {
    close(child.in);
    char buffer[4096];
    while (read(child.out, buffer, sizeof buffer) > 0) {
    }
    close(child.out);
    int status = 0;
    waitpid(child.pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_ColdLaunchToFirstScreen(benchmark::State& state) {
    for (auto _ : state) {
        const auto home = freshHome();
        const auto start = Clock::now();
        Child child = spawn(BARCODES_BINARY, {}, home);
        char first;
        const bool printed = read(child.out, &first, 1) == 1;
        const auto shown = Clock::now();
        if (write(child.in, "quit\n", 5) != 5 || finish(child) != 0 || !printed) {
            state.SkipWithError("the program did not show its first screen");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
}
BENCHMARK(BM_ColdLaunchToFirstScreen)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The photos both scanners read: the sample at its size and at full HD.
const std::vector<std::pair<int, int>> kPhotoSizes = {{800, 600}, {1920, 1080}};

std::string photoPath(int index) {
    return (benchFolder() / ("sample-" + std::to_string(index) + ".png")).string();
}

std::string smallPicturePath() {
    return (benchFolder() / "ean13.png").string();
}

bool writeFile(const std::string& path, const foundation::Data& bytes) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

// A small picture of an EAN-13 code filling the frame with its quiet zone.
bool writeSmallPicture() {
    media::GeneratedFrame frame;
    frame.format = media::BarcodeFormat::ean13;
    frame.text = "4006381333931";
    frame.width = 240;
    frame.height = 120;
    frame.codeRect = graphics::Rect(0, 0, frame.width, frame.height);
    const auto bitmap = frame.draw();
    const auto bytes = bitmap ? graphics::PNGCodec::encode(*bitmap) : std::nullopt;
    return bytes && writeFile(smallPicturePath(), *bytes);
}

bool writePhotos() {
    fs::create_directories(benchFolder());
    if (!writeSmallPicture())
        return false;
    for (std::size_t i = 0; i < kPhotoSizes.size(); ++i) {
        auto bytes = SamplePhoto::png(SamplePhoto::kDefaultText, kPhotoSizes[i].first,
                                      kPhotoSizes[i].second);
        if (!bytes || !writeFile(photoPath(static_cast<int>(i)), *bytes))
            return false;
    }
    return true;
}

// Runs `program` with `arguments` on `home` and waits for it; its exit status.
int run(const std::string& program, const std::vector<std::string>& arguments,
        const std::string& home) {
    Child child = spawn(program, arguments, home);
    return child.pid > 0 ? finish(child) : -1;
}

// The wall time of each timed run, by case. The ratios compare medians: a run
// now and then waits seconds for a lost name-server answer (the program waits
// for the ad of the screen it prints), which says nothing of the scan itself
// and would swamp a mean.
std::map<std::string, std::vector<double>>& runTimes() {
    static std::map<std::string, std::vector<double>> times;
    return times;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double medianOf(const std::string& name) {
    return median(runTimes()[name]);
}

// Times `program` with `arguments` then `picture`, each run on a new home, or
// on one home made by a first untimed run when `existingHome`; a run must
// exit 0. Each run's time goes to runTimes()[`name`].
void timeScans(benchmark::State& state, const std::string& name, const std::string& program,
               const std::vector<std::string>& arguments, const std::string& picture,
               bool existingHome = false) {
    auto args = arguments;
    args.push_back(picture);
    const auto existing = existingHome ? freshHome() : std::string();
    if (existingHome && run(program, args, existing) != 0) {
        state.SkipWithError((program + " failed on the picture").c_str());
        return;
    }
    for (auto _ : state) {
        const auto home = existingHome ? existing : freshHome();
        const auto start = Clock::now();
        const int status = run(program, args, home);
        const auto end = Clock::now();
        if (status != 0) {
            state.SkipWithError((program + " failed on the picture").c_str());
            break;
        }
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        runTimes()[name].push_back(seconds);
    }
}

void BM_ScanSamplePhoto(benchmark::State& state) {
    timeScans(state, "scan-photo-" + std::to_string(state.range(0)), BARCODES_BINARY, {"scan"},
              photoPath(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_ScanSamplePhoto)
    ->DenseRange(0, 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_ZbarimgSamplePhoto(benchmark::State& state) {
    timeScans(state, "zbarimg-photo-" + std::to_string(state.range(0)), "zbarimg", {"-q"},
              photoPath(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_ZbarimgSamplePhoto)
    ->DenseRange(0, 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The small picture: argument 0 on a new home each run, 1 on a home that
// exists.
void BM_ScanSmallPicture(benchmark::State& state) {
    timeScans(state, "scan-small-" + std::to_string(state.range(0)), BARCODES_BINARY, {"scan"},
              smallPicturePath(), state.range(0) == 1);
}
BENCHMARK(BM_ScanSmallPicture)
    ->DenseRange(0, 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void BM_ZbarimgSmallPicture(benchmark::State& state) {
    timeScans(state, "zbarimg-small", "zbarimg", {"-q"}, smallPicturePath());
}
BENCHMARK(BM_ZbarimgSmallPicture)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    if (!writePhotos()) {
        std::fprintf(stderr, "cannot write the sample photos\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (std::size_t i = 0; i < kPhotoSizes.size(); ++i) {
        const double ours = medianOf("scan-photo-" + std::to_string(i));
        const double theirs = medianOf("zbarimg-photo-" + std::to_string(i));
        if (ours > 0 && theirs > 0)
            std::printf(
                "barcodes scan / zbarimg on the %dx%d photo, median runs: %.2f (target: at most "
                "2)\n",
                kPhotoSizes[i].first, kPhotoSizes[i].second, ours / theirs);
    }
    const double zbarimg = medianOf("zbarimg-small");
    const std::pair<const char*, const char*> homes[] = {{"0", "a new"}, {"1", "an existing"}};
    for (const auto& [argument, home] : homes) {
        const double ours = medianOf(std::string("scan-small-") + argument);
        if (ours > 0 && zbarimg > 0)
            std::printf(
                "barcodes scan / zbarimg on the small EAN-13 picture, %s home, median runs: %.2f "
                "(target: at most 2)\n",
                home, ours / zbarimg);
    }
    fs::remove_all(benchFolder());
    return 0;
}
