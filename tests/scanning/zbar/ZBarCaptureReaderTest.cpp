#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "ScanFixtures.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/CaptureDevice.h"
#include "platform/media/CaptureDeviceInput.h"
#include "platform/media/CaptureSession.h"
#include "platform/media/FourCharCode.h"
#include "platform/media/FrameSource.h"
#include "scanning/zbar/ZBarCVImage.h"
#include "scanning/zbar/ZBarCaptureReader.h"

namespace {

using media::BarcodeFormat;
using scanfixtures::applicationScanner;
using scanfixtures::cameraFrame;
using scanfixtures::drawCode;

class RecordingDelegate : public ZBarCaptureDelegate {
  public:
    explicit RecordingDelegate(bool tracks = false) : tracks_(tracks) {}

    void captureReaderDidReadNewSymbolsFromImage(ZBarCaptureReader& reader,
                                                 const std::shared_ptr<ZBarImage>& image) override {
        std::lock_guard lock(mutex);
        hits.push_back(image);
        onMainThread = onMainThread && foundation::RunLoop::current().isMain();
        pendingDuringCall = pendingDuringCall && (reader.state() & ZBarCaptureReader::kPending);
    }
    bool respondsToDidTrackSymbols() const override { return tracks_; }
    void captureReaderDidTrackSymbols(ZBarCaptureReader&,
                                      const std::shared_ptr<ZBarSymbolSet>& symbols) override {
        std::lock_guard lock(mutex);
        tracked.push_back(symbols);
    }
    std::size_t hitCount() {
        std::lock_guard lock(mutex);
        return hits.size();
    }

    std::mutex mutex;
    std::vector<std::shared_ptr<ZBarImage>> hits;
    std::vector<std::shared_ptr<ZBarSymbolSet>> tracked;
    bool onMainThread = true;
    bool pendingDuringCall = true;

  private:
    bool tracks_;
};

// Scans for real, then reports a failure.
class FailingScanner : public ZBarImageScanner {
  public:
    int scanImage(ZBarImage& image) override {
        ZBarImageScanner::scanImage(image);
        return -1;
    }
};

struct ReaderFixture {
    explicit ReaderFixture(std::shared_ptr<ZBarImageScanner> scanner = applicationScanner(),
                           bool tracks = false)
        : reader(ZBarCaptureReader::make(std::move(scanner))),
          delegate(std::make_shared<RecordingDelegate>(tracks)) {
        reader->setCaptureDelegate(delegate);
        reader->setEnableCache(false);
    }
    void feed(const media::SampleBuffer& frame) {
        reader->captureOutputDidOutputSampleBuffer(*reader->captureOutput(), frame);
    }
    static void deliver() { foundation::RunLoop::main().runUntilIdle(); }

