#include "platform/graphics/Color.h"

#include <gtest/gtest.h>

namespace {

using graphics::Color;
using graphics::ColorSpaceModel;

TEST(ColorTest, NamedColoursKeepTheirSpaces) {
    const struct {
        const char* name;
        Color color;
        ColorSpaceModel model;
        std::vector<double> components;
    } cases[] = {
        {"black", Color::blackColor(), ColorSpaceModel::monochrome, {0, 1}},
        {"clear", Color::clearColor(), ColorSpaceModel::monochrome, {0, 0}},
        {"light grey", Color::lightGrayColor(), ColorSpaceModel::monochrome, {2.0 / 3, 1}},
        {"orange", Color::orangeColor(), ColorSpaceModel::rgb, {1, 0.5, 0, 1}},
        {"pattern", Color::pattern(), ColorSpaceModel::pattern, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.color.model(), c.model);
        EXPECT_EQ(c.color.components(), c.components);
    }
    EXPECT_EQ(Color::white(0.5).withAlphaComponent(0.25).toRgba8(),
              (graphics::Rgba8{128, 128, 128, 64}));
    EXPECT_EQ(Color::rgb(2, -1, 0.5).toRgba8(), (graphics::Rgba8{255, 0, 128, 255}));
}

}  // namespace
