#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/Label.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewController.h"
#include "tests/platform/ui/UiTestFixture.h"

using ui::IndexPath;
using ui::TableView;
using ui::TableViewCell;

namespace {

// Sections of strings; records what the table asks and tells.
class ListController : public ui::TableViewController {
  public:
    std::vector<std::vector<std::string>> data{{"a", "b", "c"}, {"x", "y"}};
    std::vector<std::string> events;
    int cellsMade = 0;
    std::optional<IndexPath> redirect;
    bool refuse = false;
    std::optional<IndexPath> moveTarget;

    int numberOfSectionsInTableView(TableView&) override { return static_cast<int>(data.size()); }
    int numberOfRowsInSection(TableView&, int s) override {
        return static_cast<int>(data[s].size());
    }
    TableViewCell::Ptr cellForRowAtIndexPath(TableView& table, IndexPath p) override {
        auto cell = table.dequeueReusableCellWithIdentifier("Cell");
        if (!cell) {
            ++cellsMade;
            cell = std::make_shared<TableViewCell>(ui::TableViewCellStyle::defaultStyle, "Cell");
        }
        cell->textLabel()->setText(data[p.section][p.row]);
        return cell;
    }
    std::optional<std::string> titleForHeaderInSection(TableView&, int s) override {
        return s == 0 ? std::optional<std::string>("Letters") : std::nullopt;
    }
    bool canMoveRowAtIndexPath(TableView&, IndexPath) override { return true; }
    void commitEditingStyle(TableView& table, ui::TableViewCellEditingStyle style,
                            IndexPath p) override {
        events.push_back("commit " + p.description());
        if (style == ui::TableViewCellEditingStyle::remove) {
            data[p.section].erase(data[p.section].begin() + p.row);
            table.deleteRowsAtIndexPaths({p}, ui::TableViewRowAnimation::fade);
        }
    }
    void moveRowAtIndexPath(TableView&, IndexPath from, IndexPath to) override {
        events.push_back("move " + from.description() + " " + to.description());
        auto item = data[from.section][from.row];
        data[from.section].erase(data[from.section].begin() + from.row);
        data[to.section].insert(data[to.section].begin() + to.row, item);
    }
    std::optional<IndexPath> willSelectRowAtIndexPath(TableView&, IndexPath p) override {
        events.push_back("willSelect " + p.description());
        if (refuse) {
            return std::nullopt;
        }
        return redirect.value_or(p);
    }
    void didSelectRowAtIndexPath(TableView&, IndexPath p) override {
        events.push_back("didSelect " + p.description());
    }
    void didDeselectRowAtIndexPath(TableView&, IndexPath p) override {
        events.push_back("didDeselect " + p.description());
    }
    void willBeginEditingRowAtIndexPath(TableView&, IndexPath p) override {
        events.push_back("willBeginEditing " + p.description());
    }
    void didEndEditingRowAtIndexPath(TableView&, std::optional<IndexPath> p) override {
        events.push_back("didEndEditing " + (p ? p->description() : "none"));
    }
    IndexPath targetIndexPathForMove(TableView&, IndexPath, IndexPath proposed) override {
        return moveTarget.value_or(proposed);
    }
};

std::vector<std::string> texts(TableView& table) {
    std::vector<std::string> out;
    for (auto p : table.indexPathsForVisibleRows()) {
        out.push_back(table.cellForRowAtIndexPath(p)->textLabel()->text());
    }
    return out;
}

}  // namespace

class TableViewTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        controller = std::make_shared<ListController>();
        window = show(controller);
        table = controller->tableView();
    }
    std::shared_ptr<ListController> controller;
    ui::Window::Ptr window;
    TableView::Ptr table;
};

