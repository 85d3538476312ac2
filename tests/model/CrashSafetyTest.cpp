#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "model/Barcode.h"
#include "model/BarcodeStore.h"
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

}  // namespace
