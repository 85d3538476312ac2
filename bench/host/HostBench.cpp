// Whole-process times of the `barcodes` program, each on a new home:
// - cold launch to the first screen: from starting the process until it has
//   printed the scanner screen (then it is told to quit);
// - `barcodes scan PHOTO` end to end on the generated sample photo, from start
//   to exit (launch, photo road, beep, thumbnail and its save, quit).

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

Child spawn(const std::vector<std::string>& arguments, const std::string& home) {
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
    std::vector<std::string> args{BARCODES_BINARY};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    Child child;
    if (posix_spawn(&child.pid, BARCODES_BINARY, &actions, nullptr, argv.data(), envp.data()) != 0)
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
        Child child = spawn({}, home);
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

void BM_ScanSamplePhoto(benchmark::State& state) {
    const auto photo = (benchFolder() / "sample.png").string();
    fs::create_directories(benchFolder());
    if (!SamplePhoto::write(photo)) {
        state.SkipWithError("cannot write the sample photo");
        return;
    }
    for (auto _ : state) {
        const auto home = freshHome();
        const auto start = Clock::now();
        Child child = spawn({"scan", photo}, home);
        const int status = finish(child);
        const auto end = Clock::now();
        if (status != 0) {
            state.SkipWithError("barcodes scan failed");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}
BENCHMARK(BM_ScanSamplePhoto)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(benchFolder());
    return 0;
}