TEST_F(TableViewTest, LoadsSectionsAndGeometryFromTheDataSource) {
    EXPECT_EQ(table->numberOfSections(), 2);
    EXPECT_EQ(table->numberOfRowsInSection(1), 2);
    EXPECT_EQ(texts(*table), (std::vector<std::string>{"a", "b", "c", "x", "y"}));
    EXPECT_EQ(table->titleForHeaderInSection(0), "Letters");
    // Section 0: 22-point header, three 44-point rows; section 1 has no header.
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 1}), graphics::Rect(0, 66, 320, 44));
    EXPECT_EQ(table->rectForRowAtIndexPath({1, 0}), graphics::Rect(0, 154, 320, 44));
    EXPECT_EQ(table->contentSize().height, 242);
    EXPECT_EQ(table->indexPathForRowAtPoint({5, 160}), (IndexPath{1, 0}));
}

TEST_F(TableViewTest, AHeaderWithoutALineOfItsOwnIsOutlinedThroughItsSubviews) {
    auto header = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 60));
    auto title = std::make_shared<ui::Label>(graphics::Rect(0, 0, 320, 20));
    title->setText("Title");
    auto hidden = std::make_shared<ui::Label>(graphics::Rect(0, 20, 320, 20));
    hidden->setText("Hidden");
    hidden->setHidden(true);
    header->addSubview(title);
    header->addSubview(hidden);
    table->setTableHeaderView(header);
    const std::string outline = table->outlineText();
    EXPECT_EQ(outline.rfind("TableView\n  header: Label \"Title\"\n", 0), 0u) << outline;
    EXPECT_EQ(outline.find("Hidden"), std::string::npos) << outline;
}

TEST_F(TableViewTest, OnlyVisibleRowsHaveCellsAndCellsAreReused) {
    controller->data = {std::vector<std::string>(100, "row")};
    table->reloadData();
    int made = controller->cellsMade;
    auto visible = table->indexPathsForVisibleRows();
    EXPECT_EQ(visible.size(), 13u);  // 548 points of 44-point rows under a 22-point header
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 50}), nullptr);
    table->scrollToRowAtIndexPath({0, 50}, ui::TableViewScrollPosition::top, false);
    EXPECT_NE(table->cellForRowAtIndexPath({0, 50}), nullptr);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0}), nullptr);
    EXPECT_LE(controller->cellsMade,
              made + 1);  // scrolled-off cells came back from the reuse queue
}

TEST_F(TableViewTest, TapSelectsAfterAskingAndDeselectsThePreviousRow) {
    EXPECT_EQ(table->tapRowAtIndexPath({0, 1}), (IndexPath{0, 1}));
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 1})->isSelected());
    controller->events.clear();
    table->tapRowAtIndexPath({1, 0});
    EXPECT_EQ(
        controller->events,
        (std::vector<std::string>{"willSelect {1, 0}", "didDeselect {0, 1}", "didSelect {1, 0}"}));
    EXPECT_FALSE(table->cellForRowAtIndexPath({0, 1})->isSelected());

    controller->events.clear();
    controller->refuse = true;
    EXPECT_EQ(table->tapRowAtIndexPath({0, 0}), std::nullopt);
    EXPECT_EQ(controller->events, (std::vector<std::string>{"willSelect {0, 0}"}));
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{1, 0}));

    controller->refuse = false;
    controller->redirect = IndexPath{0, 2};
    EXPECT_EQ(table->tapRowAtIndexPath({0, 0}), (IndexPath{0, 2}));
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 2}));

    // Selection is off in editing mode unless allowed.
    controller->redirect.reset();
    controller->setEditing(true, false);
    EXPECT_EQ(table->tapRowAtIndexPath({0, 0}), std::nullopt);
}

TEST_F(TableViewTest, SwipeToDeleteCommitsAndTheTableFollows) {
    EXPECT_TRUE(table->swipeToDelete({0, 1}));
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 1})->isShowingDeleteConfirmation());
    EXPECT_TRUE(table->tapDeleteConfirmation({0, 1}));
    EXPECT_EQ(controller->events,
              (std::vector<std::string>{"willBeginEditing {0, 1}", "commit {0, 1}",
                                        "didEndEditing {0, 1}"}));
    EXPECT_EQ(table->numberOfRowsInSection(0), 2);
    EXPECT_EQ(texts(*table), (std::vector<std::string>{"a", "c", "x", "y"}));
}

