#pragma once

// One section of a static-content table: its rows in order, its titles and
// views. Adding, inserting and reloading rows keep each row's index path
// current; a removal leaves the later rows' paths until the next of those.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/TableView.h"
#include "platform/ui/View.h"
#include "ui/JMStaticContentTableViewController/JMStaticContentTableViewCell.h"

class JMStaticContentTableViewSection {
  public:
    using Ptr = std::shared_ptr<JMStaticContentTableViewSection>;
    using ConfigureBlock = JMStaticContentTableViewCell::ConfigureBlock;
    using WhenSelectedBlock = JMStaticContentTableViewCell::WhenSelectedBlock;

    // Seconds after an animated removal until the table reloads.
    static constexpr double kReloadDelayAfterRemoval = 0.4;

    std::weak_ptr<ui::TableView> tableView;
    std::optional<std::string> headerTitle;
    std::optional<std::string> footerTitle;
    ui::View::Ptr headerView;
    ui::View::Ptr footerView;
    int sectionIndex = 0;

    const std::vector<JMStaticContentTableViewCell::Ptr>& staticContentCells() const {
        return cells_;
    }

    JMStaticContentTableViewCell::Ptr addCell(ConfigureBlock configure,
                                              WhenSelectedBlock whenSelected = nullptr);
    JMStaticContentTableViewCell::Ptr addCell(ConfigureBlock configure, bool animated);
    JMStaticContentTableViewCell::Ptr insertCell(ConfigureBlock configure,
                                                 WhenSelectedBlock whenSelected,
                                                 ui::IndexPath indexPath, bool animated,
                                                 bool updateView = true);
    void reloadCellAtIndex(std::size_t index, bool animated = true);
    void removeCellAtIndex(std::size_t index, bool animated = true);
    void removeAllCells() { cells_.clear(); }
    void updateCellIndexPaths();

    std::string description() const;

  private:
    std::vector<JMStaticContentTableViewCell::Ptr> cells_;
};
