#include "ads/presentation/GADIntrinsicImages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/foundation/ProcessState.h"
#include "platform/ui/Screen.h"

namespace {

using Getter = std::function<graphics::Image::Ptr(GADIntrinsicImages&)>;

TEST(GADIntrinsicImagesTest, ImagesKeepTheirSizeInPointsOnEveryDensity) {
    struct Case {
        double density;
        int pixelsPerPoint;  // of the drawing chosen
    };
    const std::vector<Case> densities = {{1, 1}, {2, 2}, {3, 2}};
    const std::vector<std::pair<Getter, int>> images = {
        {&GADIntrinsicImages::browserBackButton, 27},
        {&GADIntrinsicImages::browserForwardButton, 27},
        {&GADIntrinsicImages::closeButton, 25},
    };
    for (const Case& c : densities) {
        ui::Screen::mainScreen().setScale(c.density);
        GADIntrinsicImages::sharedInstance().reset();
        for (const auto& [get, points] : images) {
            const graphics::Image::Ptr image = get(GADIntrinsicImages::sharedInstance());
            ASSERT_TRUE(image) << c.density;
            EXPECT_EQ(image->bitmap()->width(), points * c.pixelsPerPoint) << c.density;
            EXPECT_EQ(image->size().width, points) << c.density;
            EXPECT_EQ(image->size().height, points) << c.density;
            EXPECT_EQ(image->imageOrientation(), graphics::ImageOrientation::up);
            // Made once: the same image every time.
            EXPECT_EQ(get(GADIntrinsicImages::sharedInstance()), image);
        }
        foundation::ProcessState::resetAll();
    }
}

TEST(GADIntrinsicImagesTest, TransparentImageIsClearAtTheScreenScale) {
    ui::Screen::mainScreen().setScale(3);
    const auto image = GADIntrinsicImages::sharedInstance().transparentImage();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size().width, 10);
    EXPECT_EQ(image->bitmap()->width(), 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            ASSERT_EQ(image->bitmap()->pixel(x, y).a, 0);
        }
    }
}

TEST(GADIntrinsicImagesTest, TextThatIsNoImageGivesNone) {
    EXPECT_EQ(GADIntrinsicImages::imageWithBase64EncodedString("not base64!"), nullptr);
    EXPECT_EQ(GADIntrinsicImages::imageWithBase64EncodedString("aGVsbG8="), nullptr);
    EXPECT_EQ(GADIntrinsicImages::chooseImage("one", "two"), "two");
}

}  // namespace