    std::shared_ptr<ZBarCaptureReader> reader;
    std::shared_ptr<RecordingDelegate> delegate;
};

std::string firstData(const std::shared_ptr<ZBarSymbolSet>& symbols) {
    for (const auto& symbol : *symbols) {
        return symbol->data().value_or("");
    }
    return {};
}

TEST(ZBarCaptureReaderTest, OneResultInFlightUntilTheMainThreadTookIt) {
    ReaderFixture f;
    const auto qr = cameraFrame(*drawCode(BarcodeFormat::qrCode, "first", 320, 240));

    f.feed(qr);  // disabled: ignored
    EXPECT_EQ(f.reader->frameCount(), 0);

    f.reader->setEnableReader(true);
    f.feed(qr);
    EXPECT_EQ(f.reader->frameCount(), 1);
    EXPECT_TRUE(f.reader->state() & ZBarCaptureReader::kPending);
    f.feed(qr);  // dropped before any work
    EXPECT_EQ(f.reader->frameCount(), 1);
    EXPECT_EQ(f.delegate->hitCount(), 0u);

    f.deliver();
    ASSERT_EQ(f.delegate->hitCount(), 1u);
    EXPECT_TRUE(f.delegate->onMainThread);
    EXPECT_TRUE(f.delegate->pendingDuringCall);
    EXPECT_FALSE(f.reader->state() & ZBarCaptureReader::kPending);
    const auto& hit = f.delegate->hits[0];
    EXPECT_EQ(hit->format(), ZBarImage::fourcc("CV2P"));
    EXPECT_EQ(hit->size(), (graphics::Size{320, 240}));
    ASSERT_TRUE(hit->symbols());
    EXPECT_EQ(hit->symbols()->count(), 1);
    EXPECT_EQ(firstData(hit->symbols()), "first");
    EXPECT_TRUE(f.delegate->tracked.empty());  // the delegate does not track

    f.feed(qr);
    f.deliver();
    EXPECT_EQ(f.delegate->hitCount(), 2u);
    EXPECT_NE(f.delegate->hits[0], f.delegate->hits[1]);

    // Disabling clears the whole state; enabling again starts afresh.
    f.feed(qr);
    f.reader->setEnableReader(false);
    EXPECT_EQ(f.reader->state(), 0u);
    f.deliver();
}

TEST(ZBarCaptureReaderTest, ScanErrorIsNotAHit) {
    ReaderFixture f(std::make_shared<FailingScanner>(), true);
    f.reader->setEnableReader(true);
    f.reader->captureFrame();
    f.feed(cameraFrame(*drawCode(BarcodeFormat::qrCode, "stale", 320, 240)));
    f.deliver();
    EXPECT_EQ(f.delegate->hitCount(), 0u);
    EXPECT_TRUE(f.delegate->tracked.empty());
    EXPECT_EQ(f.reader->state(), ZBarCaptureReader::kEnabled | ZBarCaptureReader::kCapture);
}

TEST(ZBarCaptureReaderTest, RequestedCaptureDeliversAnEmptyFrameOnce) {
    ReaderFixture f;
    auto plain = graphics::Bitmap::make(160, 120, {128, 128, 128, 255});
    f.reader->setEnableReader(true);
    f.feed(cameraFrame(*plain));
    f.deliver();
    EXPECT_EQ(f.delegate->hitCount(), 0u);

    f.reader->captureFrame();
    f.feed(cameraFrame(*plain));
    EXPECT_EQ(f.reader->state(), ZBarCaptureReader::kEnabled | ZBarCaptureReader::kPending);
    f.deliver();
    ASSERT_EQ(f.delegate->hitCount(), 1u);
    auto symbols = f.delegate->hits[0]->symbols();
    EXPECT_TRUE(!symbols || symbols->count() == 0);

    f.feed(cameraFrame(*plain));
    f.deliver();
    EXPECT_EQ(f.delegate->hitCount(), 1u);
}

TEST(ZBarCaptureReaderTest, TrackingDelegatesHearEveryFrameWithSymbols) {
    ReaderFixture f(applicationScanner(), true);
    f.reader->setEnableCache(true);
    f.reader->scanner()->setSymbology(0, ZBarImageScanner::kUncertainty, 2);
    f.reader->setEnableReader(true);
    const auto ean = cameraFrame(*drawCode(BarcodeFormat::ean13, "4006381333931", 640, 240));
    for (int i = 0; i < 3; ++i) {
        f.feed(ean);
        f.deliver();
    }
    // The cache holds the first sighting back; tracking sees it every time.
    EXPECT_EQ(f.delegate->tracked.size(), 3u);
    EXPECT_EQ(f.delegate->hitCount(), 1u);
    EXPECT_FALSE(f.delegate->tracked[0]->filterSymbols());
}

TEST(ZBarCaptureReaderTest, SizeChangesAreReportedOnceAndMoveTheCrop) {
    ReaderFixture f;
    auto owner = std::make_shared<int>(0);
    std::vector<graphics::Size> sizes;
    f.reader->addObserver(owner, "size", [&](const foundation::KeyValueChange& change) {
        sizes.push_back(
            {change.newValue["Width"].doubleValue(), change.newValue["Height"].doubleValue()});
    });
    media::GeneratedFrame left;
    left.text = "left";
    left.codeRect = {10, 100, 240, 240};
    const auto frame = cameraFrame(*left.draw(), 16);

    f.reader->setScanCrop({0.5, 0, 0.5, 1});  // the right half: the code is outside
    f.reader->setEnableReader(true);
    f.feed(frame);
    f.feed(frame);
    f.deliver();
    EXPECT_EQ(sizes, (std::vector<graphics::Size>{{656, 480}}));  // row length, rows
    EXPECT_EQ(f.reader->size(), (graphics::Size{656, 480}));
    EXPECT_EQ(f.delegate->hitCount(), 0u);

    f.reader->setScanCrop({0, 0, 0.5, 1});
    f.feed(frame);
    f.deliver();
    EXPECT_EQ(f.delegate->hitCount(), 1u);

    f.feed(cameraFrame(*drawCode(BarcodeFormat::qrCode, "small", 320, 240)));
    f.deliver();
    EXPECT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes.back(), (graphics::Size{320, 240}));
}

