#include <gtest/gtest.h>

#include "platform/media/FourCharCode.h"
#include "platform/media/PixelBuffer.h"

namespace {

using media::PixelBuffer;

TEST(PixelBufferTest, BiPlanarFromPictureHasVideoRangeLumaAndPaddedRows) {
    // 5x3: odd sides round the chroma plane up; white left half, black right.
    auto bitmap = graphics::Bitmap::make(5, 3, {255, 255, 255, 255});
    for (int y = 0; y < 3; ++y) {
        for (int x = 3; x < 5; ++x) {
            bitmap->setPixel(x, y, {0, 0, 0, 255});
        }
    }
    auto buffer =
        PixelBuffer::fromBitmap(*bitmap, media::kPixelFormat420YpCbCr8BiPlanarVideoRange, 7);
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->pixelFormatType(), media::fourCharCode("420v"));
    EXPECT_EQ(media::fourCharCodeString(buffer->pixelFormatType()), "420v");
    ASSERT_EQ(buffer->planeCount(), 2u);
    EXPECT_EQ(buffer->planeBytesPerRow(0), 12u);
    EXPECT_EQ(buffer->planeHeight(0), 3);
    EXPECT_EQ(buffer->planeWidth(1), 3);
    EXPECT_EQ(buffer->planeHeight(1), 2);
    EXPECT_EQ(buffer->planeBytesPerRow(1), 6u);
    const std::uint8_t* luma = buffer->planeBaseAddress(0);
    EXPECT_EQ(luma[0], 235);
    EXPECT_EQ(luma[4], 16);
    EXPECT_EQ(luma[12 + 2], 235);
    // Grey pixels carry no colour.
    const std::uint8_t* chroma = buffer->planeBaseAddress(1);
    EXPECT_EQ(chroma[0], 128);
    EXPECT_EQ(chroma[1], 128);
}

TEST(PixelBufferTest, ChromaCarriesColourAndBGRAKeepsByteOrder) {
    auto red = graphics::Bitmap::make(2, 2, {255, 0, 0, 255});
    auto yuv = PixelBuffer::fromBitmap(*red, media::kPixelFormat420YpCbCr8BiPlanarVideoRange);
    ASSERT_TRUE(yuv);
    EXPECT_EQ(yuv->planeBaseAddress(1)[1], 240);  // Cr of pure red
    EXPECT_LT(yuv->planeBaseAddress(1)[0], 128);  // Cb below grey

    auto bgra = PixelBuffer::fromBitmap(*red, media::kPixelFormat32BGRA);
    ASSERT_TRUE(bgra);
    EXPECT_EQ(bgra->planeCount(), 0u);
    EXPECT_EQ(bgra->bytesPerRow(), 8u);
    EXPECT_EQ(bgra->baseAddress()[0], 0);
    EXPECT_EQ(bgra->baseAddress()[2], 255);

    EXPECT_FALSE(PixelBuffer::fromBitmap(*red, media::fourCharCode("y420")));
    EXPECT_FALSE(PixelBuffer::makeBiPlanar(0, 10));
}

TEST(PixelBufferTest, LockCanBeRefused) {
    auto buffer = PixelBuffer::makeBiPlanar(4, 4);
    ASSERT_TRUE(buffer->lockBaseAddress());
    EXPECT_EQ(buffer->lockCount(), 1);
    buffer->unlockBaseAddress();
    buffer->setRefusesLock(true);
    EXPECT_FALSE(buffer->lockBaseAddress());
    EXPECT_EQ(buffer->lockCount(), 0);
}

}  // namespace
