#include "ui/JMStaticContentTableViewController/JMStaticContentTableViewSection.h"

#include <sstream>

#include "platform/foundation/RunLoop.h"

namespace {

ui::TableViewRowAnimation animationFor(bool animated) {
    return animated ? ui::TableViewRowAnimation::automatic : ui::TableViewRowAnimation::none;
}

JMStaticContentTableViewCell::Ptr makeCell(
    const JMStaticContentTableViewSection::ConfigureBlock& configure,
    JMStaticContentTableViewSection::WhenSelectedBlock whenSelected,
    std::optional<ui::IndexPath> indexPath) {
    auto cell = std::make_shared<JMStaticContentTableViewCell>();
    cell->configureBlock = configure;
    cell->whenSelectedBlock = std::move(whenSelected);
    cell->indexPath = indexPath;
    if (configure) {
        configure(*cell, nullptr, indexPath);
    }
    return cell;
}

}  // namespace

JMStaticContentTableViewCell::Ptr JMStaticContentTableViewSection::addCell(
    ConfigureBlock configure, WhenSelectedBlock whenSelected) {
    auto cell = makeCell(configure, std::move(whenSelected), std::nullopt);
    cells_.push_back(cell);
    updateCellIndexPaths();
    return cell;
}

JMStaticContentTableViewCell::Ptr JMStaticContentTableViewSection::addCell(ConfigureBlock configure,
                                                                           bool animated) {
    const auto path = ui::IndexPath::forRow(static_cast<int>(cells_.size()), sectionIndex);
    auto cell = makeCell(configure, nullptr, path);
    cells_.push_back(cell);
    if (auto table = tableView.lock()) {
        if (animated) {
            table->insertRowsAtIndexPaths({path}, ui::TableViewRowAnimation::automatic);
        } else {
            table->reloadData();
        }
    }
    return cell;
}

JMStaticContentTableViewCell::Ptr JMStaticContentTableViewSection::insertCell(
    ConfigureBlock configure, WhenSelectedBlock whenSelected, ui::IndexPath indexPath,
    bool animated, bool updateView) {
    auto cell = makeCell(configure, std::move(whenSelected), indexPath);
    const auto row = std::min(static_cast<std::size_t>(std::max(indexPath.row, 0)), cells_.size());
    cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(row), cell);
    updateCellIndexPaths();
    auto table = tableView.lock();
    if (updateView && table) {
        if (animated) {
            table->insertRowsAtIndexPaths({indexPath}, ui::TableViewRowAnimation::automatic);
        } else {
            table->reloadData();
        }
    }
    return cell;
}

void JMStaticContentTableViewSection::reloadCellAtIndex(std::size_t index, bool animated) {
    updateCellIndexPaths();
    if (auto table = tableView.lock()) {
        table->reloadRowsAtIndexPaths(
            {ui::IndexPath::forRow(static_cast<int>(index), sectionIndex)}, animationFor(animated));
    }
}

void JMStaticContentTableViewSection::removeCellAtIndex(std::size_t index, bool animated) {
    if (index >= cells_.size()) {
        return;
    }
    cells_.erase(cells_.begin() + static_cast<std::ptrdiff_t>(index));
    auto table = tableView.lock();
    if (!table) {
        return;
    }
    if (!animated) {
        table->reloadData();
        return;
    }
    table->deleteRowsAtIndexPaths({ui::IndexPath::forRow(static_cast<int>(index), sectionIndex)},
                                  ui::TableViewRowAnimation::automatic);
    std::weak_ptr<ui::TableView> weak = table;
    foundation::RunLoop::main().performAfter(kReloadDelayAfterRemoval, [weak] {
        if (auto shown = weak.lock()) {
            shown->reloadData();
        }
    });
}

void JMStaticContentTableViewSection::updateCellIndexPaths() {
    for (std::size_t row = 0; row < cells_.size(); ++row) {
        cells_[row]->indexPath = ui::IndexPath::forRow(static_cast<int>(row), sectionIndex);
    }
}

std::string JMStaticContentTableViewSection::description() const {
    std::ostringstream text;
    text << "<JMStaticContentTableViewSection sectionIndex: " << sectionIndex;
    if (headerTitle) {
        text << ", headerTitle: " << *headerTitle;
    }
    if (footerTitle) {
        text << ", footerTitle: " << *footerTitle;
    }
    text << ">";
    for (const auto& cell : cells_) {
        text << "\n\t" << cell->description();
    }
    return text.str();
}
