#include <gtest/gtest.h>

#include "platform/foundation/Clock.h"
#include "platform/ui/Label.h"
#include "ui/JMStaticContentTableViewController/JMStaticContentTableViewController.h"

namespace {

using Descriptor = JMStaticContentTableViewCell;
using Section = JMStaticContentTableViewSection;

JMStaticContentTableViewCell::ConfigureBlock text(const std::string& label) {
    return [label](Descriptor&, const ui::TableViewCell::Ptr& cell, const auto&) {
        if (cell) {
            cell->textLabel()->setText(label);
        }
    };
}

class StaticContentTableTest : public testing::Test {
  protected:
    void SetUp() override { table->view(); }
    ui::TableViewCell::Ptr cellAt(int section, int row) {
        return table->cellForRowAtIndexPath(*table->tableView(),
                                            ui::IndexPath::forRow(row, section));
    }
    std::shared_ptr<JMStaticContentTableViewController> table =
        std::make_shared<JMStaticContentTableViewController>(ui::TableViewStyle::grouped);
};

TEST_F(StaticContentTableTest, RowsAreConfiguredAtAddTimeAndEachTimeTheirCellIsShown) {
    int taps = 0;
    std::vector<bool> configuredWithCell;
    table->addSection([&](Section& section, std::size_t index) {
        EXPECT_EQ(index, 0u);
        section.addCell(
            [&](Descriptor& descriptor, const ui::TableViewCell::Ptr& cell, const auto& path) {
                configuredWithCell.push_back(cell != nullptr);
                descriptor.cellStyle = ui::TableViewCellStyle::value1;
                descriptor.cellHeight = 44;
                if (cell) {
                    EXPECT_TRUE(path.has_value());
                    cell->textLabel()->setText("Styled");
                }
            },
            [&](ui::IndexPath) { ++taps; });
        section.addCell([](Descriptor&, const ui::TableViewCell::Ptr& cell, const auto&) {
            if (cell) {
                cell->setAccessoryType(ui::TableViewCellAccessoryType::none);
            }
        });
    });
    auto& view = *table->tableView();
    EXPECT_EQ(table->numberOfSectionsInTableView(view), 1);
    EXPECT_EQ(table->numberOfRowsInSection(view, 0), 2);
    auto styled = cellAt(0, 0);
    EXPECT_EQ(styled->style(), ui::TableViewCellStyle::value1);
    EXPECT_EQ(styled->textLabel()->text(), "Styled");
    // Rows show a disclosure indicator unless their block says otherwise.
    EXPECT_EQ(styled->accessoryType(), ui::TableViewCellAccessoryType::disclosureIndicator);
    EXPECT_EQ(cellAt(0, 1)->accessoryType(), ui::TableViewCellAccessoryType::none);
    EXPECT_EQ(configuredWithCell, (std::vector<bool>{false, true}));

    // A descriptor's height wins; the automatic height falls back to the table's.
    view.setRowHeight(30);
    EXPECT_EQ(table->heightForRowAtIndexPath(view, ui::IndexPath::forRow(0, 0)), 44);
    EXPECT_EQ(table->heightForRowAtIndexPath(view, ui::IndexPath::forRow(1, 0)), 30);

    table->didSelectRowAtIndexPath(view, ui::IndexPath::forRow(0, 0));
    table->didSelectRowAtIndexPath(view, ui::IndexPath::forRow(1, 0));
    table->didSelectRowAtIndexPath(view, ui::IndexPath::forRow(5, 3));
    EXPECT_EQ(taps, 1);
}

TEST_F(StaticContentTableTest, IndexPathsFollowAddsInsertsAndReloadsButNotRemovals) {
    Section::Ptr section = table->addSection([](Section& s, std::size_t) {
        for (const char* name : {"a", "b", "c"}) {
            s.addCell(text(name));
        }
    });
    section->removeCellAtIndex(0, false);
    auto rows = [&] {
        std::vector<int> result;
        for (const auto& cell : section->staticContentCells()) {
            result.push_back(cell->indexPath ? cell->indexPath->row : -1);
        }
        return result;
    };
    EXPECT_EQ(rows(), (std::vector<int>{1, 2}));
    section->reloadCellAtIndex(0, false);
    EXPECT_EQ(rows(), (std::vector<int>{0, 1}));
    section->insertCell(text("z"), nullptr, ui::IndexPath::forRow(0, 0), false);
    EXPECT_EQ(rows(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(cellAt(0, 0)->textLabel()->text(), "z");
}

TEST_F(StaticContentTableTest, InsertingASectionRenumbersTheOthers) {
    table->addSection([](Section& s, std::size_t) { s.addCell(text("first")); });
    table->addSection([](Section& s, std::size_t) { s.addCell(text("second")); });
    table->insertSection(
        [](Section& s, std::size_t index) {
            EXPECT_EQ(index, 0u);
            s.addCell(text("new"));
        },
        0, false);
    std::vector<int> indexes;
    for (const auto& section : table->staticContentSections()) {
        indexes.push_back(section->sectionIndex);
    }
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(cellAt(0, 0)->textLabel()->text(), "new");
    EXPECT_EQ(cellAt(2, 0)->textLabel()->text(), "second");
    table->removeSectionAtIndex(0, false);
    EXPECT_EQ(table->staticContentSections()[1]->sectionIndex, 1);
}

TEST_F(StaticContentTableTest, HeaderAndFooterTextsBecomeTableViews) {
    table->setHeaderText("Header text");
    table->setFooterText("Footer");
    auto header = table->tableView()->tableHeaderView();
    ASSERT_NE(header, nullptr);
    ASSERT_NE(table->tableView()->tableFooterView(), nullptr);
    auto label = std::dynamic_pointer_cast<ui::Label>(header->subviews().at(0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Header text");
    EXPECT_EQ(label->frame().origin.x, 20);
    EXPECT_EQ(header->frame().size.height, label->frame().size.height + 10);
    table->setHeaderText(std::nullopt);
    EXPECT_EQ(table->tableView()->tableHeaderView(), nullptr);
    EXPECT_NE(table->tableView()->tableFooterView(), nullptr);

    // Texts set before the view loads are kept but never shown.
    auto later = std::make_shared<JMStaticContentTableViewController>();
    later->setHeaderText("Early");
    later->setFooterText("Later");
    EXPECT_FALSE(later->isViewLoaded());
    later->view();
    EXPECT_EQ(later->headerText(), "Early");
    EXPECT_EQ(later->tableView()->tableHeaderView(), nullptr);
    EXPECT_EQ(later->tableView()->tableFooterView(), nullptr);
}

}  // namespace
