#include <gtest/gtest.h>

#include "app/DetailLinkTableViewCell.h"
#include "app/LinkLabel.h"
#include "app/LinkTableViewCell.h"

namespace {

TEST(LinkCellsTest, LinkLabelChangesOnlyOnADifferentValue) {
    LinkLabel label;
    EXPECT_TRUE(label.showAsLink());
    label.setTextColor(graphics::Color::redColor());
    label.setShowAsLink(true);
    EXPECT_EQ(label.textColor(), graphics::Color::redColor()) << "an equal value changes nothing";
    EXPECT_FALSE(label.needsDisplay());
    label.setShowAsLink(false);
    EXPECT_FALSE(label.showAsLink());
    EXPECT_EQ(label.textColor(), graphics::Color::blackColor());
    EXPECT_TRUE(label.needsDisplay());
}

TEST(LinkCellsTest, LinkCellShowsItsLabelAsALinkOutsideEditing) {
    LinkTableViewCell cell("Link");
    ASSERT_TRUE(cell.textLabel());
    EXPECT_EQ(cell.textLabel()->frame(), graphics::Rect(8, 8, 300, 28));
    EXPECT_EQ(cell.textLabel()->font(), ui::Font::boldSystemFontOfSize(20));
    cell.setEditing(true);
    EXPECT_FALSE(cell.label()->showAsLink());
    cell.setEditing(false);
    EXPECT_TRUE(cell.label()->showAsLink());
}

TEST(LinkCellsTest, DetailLinkCellComesFromItsInterfaceFile) {
    auto cell = DetailLinkTableViewCell::loadFromNib();
    EXPECT_EQ(cell->reuseIdentifier(), "BarcodeDetail");
    ASSERT_TRUE(cell->labelAction());
    cell->labelAction()->setText("eBay Search");
    EXPECT_EQ(cell->outlineText(), "\"eBay Search\"");
}

}  // namespace
