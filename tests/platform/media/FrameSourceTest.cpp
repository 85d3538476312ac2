#include <gtest/gtest.h>

#include <fstream>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/Log.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/media/AudioPlayer.h"
#include "platform/media/FourCharCode.h"
#include "platform/media/FrameSource.h"
#include "platform/media/GeneratedFrame.h"
#include "platform/media/SystemSound.h"

namespace {

using namespace media;

std::string writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = foundation::ApplicationHome::temporary() + "/" + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string writePNG(const std::string& name, graphics::Rgba8 colour) {
    auto bitmap = graphics::Bitmap::make(4, 2, colour);
    auto png = graphics::PNGCodec::encode(*bitmap);
    return writeFile(name, *png);
}

TEST(FrameSourceTest, ImageFilesInOrderSkippingWhatDoesNotDecode) {
    const std::string white = writePNG("white.png", {255, 255, 255, 255});
    const std::string broken = writeFile("broken.png", {0x89, 'P', 'N', 'G', 0});
    const std::string black = writePNG("black.png", {0, 0, 0, 255});
    foundation::LogCapture log;
    auto source = FrameSource::fromImageFiles({white, broken, black}, 30, false);
    ASSERT_TRUE(source);
    EXPECT_TRUE(log.contains("broken.png"));
    EXPECT_EQ(source->frameCount(), 2u);

    const auto format = kPixelFormat420YpCbCr8BiPlanarVideoRange;
    auto first = source->nextFrame(format);
    auto second = source->nextFrame(format);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->planeBaseAddress(0)[0], 235);
    EXPECT_EQ(second->planeBaseAddress(0)[0], 16);
    EXPECT_FALSE(source->nextFrame(format));  // does not loop

    source->rewind();
    EXPECT_EQ(source->nextFrame(format), first);  // converted once, reused
    EXPECT_FALSE(FrameSource::fromImageFiles({broken}, 30));
}

TEST(FrameSourceTest, LoopingSourceWraps) {
    GeneratedFrame a;
    a.text = "A";
    a.width = 40;
    a.height = 40;
    GeneratedFrame b = a;
    b.text = "B";
    auto source = FrameSource::fromGeneratedFrames({a, b}, 0);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->advance(), 0u);
    EXPECT_EQ(source->advance(), 1u);
    EXPECT_EQ(source->advance(), 0u);
}

TEST(GeneratedFrameTest, CodeSitsWithItsQuietZoneOnTheBackground) {
    GeneratedFrame frame;
    frame.format = BarcodeFormat::ean13;
    frame.text = "9780306406157";
    frame.width = 320;
    frame.height = 240;
    auto bitmap = frame.draw();
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width(), 320);
    // Default placement: centred, 60% of the width; the quiet zone is white.
    const graphics::Rgba8 quiet = bitmap->pixel(160 - 96 + 2, 120);
    EXPECT_EQ(quiet.r, 255);
    // Noise outside the code stays in the middle greys.
    const graphics::Rgba8 noise = bitmap->pixel(2, 2);
    EXPECT_GE(noise.r, 64);
    EXPECT_LE(noise.r, 191);

    auto photo = graphics::Bitmap::make(10, 10, {200, 30, 30, 255});
    frame.photo = photo;
    auto onPhoto = frame.draw();
    ASSERT_TRUE(onPhoto);
    EXPECT_EQ(onPhoto->pixel(2, 2).r, 200);
}

TEST(GeneratedFrameTest, ContentTheWriterRefusesGivesNoFrame) {
    GeneratedFrame frame;
    frame.format = BarcodeFormat::ean13;
    frame.text = "not digits";
    foundation::LogCapture log;
    EXPECT_FALSE(frame.draw());
    EXPECT_TRUE(log.contains("cannot draw the code"));
    frame.format = BarcodeFormat::qrCode;
    frame.width = 0;
    EXPECT_FALSE(frame.draw());
}

std::vector<std::uint8_t> waveBytes() {
    std::vector<std::uint8_t> bytes = {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E'};
    bytes.resize(44, 0);
    return bytes;
}

TEST(SoundTest, PlayersRecordWhatTheyPlay) {
    const std::string beep = writeFile("beep.wav", waveBytes());
    const std::string text =
        writeFile("notes.txt", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'});
    AudioPlayer::clearPlayedFiles();
    foundation::Error error;
    EXPECT_FALSE(AudioPlayer::make(foundation::URL::fileURL(text), &error));
    EXPECT_FALSE(error.localizedDescription.empty());
    auto player = AudioPlayer::make(foundation::URL::fileURL(beep));
    ASSERT_TRUE(player);
    EXPECT_TRUE(player->prepareToPlay());
    EXPECT_TRUE(player->play());
    EXPECT_EQ(AudioPlayer::playedFiles(), std::vector<std::string>{beep});

    SystemSound::reset();
    SystemSoundID id = SystemSound::kNone;
    EXPECT_NE(SystemSound::create(foundation::URL::fileURL(text), &id), SystemSound::kNoError);
    EXPECT_EQ(id, SystemSound::kNone);
    ASSERT_EQ(SystemSound::create(foundation::URL::fileURL(beep), &id), SystemSound::kNoError);
    EXPECT_EQ(SystemSound::liveCount(), 1u);
    SystemSound::play(id);
    SystemSound::play(SystemSound::kNone);
    EXPECT_EQ(SystemSound::playedFiles(), std::vector<std::string>{beep});
    EXPECT_EQ(SystemSound::dispose(id), SystemSound::kNoError);
    SystemSound::play(id);
    EXPECT_EQ(SystemSound::playedFiles().size(), 1u);
    EXPECT_EQ(SystemSound::liveCount(), 0u);
    // The vibration needs no file.
    SystemSound::play(SystemSound::kVibrate);
    EXPECT_EQ(SystemSound::playedFiles(), (std::vector<std::string>{beep, "vibrate"}));
}

}  // namespace