// A delegate that lets go of the table's only data source while the table
// asks it for a row's editing style.
class ReleasingDelegate : public ui::TableViewDelegate {
  public:
    std::shared_ptr<ListController> source;
    ui::TableViewCellEditingStyle style = ui::TableViewCellEditingStyle::remove;

    std::optional<ui::TableViewCellEditingStyle> editingStyleForRowAtIndexPath(TableView&,
                                                                               IndexPath) override {
        source.reset();
        return style;
    }
};

TEST_F(TableViewTest, AnEditingTapCommitsToTheDataSourceItStartedWith) {
    for (auto style :
         {ui::TableViewCellEditingStyle::insert, ui::TableViewCellEditingStyle::remove}) {
        SCOPED_TRACE(static_cast<int>(style));
        auto delegate = std::make_shared<ReleasingDelegate>();
        delegate->style = style;
        delegate->source = std::make_shared<ListController>();
        std::weak_ptr<ListController> source = delegate->source;
        auto other = std::make_shared<TableView>(graphics::Rect(0, 0, 320, 480));
        other->setDataSource(delegate->source);
        other->setTableDelegate(delegate);
        other->reloadData();
        if (style == ui::TableViewCellEditingStyle::insert) {
            other->setEditing(true, false);
            EXPECT_TRUE(other->tapEditingControl({0, 1}));
        } else {
            EXPECT_TRUE(other->tapDeleteConfirmation({0, 1}));
            EXPECT_EQ(other->numberOfRowsInSection(0), 2) << "the row is deleted";
        }
        EXPECT_TRUE(source.expired());
    }
}

TEST_F(TableViewTest, UpdatesThatDoNotMatchTheDataSourceAreRejected) {
    controller->data[0].push_back("d");
    EXPECT_THROW(table->deleteRowsAtIndexPaths({{0, 0}}, ui::TableViewRowAnimation::fade),
                 std::logic_error);
    EXPECT_NO_THROW(table->insertRowsAtIndexPaths({{0, 3}}, ui::TableViewRowAnimation::automatic));
    EXPECT_EQ(table->numberOfRowsInSection(0), 4);

    // A batch: one row out, one section in.
    table->selectRowAtIndexPath(IndexPath{1, 1}, false, ui::TableViewScrollPosition::none);
    controller->data[0].erase(controller->data[0].begin());
    controller->data.insert(controller->data.begin() + 1, {"new"});
    table->beginUpdates();
    table->deleteRowsAtIndexPaths({{0, 0}}, ui::TableViewRowAnimation::fade);
    table->insertSections({1}, ui::TableViewRowAnimation::fade);
    table->endUpdates();
    EXPECT_EQ(table->numberOfSections(), 3);
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{2, 1}));  // "y" kept its selection
    EXPECT_EQ(texts(*table), (std::vector<std::string>{"b", "c", "d", "new", "x", "y"}));
}

TEST_F(TableViewTest, UserMovesGoWhereTheDelegateSays) {
    EXPECT_EQ(table->moveRowByUser({0, 0}, {0, 2}), std::nullopt);  // not editing
    controller->setEditing(true, false);
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 0})->isEditing());
    EXPECT_EQ(table->moveRowByUser({0, 0}, {0, 2}), (IndexPath{0, 2}));
    EXPECT_EQ(controller->data[0], (std::vector<std::string>{"b", "c", "a"}));
    controller->moveTarget = IndexPath{0, 0};  // the delegate keeps rows in their section
    EXPECT_EQ(table->moveRowByUser({0, 2}, {1, 1}), (IndexPath{0, 0}));
    EXPECT_EQ(controller->events.back(), "move {0, 2} {0, 0}");
    EXPECT_EQ(texts(*table), (std::vector<std::string>{"a", "b", "c", "x", "y"}));
    EXPECT_EQ(table->numberOfRowsInSection(1), 2);
}
