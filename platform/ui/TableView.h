#pragma once

// A scrolling list of rows in sections, fed by a data source and steered by a
// delegate (both held weakly): heights, header and footer titles and views,
// cells made for the visible rows and reused through identifiers, selection,
// editing (delete, insert, move), reloads and batched row and section updates
// checked against the data source's new counts. The visible rows follow the
// bounds: scrolling tiles them at once. User actions (tap a row, swipe to
// delete, drag a row) are simulated with the platform's callbacks.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/IndexPath.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/TableViewDelegate.h"

namespace ui {

enum class TableViewStyle { plain = 0, grouped = 1 };
enum class TableViewRowAnimation {
    fade = 0,
    right = 1,
    left = 2,
    top = 3,
    bottom = 4,
    none = 5,
    middle = 6,
    automatic = 100
};
enum class TableViewScrollPosition { none = 0, top = 1, middle = 2, bottom = 3 };
enum class TableViewCellSeparatorStyle { none = 0, singleLine = 1, singleLineEtched = 2 };
inline constexpr double TableViewAutomaticDimension = -1;

class TableView : public ScrollView {
  public:
    using Ptr = std::shared_ptr<TableView>;
    using CellFactory = std::function<TableViewCell::Ptr(const std::string& identifier)>;

    explicit TableView(const graphics::Rect& frame = {},
                       TableViewStyle style = TableViewStyle::plain);

    TableViewStyle style() const { return style_; }

    std::shared_ptr<TableViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(const std::weak_ptr<TableViewDataSource>& dataSource) {
        dataSource_ = dataSource;
    }
    std::shared_ptr<TableViewDelegate> tableDelegate() const { return delegate_.lock(); }
    // The delegate is also the scroll view's delegate.
    void setTableDelegate(const std::weak_ptr<TableViewDelegate>& delegate);

    double rowHeight() const { return rowHeight_; }
    void setRowHeight(double height) { rowHeight_ = height; }
    double estimatedRowHeight() const { return estimatedRowHeight_; }
    void setEstimatedRowHeight(double height) { estimatedRowHeight_ = height; }
    double sectionHeaderHeight() const { return sectionHeaderHeight_; }
    void setSectionHeaderHeight(double height) { sectionHeaderHeight_ = height; }
    double sectionFooterHeight() const { return sectionFooterHeight_; }
    void setSectionFooterHeight(double height) { sectionFooterHeight_ = height; }
    const View::Ptr& tableHeaderView() const { return tableHeaderView_; }
    void setTableHeaderView(View::Ptr view);
    const View::Ptr& tableFooterView() const { return tableFooterView_; }
    void setTableFooterView(View::Ptr view);
    TableViewCellSeparatorStyle separatorStyle() const { return separatorStyle_; }
    void setSeparatorStyle(TableViewCellSeparatorStyle style) { separatorStyle_ = style; }
    bool allowsSelection() const { return allowsSelection_; }
    void setAllowsSelection(bool allows) { allowsSelection_ = allows; }
    bool allowsSelectionDuringEditing() const { return allowsSelectionDuringEditing_; }
    void setAllowsSelectionDuringEditing(bool allows) { allowsSelectionDuringEditing_ = allows; }
    bool allowsMultipleSelection() const { return allowsMultipleSelection_; }
    void setAllowsMultipleSelection(bool allows) { allowsMultipleSelection_ = allows; }

    bool isEditing() const { return editing_; }
    void setEditing(bool editing, bool animated = false);

    // Data.
    void reloadData();
    int numberOfSections() const { return static_cast<int>(sections_.size()); }
    int numberOfRowsInSection(int section) const;
    void beginUpdates();
    void endUpdates();
    void insertSections(const std::vector<int>& sections, TableViewRowAnimation animation);
    void deleteSections(const std::vector<int>& sections, TableViewRowAnimation animation);
    void reloadSections(const std::vector<int>& sections, TableViewRowAnimation animation);
    void insertRowsAtIndexPaths(const std::vector<IndexPath>& paths,
                                TableViewRowAnimation animation);
    void deleteRowsAtIndexPaths(const std::vector<IndexPath>& paths,
                                TableViewRowAnimation animation);
    void reloadRowsAtIndexPaths(const std::vector<IndexPath>& paths,
                                TableViewRowAnimation animation);
    void moveRowAtIndexPath(IndexPath from, IndexPath to);

