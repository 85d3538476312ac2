#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include <filesystem>
#include <fstream>

#include "model/Action.h"
#include "model/Barcode.h"
#include "model/BarcodeStore.h"
#include "model/Classification.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Bitmap.h"

namespace {

std::vector<std::shared_ptr<Barcode>> fetchCodes(store::Context& context) {
    store::FetchRequest request("Barcode");
    request.sortDescriptors = {store::SortDescriptor("date")};
    return context.executeFetchRequestAs<Barcode>(request, nullptr)
        .value_or(std::vector<std::shared_ptr<Barcode>>{});
}

// Saves one code with a noisy thumbnail per transaction, forever, telling the
// parent the number of codes after each save that returned.
[[noreturn]] void saveUntilKilled(const std::string& path, int channel) {
    auto context = BarcodeStore::openContext(path, nullptr);
    if (!context) {
        _exit(2);
    }
    auto count = static_cast<std::int64_t>(fetchCodes(*context).size());
    std::mt19937 random(static_cast<unsigned>(count));
    while (true) {
        auto bitmap = graphics::Bitmap::make(128, 128);
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                auto v = random();
                bitmap->setPixel(
                    x, y,
                    graphics::Rgba8{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                    static_cast<std::uint8_t>(v >> 16), 255});
            }
        }
        auto code = context->insertNewObject<Barcode>("Barcode");
        code->setDate(
            foundation::Date::fromTimeIntervalSinceReferenceDate(static_cast<double>(count)));
        code->setType(64);
        code->setData("code " + std::to_string(count));
        code->setThumb(graphics::Image::make(bitmap));
        if (!context->save(nullptr)) {
            _exit(3);
        }
        ++count;
        if (write(channel, &count, sizeof count) != sizeof count) {
            _exit(4);
        }
    }
}

TEST(CrashSafety, AProcessKilledWhileSavingLeavesEveryEarlierSaveIntact) {
    const std::string path = BarcodeStore::storePath();
    {
        auto context = BarcodeStore::openContext(path, nullptr);
        ASSERT_TRUE(context);
        ASSERT_TRUE(context->save(nullptr));
    }
    std::int64_t confirmed = 0;
    for (int round = 0; round < 4; ++round) {
        int channel[2];
        ASSERT_EQ(pipe(channel), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(channel[0]);
            saveUntilKilled(path, channel[1]);
        }
        close(channel[1]);
        // Kill at a different moment each round: after some saves, and then
        // a little later, most likely inside the next one.
        std::int64_t count = confirmed;
        for (int saves = 0; saves < 5 + 3 * round; ++saves) {
            ASSERT_EQ(read(channel[0], &count, sizeof count), static_cast<ssize_t>(sizeof count))
                << "the saving process stopped early";
        }
        usleep(static_cast<useconds_t>(700 * round));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        // Saves that completed after the last one read count too.
        std::int64_t later = 0;
        while (read(channel[0], &later, sizeof later) == static_cast<ssize_t>(sizeof later)) {
            count = later;
        }
        close(channel[0]);

        foundation::Error error;
        auto context = BarcodeStore::openContext(path, &error);
        ASSERT_TRUE(context) << error.localizedDescription;
        auto codes = fetchCodes(*context);
        ASSERT_GE(static_cast<std::int64_t>(codes.size()), count) << "round " << round;
        ASSERT_LE(static_cast<std::int64_t>(codes.size()), count + 1) << "round " << round;
        for (std::size_t i = 0; i < codes.size(); ++i) {
            ASSERT_EQ(codes[i]->data(), "code " + std::to_string(i));
            auto thumb = codes[i]->thumb();
            ASSERT_TRUE(thumb) << "code " << i << " lost its thumbnail";
            EXPECT_EQ(thumb->bitmap()->width(), 128);
        }
        confirmed = static_cast<std::int64_t>(codes.size());
    }
}

// A first launch on a new home: opens the store and runs the main loop
// until its delayed save of the defaults is well past, then idles.
[[noreturn]] void launchUntilKilled(const std::string& path) {
    auto context = BarcodeStore::openContext(path, nullptr);
    if (!context) {
        _exit(2);
    }
    foundation::RunLoop::main().runFor(60);
    _exit(0);
}

// Opens the store as the next launch does, lets its defaults be saved, and
// answers the rows a launch after that finds.
std::pair<std::size_t, std::size_t> defaultsAfterNextLaunch(const std::string& path) {
    {
        foundation::Error error;
        auto context = BarcodeStore::openContext(path, &error);
        EXPECT_TRUE(context) << error.localizedDescription;
        if (!context) {
            return {0, 0};
        }
        foundation::RunLoop::main().runUntil([&] { return !context->hasChanges(); }, 30);
    }
    auto context = BarcodeStore::openContext(path, nullptr);
    if (!context || context->hasChanges()) {
        return {0, 0};
    }
    return {Classification::classesInContext(*context)->size(),
            Action::actionsInContext(*context)->size()};
}

TEST(CrashSafety, AFirstLaunchKilledAnywhereLeavesAStoreThatGetsItsDefaults) {
    const auto folder = std::filesystem::path(BarcodeStore::storePath()).parent_path();
    std::mt19937 random(std::random_device{}());
    // Kill moments spread over opening, seeding, the save 0.1 s later and
    // after it; a new store each round.
    std::uniform_int_distribution<useconds_t> moment(0, 250'000);
    for (int round = 0; round < 12; ++round) {
        const std::string path = (folder / ("first-" + std::to_string(round) + ".dat")).string();
        const useconds_t wait = moment(random);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            launchUntilKilled(path);
        }
        usleep(wait);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(defaultsAfterNextLaunch(path), std::make_pair(std::size_t{15}, std::size_t{10}))
            << "killed after " << wait << " us";
    }
}

TEST(CrashSafety, AnEmptyStoreFileGetsTheDefaults) {
    const std::string path = BarcodeStore::storePath();
    std::ofstream(path, std::ios::trunc).close();
    ASSERT_EQ(std::filesystem::file_size(path), 0u);
    EXPECT_EQ(defaultsAfterNextLaunch(path), std::make_pair(std::size_t{15}, std::size_t{10}));
}

}  // namespace
