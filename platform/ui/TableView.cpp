#include "platform/ui/TableView.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <stdexcept>

#include "platform/ui/Outline.h"

namespace ui {

TableView::TableView(const graphics::Rect& frame, TableViewStyle style)
    : ScrollView(frame),
      style_(style),
      sectionHeaderHeight_(style == TableViewStyle::plain ? 22 : 38),
      sectionFooterHeight_(style == TableViewStyle::plain ? 22 : 38) {
    setAlwaysBounceVertical(true);
}

void TableView::setTableDelegate(const std::weak_ptr<TableViewDelegate>& delegate) {
    delegate_ = delegate;
    std::weak_ptr<ScrollViewDelegate> scroll = delegate.lock();
    setDelegate(scroll);
}

void TableView::setTableHeaderView(View::Ptr view) {
    if (tableHeaderView_) {
        tableHeaderView_->removeFromSuperview();
    }
    tableHeaderView_ = std::move(view);
    if (tableHeaderView_) {
        addSubview(tableHeaderView_);
    }
    computeGeometry();
    tile(false);
}

void TableView::setTableFooterView(View::Ptr view) {
    if (tableFooterView_) {
        tableFooterView_->removeFromSuperview();
    }
    tableFooterView_ = std::move(view);
    if (tableFooterView_) {
        addSubview(tableFooterView_);
    }
    computeGeometry();
    tile(false);
}

void TableView::setEditing(bool editing, bool animated) {
    editing_ = editing;
    for (const auto& [path, cell] : visible_) {
        cell->setShowingDeleteConfirmation(false);
        cell->setEditing(editing, animated);
    }
}

int TableView::numberOfRowsInSection(int section) const {
    if (section < 0 || section >= numberOfSections()) {
        return 0;
    }
    return static_cast<int>(sections_[static_cast<std::size_t>(section)].rowHeights.size());
}

bool TableView::valid(IndexPath p) const {
    return p.section >= 0 && p.section < numberOfSections() && p.row >= 0 &&
           p.row < numberOfRowsInSection(p.section);
}

double TableView::rowHeightFor(IndexPath indexPath) {
    std::optional<double> height;
    if (auto d = tableDelegate()) {
        height = d->heightForRowAtIndexPath(*this, indexPath);
    }
    double h = height.value_or(rowHeight_);
    return h < 0 ? TableViewCell::kDefaultHeight : h;
}

TableView::Section TableView::loadSection(TableViewDataSource& source, int s) {
    Section section;
    int rows = std::max(0, source.numberOfRowsInSection(*this, s));
    for (int r = 0; r < rows; ++r) {
        section.rowHeights.push_back(rowHeightFor({s, r}));
    }
    section.headerTitle = source.titleForHeaderInSection(*this, s);
    section.footerTitle = source.titleForFooterInSection(*this, s);
    auto d = tableDelegate();
    section.headerView = d ? d->viewForHeaderInSection(*this, s) : nullptr;
    section.footerView = d ? d->viewForFooterInSection(*this, s) : nullptr;
    auto headerDefault = section.headerView    ? section.headerView->frame().size.height
                         : section.headerTitle ? sectionHeaderHeight_
                         : style_ == TableViewStyle::grouped ? 10.0
                                                             : 0.0;
    auto footerDefault = section.footerView    ? section.footerView->frame().size.height
                         : section.footerTitle ? sectionFooterHeight_
                         : style_ == TableViewStyle::grouped ? 10.0
                                                             : 0.0;
    section.headerHeight =
        (d ? d->heightForHeaderInSection(*this, s) : std::nullopt).value_or(headerDefault);
    section.footerHeight =
        (d ? d->heightForFooterInSection(*this, s) : std::nullopt).value_or(footerDefault);
    return section;
}

void TableView::reloadData() {
    loaded_ = true;
    for (const auto& section : sections_) {
        for (const auto& view : {section.headerView, section.footerView}) {
            if (view) {
                view->removeFromSuperview();
            }
        }
    }
    sections_.clear();
    selected_.clear();
    if (auto source = dataSource()) {
        int count = std::max(0, source->numberOfSectionsInTableView(*this));
        for (int s = 0; s < count; ++s) {
            sections_.push_back(loadSection(*source, s));
        }
    }
    computeGeometry();
    tile(true);
}

void TableView::computeGeometry() {
    double width = bounds().size.width;
    double y = 0;
    if (tableHeaderView_) {
        auto h = tableHeaderView_->frame().size.height;
        tableHeaderView_->setFrame(graphics::Rect(0, 0, width, h));
        y = h;
    }
    for (auto& section : sections_) {
        section.top = y;
        if (section.headerView) {
            section.headerView->setFrame(graphics::Rect(0, y, width, section.headerHeight));
            if (section.headerView->superview().get() != this) {
                addSubview(section.headerView);
            }
        }
        y += section.headerHeight;
        for (double h : section.rowHeights) {
            y += h;
        }
        if (section.footerView) {
            section.footerView->setFrame(graphics::Rect(0, y, width, section.footerHeight));
            if (section.footerView->superview().get() != this) {
                addSubview(section.footerView);
            }
        }
        y += section.footerHeight;
    }
    if (tableFooterView_) {
        auto h = tableFooterView_->frame().size.height;
        tableFooterView_->setFrame(graphics::Rect(0, y, width, h));
        y += h;
    }
    setContentSize({width, y});
}

graphics::Rect TableView::rectForRowAtIndexPath(IndexPath p) const {
    if (!valid(p)) {
        return {};
    }
    const auto& section = sections_[static_cast<std::size_t>(p.section)];
    double y = section.top + section.headerHeight;
    for (int r = 0; r < p.row; ++r) {
        y += section.rowHeights[static_cast<std::size_t>(r)];
    }
    return graphics::Rect(0, y, bounds().size.width,
                          section.rowHeights[static_cast<std::size_t>(p.row)]);
}

graphics::Rect TableView::rectForSection(int s) const {
    if (s < 0 || s >= numberOfSections()) {
        return {};
    }
    const auto& section = sections_[static_cast<std::size_t>(s)];
    double h = section.headerHeight + section.footerHeight;
    for (double r : section.rowHeights) {
        h += r;
    }
    return graphics::Rect(0, section.top, bounds().size.width, h);
}

graphics::Rect TableView::rectForHeaderInSection(int s) const {
    if (s < 0 || s >= numberOfSections()) {
        return {};
    }
    const auto& section = sections_[static_cast<std::size_t>(s)];
    return graphics::Rect(0, section.top, bounds().size.width, section.headerHeight);
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(graphics::Point point) const {
    for (int s = 0; s < numberOfSections(); ++s) {
        for (int r = 0; r < numberOfRowsInSection(s); ++r) {
            if (rectForRowAtIndexPath({s, r}).contains(point)) {
                return IndexPath{s, r};
            }
        }
    }
    return std::nullopt;
}

void TableView::enqueue(const TableViewCell::Ptr& cell) {
    cell->removeFromSuperview();
    if (!cell->reuseIdentifier().empty()) {
        reuse_[cell->reuseIdentifier()].push_back(cell);
    }
}

void TableView::configure(TableViewCell& cell, IndexPath indexPath) {
    cell.setFrame(rectForRowAtIndexPath(indexPath));
    cell.setEditing(editing_);
    cell.setSelected(std::find(selected_.begin(), selected_.end(), indexPath) != selected_.end());
}

void TableView::tile(bool reloadAll) {
    if (tiling_ || !loaded_) {
        return;
    }
    tiling_ = true;
    if (reloadAll) {
        for (const auto& [path, cell] : visible_) {
            enqueue(cell);
        }
        visible_.clear();
    }
    auto viewport = bounds();
    std::set<IndexPath> wanted;
    for (int s = 0; s < numberOfSections(); ++s) {
        if (!rectForSection(s).intersects(viewport)) {
            continue;
        }
        for (int r = 0; r < numberOfRowsInSection(s); ++r) {
            auto rect = rectForRowAtIndexPath({s, r});
            if (rect.size.height > 0 && rect.intersects(viewport)) {
                wanted.insert({s, r});
            }
        }
    }
    for (auto it = visible_.begin(); it != visible_.end();) {
        if (!wanted.count(it->first)) {
            enqueue(it->second);
            it = visible_.erase(it);
        } else {
            ++it;
        }
    }
    auto source = dataSource();
    for (const auto& path : wanted) {
        if (visible_.count(path) || !source) {
            continue;
        }
        auto cell = source->cellForRowAtIndexPath(*this, path);
        if (!cell) {
            throw std::logic_error("TableView: the data source gave no cell for row " +
                                   path.description());
        }
        configure(*cell, path);
        insertSubview(cell, 0);
        visible_[path] = cell;
        if (auto d = tableDelegate()) {
            d->willDisplayCell(*this, *cell, path);
        }
        cell->layoutIfNeeded();
    }
    for (const auto& [path, cell] : visible_) {
        configure(*cell, path);
    }
    tiling_ = false;
}

void TableView::setBounds(const graphics::Rect& bounds) {
    ScrollView::setBounds(bounds);
    tile(false);
}

void TableView::setFrame(const graphics::Rect& frame) {
    auto oldWidth = this->bounds().size.width;
    ScrollView::setFrame(frame);
    if (this->bounds().size.width != oldWidth) {
        computeGeometry();
    }
    tile(false);
}

void TableView::layoutSubviews() {
    if (!loaded_ && dataSource()) {
        reloadData();
    } else {
        tile(false);
    }
}

TableViewCell::Ptr TableView::dequeueReusableCellWithIdentifier(const std::string& identifier) {
    auto it = reuse_.find(identifier);
    if (it == reuse_.end() || it->second.empty()) {
        return nullptr;
    }
    auto cell = it->second.back();
    it->second.pop_back();
    cell->prepareForReuse();
    return cell;
}

void TableView::registerCell(const std::string& identifier, CellFactory factory) {
    factories_[identifier] = std::move(factory);
}

TableViewCell::Ptr TableView::dequeueReusableCell(const std::string& identifier, IndexPath) {
    if (auto cell = dequeueReusableCellWithIdentifier(identifier)) {
        return cell;
    }
    auto it = factories_.find(identifier);
    if (it == factories_.end()) {
        throw std::logic_error("TableView: no cell registered for the identifier " + identifier);
    }
    return it->second(identifier);
}

TableViewCell::Ptr TableView::cellForRowAtIndexPath(IndexPath indexPath) const {
    auto it = visible_.find(indexPath);
    return it == visible_.end() ? nullptr : it->second;
}

TableViewCell::Ptr TableView::cellShowingRow(IndexPath indexPath) {
    if (auto cell = cellForRowAtIndexPath(indexPath)) {
        return cell;
    }
    auto source = dataSource();
    if (!valid(indexPath) || !source) {
        return nullptr;
    }
    auto cell = source->cellForRowAtIndexPath(*this, indexPath);
    if (!cell) {
        return nullptr;
    }
    configure(*cell, indexPath);
    if (!cell->superview()) {
        enqueue(cell);
    }
    return cell;
}

std::vector<TableViewCell::Ptr> TableView::visibleCells() const {
    std::vector<TableViewCell::Ptr> cells;
    for (const auto& [path, cell] : visible_) {
        cells.push_back(cell);
    }
    return cells;
}

std::vector<IndexPath> TableView::indexPathsForVisibleRows() const {
    std::vector<IndexPath> paths;
    for (const auto& [path, cell] : visible_) {
        paths.push_back(path);
    }
    return paths;
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell& cell) const {
    for (const auto& [path, c] : visible_) {
        if (c.get() == &cell) {
            return path;
        }
    }
    return std::nullopt;
}

View::Ptr TableView::headerViewForSection(int section) const {
    return section >= 0 && section < numberOfSections()
               ? sections_[static_cast<std::size_t>(section)].headerView
               : nullptr;
}

View::Ptr TableView::footerViewForSection(int section) const {
    return section >= 0 && section < numberOfSections()
               ? sections_[static_cast<std::size_t>(section)].footerView
               : nullptr;
}

std::optional<std::string> TableView::titleForHeaderInSection(int section) const {
    return section >= 0 && section < numberOfSections()
               ? sections_[static_cast<std::size_t>(section)].headerTitle
               : std::nullopt;
}

void TableView::scrollToRowAtIndexPath(IndexPath indexPath, TableViewScrollPosition position,
                                       bool animated) {
    if (!valid(indexPath)) {
        return;
    }
    auto row = rectForRowAtIndexPath(indexPath);
    auto b = bounds();
    double y = b.origin.y;
    switch (position) {
        case TableViewScrollPosition::top:
            y = row.minY();
            break;
        case TableViewScrollPosition::middle:
            y = row.midY() - b.size.height / 2;
            break;
        case TableViewScrollPosition::bottom:
            y = row.maxY() - b.size.height;
            break;
        case TableViewScrollPosition::none:
            scrollRectToVisible(row, animated);
            return;
    }
    y = std::clamp(y, minimumContentOffset().y, maximumContentOffset().y);
    setContentOffset({b.origin.x, y}, animated);
}

void TableView::selectRowAtIndexPath(std::optional<IndexPath> indexPath, bool animated,
                                     TableViewScrollPosition position) {
    if (!allowsMultipleSelection_ || !indexPath) {
        for (const auto& p : std::vector<IndexPath>(selected_)) {
            deselectRowAtIndexPath(p, animated);
        }
    }
    if (!indexPath || !valid(*indexPath)) {
        return;
    }
    if (std::find(selected_.begin(), selected_.end(), *indexPath) == selected_.end()) {
        selected_.push_back(*indexPath);
    }
    if (position != TableViewScrollPosition::none) {
        scrollToRowAtIndexPath(*indexPath, position, animated);
    }
    if (auto cell = cellForRowAtIndexPath(*indexPath)) {
        cell->setSelected(true, animated);
    }
}

void TableView::deselectRowAtIndexPath(IndexPath indexPath, bool animated) {
    selected_.erase(std::remove(selected_.begin(), selected_.end(), indexPath), selected_.end());
    if (auto cell = cellForRowAtIndexPath(indexPath)) {
        cell->setSelected(false, animated);
    }
}

std::optional<IndexPath> TableView::indexPathForSelectedRow() const {
    if (selected_.empty()) {
        return std::nullopt;
    }
    return *std::min_element(selected_.begin(), selected_.end());
}

std::optional<IndexPath> TableView::tapRowAtIndexPath(IndexPath indexPath) {
    if (!valid(indexPath) || !allowsSelection_ || (editing_ && !allowsSelectionDuringEditing_)) {
        return std::nullopt;
    }
    auto keep = shared_from_this();
    auto d = tableDelegate();
    std::optional<IndexPath> target = d ? d->willSelectRowAtIndexPath(*this, indexPath) : indexPath;
    if (!target || !valid(*target)) {
        return std::nullopt;
    }
    if (allowsMultipleSelection_ &&
        std::find(selected_.begin(), selected_.end(), *target) != selected_.end()) {
        auto deselect = d ? d->willDeselectRowAtIndexPath(*this, *target) : target;
        if (deselect) {
            deselectRowAtIndexPath(*deselect, false);
            if (d) {
                d->didDeselectRowAtIndexPath(*this, *deselect);
            }
        }
        return std::nullopt;
    }
    if (!allowsMultipleSelection_) {
        for (const auto& previous : std::vector<IndexPath>(selected_)) {
            if (previous == *target) {
                continue;
            }
            auto deselect = d ? d->willDeselectRowAtIndexPath(*this, previous) : previous;
            if (deselect) {
                deselectRowAtIndexPath(*deselect, false);
                if (d) {
                    d->didDeselectRowAtIndexPath(*this, *deselect);
                }
            }
        }
    }
    if (std::find(selected_.begin(), selected_.end(), *target) == selected_.end()) {
        selected_.push_back(*target);
    }
    if (auto cell = cellForRowAtIndexPath(*target)) {
        cell->setSelected(true, false);
    }
    if (d) {
        d->didSelectRowAtIndexPath(*this, *target);
    }
    return target;
}

void TableView::tapAccessoryButton(IndexPath indexPath) {
    if (auto d = tableDelegate(); d && valid(indexPath)) {
        d->accessoryButtonTappedForRowWithIndexPath(*this, indexPath);
    }
}

std::optional<TableViewCellEditingStyle> TableView::editingStyleFor(IndexPath indexPath) {
    auto source = dataSource();
    if (!source || !valid(indexPath) || !source->canEditRowAtIndexPath(*this, indexPath)) {
        return std::nullopt;
    }
    auto d = tableDelegate();
    auto style = d ? d->editingStyleForRowAtIndexPath(*this, indexPath) : std::nullopt;
    return style.value_or(TableViewCellEditingStyle::remove);
}

bool TableView::swipeToDelete(IndexPath indexPath) {
    if (editing_ || editingStyleFor(indexPath) != TableViewCellEditingStyle::remove) {
        return false;
    }
    if (auto d = tableDelegate()) {
        d->willBeginEditingRowAtIndexPath(*this, indexPath);
    }
    if (auto cell = cellForRowAtIndexPath(indexPath)) {
        cell->setShowingDeleteConfirmation(true);
    }
    return true;
}

bool TableView::tapEditingControl(IndexPath indexPath) {
    if (!editing_) {
        return false;
    }
    auto source = dataSource();
    auto style = editingStyleFor(indexPath);
    if (style == TableViewCellEditingStyle::remove) {
        if (auto cell = cellForRowAtIndexPath(indexPath)) {
            cell->setShowingDeleteConfirmation(true);
        }
        return true;
    }
    if (source && style == TableViewCellEditingStyle::insert) {
        source->commitEditingStyle(*this, TableViewCellEditingStyle::insert, indexPath);
        return true;
    }
    return false;
}

bool TableView::tapDeleteConfirmation(IndexPath indexPath) {
    auto source = dataSource();
    if (!source || editingStyleFor(indexPath) != TableViewCellEditingStyle::remove) {
        return false;
    }
    auto keep = shared_from_this();
    bool swiped = !editing_;
    if (auto cell = cellForRowAtIndexPath(indexPath)) {
        cell->setShowingDeleteConfirmation(false);
    }
    source->commitEditingStyle(*this, TableViewCellEditingStyle::remove, indexPath);
    if (swiped) {
        if (auto d = tableDelegate()) {
            d->didEndEditingRowAtIndexPath(*this, indexPath);
        }
    }
    return true;
}

std::optional<IndexPath> TableView::moveRowByUser(IndexPath from, IndexPath proposed) {
    auto source = dataSource();
    if (!editing_ || !source || !valid(from) || !source->canMoveRowAtIndexPath(*this, from)) {
        return std::nullopt;
    }
    auto d = tableDelegate();
    IndexPath target = d ? d->targetIndexPathForMove(*this, from, proposed) : proposed;
    if (target.section < 0 || target.section >= numberOfSections()) {
        return std::nullopt;
    }
    int limit = numberOfRowsInSection(target.section) - (target.section == from.section ? 1 : 0);
    target.row = std::clamp(target.row, 0, limit);
    source->moveRowAtIndexPath(*this, from, target);
    moveRowAtIndexPath(from, target);
    return target;
}

void TableView::moveRowAtIndexPath(IndexPath from, IndexPath to) {
    if (!valid(from) || to.section < 0 || to.section >= numberOfSections()) {
        return;
    }
    auto& source = sections_[static_cast<std::size_t>(from.section)].rowHeights;
    double height = source[static_cast<std::size_t>(from.row)];
    source.erase(source.begin() + from.row);
    auto& target = sections_[static_cast<std::size_t>(to.section)].rowHeights;
    to.row = std::clamp(to.row, 0, static_cast<int>(target.size()));
    target.insert(target.begin() + to.row, height);
    selected_.clear();
    computeGeometry();
    tile(true);
}

void TableView::beginUpdates() {
    ++updateDepth_;
}

void TableView::endUpdates() {
    if (updateDepth_ > 0 && --updateDepth_ == 0) {
        apply(std::move(pending_));
        pending_.clear();
    }
}

void TableView::insertSections(const std::vector<int>& sections, TableViewRowAnimation) {
    for (int s : sections) {
        pending_.push_back({Update::insertSection, {s, 0}});
    }
    if (updateDepth_ == 0) {
        apply(std::move(pending_));
        pending_.clear();
    }
}

void TableView::deleteSections(const std::vector<int>& sections, TableViewRowAnimation) {
    for (int s : sections) {
        pending_.push_back({Update::deleteSection, {s, 0}});
    }
    if (updateDepth_ == 0) {
        apply(std::move(pending_));
        pending_.clear();
    }
}

void TableView::reloadSections(const std::vector<int>& sections, TableViewRowAnimation) {
    for (int s : sections) {
        pending_.push_back({Update::reloadSection, {s, 0}});
    }
    if (updateDepth_ == 0) {
        apply(std::move(pending_));
        pending_.clear();
    }
}

void TableView::insertRowsAtIndexPaths(const std::vector<IndexPath>& paths, TableViewRowAnimation) {
    for (auto p : paths) {
        pending_.push_back({Update::insertRow, p});
    }
    if (updateDepth_ == 0) {
        apply(std::move(pending_));
        pending_.clear();
    }
}

void TableView::deleteRowsAtIndexPaths(const std::vector<IndexPath>& paths, TableViewRowAnimation) {
    for (auto p : paths) {
        pending_.push_back({Update::deleteRow, p});
    }
    if (updateDepth_ == 0) {
        apply(std::move(pending_));
        pending_.clear();
    }
}

void TableView::reloadRowsAtIndexPaths(const std::vector<IndexPath>& paths, TableViewRowAnimation) {
    for (auto p : paths) {
        pending_.push_back({Update::reloadRow, p});
    }
    if (updateDepth_ == 0) {
        apply(std::move(pending_));
        pending_.clear();
    }
}

void TableView::apply(std::vector<Update> updates) {
    auto source = dataSource();
    if (updates.empty() || !source || !loaded_) {
        return;
    }
    std::set<int> deletedSections, insertedSections, reloadedSections;
    std::map<int, int> rowDeletes, rowInserts;
    std::set<IndexPath> deletedRows;
    for (const auto& u : updates) {
        switch (u.kind) {
            case Update::insertSection:
                insertedSections.insert(u.path.section);
                break;
            case Update::deleteSection:
                deletedSections.insert(u.path.section);
                break;
            case Update::reloadSection:
                reloadedSections.insert(u.path.section);
                break;
            case Update::insertRow:
                ++rowInserts[u.path.section];
                break;
            case Update::deleteRow:
                ++rowDeletes[u.path.section];
                deletedRows.insert(u.path);
                break;
            case Update::reloadRow:
                break;
        }
    }
    int oldCount = numberOfSections();
    int newCount = std::max(0, source->numberOfSectionsInTableView(*this));
    int expectedSections = oldCount - static_cast<int>(deletedSections.size()) +
                           static_cast<int>(insertedSections.size());
    if (newCount != expectedSections) {
        throw std::logic_error(
            "Invalid update: invalid number of sections. The number of sections after the update "
            "(" +
            std::to_string(newCount) + ") must be equal to the number before (" +
            std::to_string(oldCount) + "), plus or minus the number inserted or deleted.");
    }
    // Old sections that survive, in order, land on the new indexes that were not inserted.
    std::vector<int> survivors;
    for (int s = 0; s < oldCount; ++s) {
        if (!deletedSections.count(s)) {
            survivors.push_back(s);
        }
    }
    std::map<int, int> oldToNew;
    std::vector<Section> fresh;
    std::size_t next = 0;
    for (int s = 0; s < newCount; ++s) {
        auto section = loadSection(*source, s);
        if (!insertedSections.count(s) && next < survivors.size()) {
            int old = survivors[next++];
            oldToNew[old] = s;
            if (!reloadedSections.count(old)) {
                int expected = numberOfRowsInSection(old) - rowDeletes[old] + rowInserts[s];
                int actual = static_cast<int>(section.rowHeights.size());
                if (actual != expected) {
                    throw std::logic_error(
                        "Invalid update: invalid number of rows in section " + std::to_string(s) +
                        ". The number of rows after the update (" + std::to_string(actual) +
                        ") must be equal to the number before (" +
                        std::to_string(numberOfRowsInSection(old)) +
                        "), plus or minus the number inserted or deleted.");
                }
            }
        }
        fresh.push_back(std::move(section));
    }
    // Selection follows its row; selected rows that went are no longer selected.
    std::vector<IndexPath> selection;
    for (auto p : selected_) {
        if (!oldToNew.count(p.section) || deletedRows.count(p) ||
            reloadedSections.count(p.section)) {
            continue;
        }
        int removedBefore = 0;
        for (const auto& d : deletedRows) {
            removedBefore += d.section == p.section && d.row < p.row;
        }
        selection.push_back({oldToNew[p.section], p.row - removedBefore});
    }
    for (auto& p : selection) {
        for (const auto& u : updates) {
            if (u.kind == Update::insertRow && u.path.section == p.section && u.path.row <= p.row) {
                ++p.row;
            }
        }
    }
    for (const auto& section : sections_) {
        for (const auto& view : {section.headerView, section.footerView}) {
            if (view) {
                view->removeFromSuperview();
            }
        }
    }
    sections_ = std::move(fresh);
    selected_ = std::move(selection);
    computeGeometry();
    tile(true);
}

std::string TableView::outlineText() const {
    std::string out = "TableView";
    if (tableHeaderView_) {
        // A header without a line of its own speaks through its subviews.
        std::string header = tableHeaderView_->outlineText();
        if (header.empty()) {
            header = Outline::describeView(*tableHeaderView_);
        }
        std::istringstream lines(header);
        for (std::string line; std::getline(lines, line);) {
            out += "\n  header: " + line;
        }
    }
    // Every row, those outside the visible area marked: the outline is read
    // by people and scripts who cannot scroll. Asking the data source for an
    // off-screen row is what scrolling to it would do, hence the cast.
    auto& table = const_cast<TableView&>(*this);
    for (int s = 0; s < numberOfSections(); ++s) {
        if (numberOfRowsInSection(s) == 0) {
            continue;
        }
        const auto& section = sections_[static_cast<std::size_t>(s)];
        out += "\n  Section " + std::to_string(s);
        if (section.headerTitle) {
            out += " \"" + *section.headerTitle + "\"";
        }
        for (int r = 0; r < numberOfRowsInSection(s); ++r) {
            const IndexPath path{s, r};
            const bool shown = visible_.count(path) > 0;
            auto cell = table.cellShowingRow(path);
            out += "\n    [" + std::to_string(s) + "." + std::to_string(r) + "] " +
                   (cell ? cell->outlineText() : std::string());
            if (cell && cell->isShowingDeleteConfirmation()) {
                out += " [Delete]";
            }
            if (!shown) {
                out += " (off screen)";
            }
        }
    }
    if (tableFooterView_ && !tableFooterView_->outlineText().empty()) {
        out += "\n  footer: " + tableFooterView_->outlineText();
    }
    return out;
}

}  // namespace ui