    // Cells.
    TableViewCell::Ptr dequeueReusableCellWithIdentifier(const std::string& identifier);
    // With a registered factory the dequeue always answers a cell.
    void registerCell(const std::string& identifier, CellFactory factory);
    TableViewCell::Ptr dequeueReusableCell(const std::string& identifier, IndexPath indexPath);
    // The cell of a visible row; nullptr for a row off screen.
    TableViewCell::Ptr cellForRowAtIndexPath(IndexPath indexPath) const;
    // The cell that shows a row, on screen or not: the visible cell, or one
    // the data source configures for a row off screen (as scrolling to it
    // would), handed back to the reuse queue at once. nullptr for no row.
    TableViewCell::Ptr cellShowingRow(IndexPath indexPath);
    std::vector<TableViewCell::Ptr> visibleCells() const;
    std::vector<IndexPath> indexPathsForVisibleRows() const;
    std::optional<IndexPath> indexPathForCell(const TableViewCell& cell) const;
    View::Ptr headerViewForSection(int section) const;
    View::Ptr footerViewForSection(int section) const;
    std::optional<std::string> titleForHeaderInSection(int section) const;

    // Geometry, in content coordinates.
    graphics::Rect rectForRowAtIndexPath(IndexPath indexPath) const;
    graphics::Rect rectForSection(int section) const;
    graphics::Rect rectForHeaderInSection(int section) const;
    std::optional<IndexPath> indexPathForRowAtPoint(graphics::Point point) const;
    void scrollToRowAtIndexPath(IndexPath indexPath, TableViewScrollPosition position,
                                bool animated);

    // Selection from code: no delegate calls.
    void selectRowAtIndexPath(std::optional<IndexPath> indexPath, bool animated,
                              TableViewScrollPosition position);
    void deselectRowAtIndexPath(IndexPath indexPath, bool animated);
    std::optional<IndexPath> indexPathForSelectedRow() const;
    std::vector<IndexPath> indexPathsForSelectedRows() const { return selected_; }

    // What a finger does. Tapping a row asks willSelect (which may refuse or
    // redirect), deselects the previous row (single selection), selects and
    // tells didSelect; answers the row selected.
    std::optional<IndexPath> tapRowAtIndexPath(IndexPath indexPath);
    void tapAccessoryButton(IndexPath indexPath);
    // Swipe to delete outside editing mode: shows the delete button when the
    // row is editable with the delete style. Answers whether it shows.
    bool swipeToDelete(IndexPath indexPath);
    // In editing mode: the row's editing control (delete shows the delete
    // button, insert commits at once).
    bool tapEditingControl(IndexPath indexPath);
    // The delete button shown by a swipe or the editing control: commits.
    bool tapDeleteConfirmation(IndexPath indexPath);
    // Drags a row in editing mode over `proposed`: the delegate picks the
    // target, the data source moves its data, the table follows without
    // asking for counts. Answers the target; nothing when the row cannot move.
    std::optional<IndexPath> moveRowByUser(IndexPath from, IndexPath proposed);

    void setBounds(const graphics::Rect& bounds) override;
    void setFrame(const graphics::Rect& frame) override;
    void layoutSubviews() override;
    std::string outlineText() const override;
    bool outlinesSubviews() const override { return false; }

  private:
    struct Section {
        std::vector<double> rowHeights;
        std::optional<std::string> headerTitle;
        std::optional<std::string> footerTitle;
        View::Ptr headerView;
        View::Ptr footerView;
        double headerHeight = 0;
        double footerHeight = 0;
        double top = 0;
    };
    struct Update {
        enum Kind {
            insertSection,
            deleteSection,
            reloadSection,
            insertRow,
            deleteRow,
            reloadRow
        } kind;
        IndexPath path;
    };

    Section loadSection(TableViewDataSource& source, int section);
    double rowHeightFor(IndexPath indexPath);
    void computeGeometry();
    void tile(bool reloadAll);
    void enqueue(const TableViewCell::Ptr& cell);
    void configure(TableViewCell& cell, IndexPath indexPath);
    void apply(std::vector<Update> updates);
    std::optional<TableViewCellEditingStyle> editingStyleFor(IndexPath indexPath);
    bool valid(IndexPath indexPath) const;

    TableViewStyle style_;
    std::weak_ptr<TableViewDataSource> dataSource_;
    std::weak_ptr<TableViewDelegate> delegate_;
    double rowHeight_ = TableViewCell::kDefaultHeight;
    double estimatedRowHeight_ = 0;
    double sectionHeaderHeight_;
    double sectionFooterHeight_;
    View::Ptr tableHeaderView_;
    View::Ptr tableFooterView_;
    TableViewCellSeparatorStyle separatorStyle_ = TableViewCellSeparatorStyle::singleLine;
    bool allowsSelection_ = true;
    bool allowsSelectionDuringEditing_ = false;
    bool allowsMultipleSelection_ = false;
    bool editing_ = false;
    bool loaded_ = false;
    std::vector<Section> sections_;
    std::map<IndexPath, TableViewCell::Ptr> visible_;
    std::map<std::string, std::vector<TableViewCell::Ptr>> reuse_;
    std::map<std::string, CellFactory> factories_;
    std::vector<IndexPath> selected_;
    int updateDepth_ = 0;
    std::vector<Update> pending_;
    bool tiling_ = false;
};

}  // namespace ui
