// Whole-process times of the `barcodes` program, each on a new home:
// - cold launch to the first screen: from starting the process until it has
//   printed the scanner screen (then it is told to quit);
// - `barcodes scan PHOTO` end to end on generated sample photos, from start
//   to exit (launch, photo road, beep, thumbnail and its save, quit), beside
//   zbarimg, zbar's own command-line scanner, on the same photos; prints the
//   ratio of the two (target: at most 2).

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/RatioReporter.h"
#include "host/SamplePhoto.h"

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

bool writePhotos() {
    fs::create_directories(benchFolder());
    for (std::size_t i = 0; i < kPhotoSizes.size(); ++i) {
        auto bytes = SamplePhoto::png(SamplePhoto::kDefaultText, kPhotoSizes[i].first,
                                      kPhotoSizes[i].second);
        if (!bytes)
            return false;
        FILE* out = std::fopen(photoPath(static_cast<int>(i)).c_str(), "wb");
        if (!out)
            return false;
        const bool written = std::fwrite(bytes->data(), 1, bytes->size(), out) == bytes->size();
        if (std::fclose(out) != 0 || !written)
            return false;
    }
    return true;
}

// Times `program` with `arguments` then the photo of the benchmark's argument,
// each run on a new home; a run must exit 0.
void timeScans(benchmark::State& state, const std::string& program,
               const std::vector<std::string>& arguments) {
    auto args = arguments;
    args.push_back(photoPath(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        const auto home = freshHome();
        const auto start = Clock::now();
        Child child = spawn(program, args, home);
        const int status = child.pid > 0 ? finish(child) : -1;
        const auto end = Clock::now();
        if (status != 0) {
            state.SkipWithError((program + " failed on the photo").c_str());
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

void BM_ScanSamplePhoto(benchmark::State& state) {
    timeScans(state, BARCODES_BINARY, {"scan"});
}
BENCHMARK(BM_ScanSamplePhoto)
    ->DenseRange(0, 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_ZbarimgSamplePhoto(benchmark::State& state) {
    timeScans(state, "zbarimg", {"-q"});
}
BENCHMARK(BM_ZbarimgSamplePhoto)
    ->DenseRange(0, 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    if (!writePhotos()) {
        std::fprintf(stderr, "cannot write the sample photos\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (std::size_t i = 0; i < kPhotoSizes.size(); ++i) {
        const std::string suffix = "/" + std::to_string(i) + "/iterations:10/manual_time";
        const double ours = reporter.times["BM_ScanSamplePhoto" + suffix];
        const double theirs = reporter.times["BM_ZbarimgSamplePhoto" + suffix];
        if (ours > 0 && theirs > 0)
            std::printf("barcodes scan / zbarimg on the %dx%d photo: %.2f (target: at most 2)\n",
                        kPhotoSizes[i].first, kPhotoSizes[i].second, ours / theirs);
    }
    fs::remove_all(benchFolder());
    return 0;
}