TEST(ZBarCaptureReaderTest, FrameRateIsAveragedAndReportedOnceASecond) {
    foundation::ManualClock clock;
    ReaderFixture f;
    auto owner = std::make_shared<int>(0);
    std::vector<double> rates;
    f.reader->addObserver(owner, "framesPerSecond", [&](const foundation::KeyValueChange& change) {
        rates.push_back(change.newValue.doubleValue());
    });
    const auto plain = cameraFrame(*graphics::Bitmap::make(64, 48, {128, 128, 128, 255}));
    f.reader->setEnableReader(true);

    clock.advance(3);
    f.feed(plain);
    f.deliver();
    EXPECT_DOUBLE_EQ(f.reader->frameInterval(), 1.5);
    EXPECT_TRUE(rates.empty());

    // 31 frames: thirty intervals of a thirtieth, in whole nanoseconds, fall
    // just short of the second.
    for (int i = 0; i < 31; ++i) {
        clock.advance(1.0 / 30);
        f.feed(plain);
    }
    f.deliver();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_NEAR(rates[0], 30, 0.5);
    EXPECT_DOUBLE_EQ(f.reader->framesPerSecond(), rates[0]);
}

TEST(ZBarCaptureReaderTest, CameraFramesReachTheMainThreadAndLateOnesAreDropped) {
    media::GeneratedFrame description;
    description.text =
        "MECARD:N:M\xC3\xBC"
        "ller;;";
    description.rawBytes = true;
    description.width = 1280;
    description.height = 720;
    auto device = std::make_shared<media::CaptureDevice>("cam", media::CaptureDevicePosition::back,
                                                         false, std::vector<media::FocusMode>{});
    device->setFrameSource(media::FrameSource::fromGeneratedFrames({description}, 0));
    auto session = media::CaptureSession::make();
    ReaderFixture f;
    session->addInput(media::CaptureDeviceInput::make(device));
    session->addOutput(f.reader->captureOutput());
    f.reader->willStartRunning();
    session->startRunning();

    auto& loop = foundation::RunLoop::main();
    ASSERT_TRUE(loop.runUntil([&] { return f.delegate->hitCount() >= 1; }, 30));
    // The next hit waits for the main thread; every frame meanwhile is
    // dropped before it is counted.
    for (int i = 0; i < 1000 && !(f.reader->state() & ZBarCaptureReader::kPending); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(f.reader->state() & ZBarCaptureReader::kPending);
    const int before = f.reader->frameCount();
    const auto output = f.reader->captureOutput();
    const std::size_t delivered = output->deliveredCount();
    for (int i = 0; i < 3000 && output->deliveredCount() < delivered + 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_GE(output->deliveredCount(), delivered + 3);
    EXPECT_EQ(f.reader->frameCount(), before);
    ASSERT_TRUE(loop.runUntil([&] { return f.delegate->hitCount() >= 2; }, 30));
    f.reader->willStopRunning();
    session->stopRunning();
    loop.runUntilIdle();

    EXPECT_TRUE(f.delegate->onMainThread);
    EXPECT_GT(f.reader->captureOutput()->droppedCount(), 0u);
    auto hit = f.delegate->hits[0];
    EXPECT_EQ(firstData(hit->symbols()), description.text);
    auto picture = hit->UIImage();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->bitmap()->width(), 1280);
    EXPECT_EQ(picture->bitmap()->height(), 720);
}

TEST(ZBarCVImageTest, ConvertsVideoRangeToRGBWithinThePixelWidth) {
    // 5 pixels a row in rows of 8 bytes: the picture is 5 wide, not 8.
    auto buffer = media::PixelBuffer::makeBiPlanar(5, 3, 8);
    std::uint8_t* luma = buffer->planeBaseAddress(0);
    std::uint8_t* chroma = buffer->planeBaseAddress(1);
    luma[0] = 16;   // black
    luma[1] = 235;  // white
    luma[2] = 126;  // mid grey
    luma[8 + 4] = 235;
    chroma[2 * 2 + 1] = 255;  // saturated Cr for columns 4 of rows 0-1
    auto image = std::make_shared<ZBarCVImage>();
    image->setFormat(ZBarImage::fourcc("CV2P"));
    image->setSize({8, 3});
    image->setPixelBuffer(buffer);

    auto picture = image->UIImageWithOrientation(graphics::ImageOrientation::left);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->imageOrientation(), graphics::ImageOrientation::left);
    const auto& bitmap = *picture->bitmap();
    ASSERT_EQ(bitmap.width(), 5);
    ASSERT_EQ(bitmap.height(), 3);
    struct Case {
        int x, y;
        graphics::Rgba8 rgb;
    };
    const std::vector<Case> cases = {
        {0, 0, {0, 0, 0, 255}},        // Y 16
        {1, 0, {255, 255, 255, 255}},  // Y 235
        {2, 0, {128, 128, 128, 255}},  // Y 126
        {4, 1, {255, 152, 255, 255}},  // red and blue clamp, green pulled down
    };
    for (const Case& c : cases) {
        const graphics::Rgba8 p = bitmap.pixel(c.x, c.y);
        EXPECT_EQ(p.r, c.rgb.r) << c.x << "," << c.y;
        EXPECT_EQ(p.g, c.rgb.g) << c.x << "," << c.y;
        EXPECT_EQ(p.b, c.rgb.b) << c.x << "," << c.y;
    }
    EXPECT_FALSE(image->pixelBuffer());  // dropped after conversion
    EXPECT_TRUE(image->rgbBuffer());
    EXPECT_EQ(image->UIImage()->bitmap()->width(), 5);  // converted once
}

TEST(ZBarCVImageTest, WithoutConvertiblePixelsThePictureIsBlack) {
    auto refusing = media::PixelBuffer::makeBiPlanar(4, 4);
    refusing->setRefusesLock(true);
    auto bgra = media::PixelBuffer::makeBGRA(4, 4);
    for (const auto& buffer : {refusing, bgra, std::shared_ptr<media::PixelBuffer>()}) {
        auto image = std::make_shared<ZBarCVImage>();
        image->setFormat(ZBarImage::fourcc("CV2P"));
        image->setSize({4, 4});
        image->setPixelBuffer(buffer);
        auto picture = image->UIImage();
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->bitmap()->width(), 4);
        EXPECT_EQ(picture->bitmap()->pixel(1, 1).r, 0);
        EXPECT_FALSE(image->rgbBuffer());
        EXPECT_FALSE(image->pixelBuffer());
    }
}

}  // namespace
