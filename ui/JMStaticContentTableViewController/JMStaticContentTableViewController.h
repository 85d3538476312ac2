#pragma once

// A table screen whose rows are described in code rather than fed by a data
// source: sections of row descriptors, each with a block that configures its
// table cell and a block run when the row is tapped. Screens subclass it and
// add their sections in viewDidLoad.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/TableViewController.h"
#include "ui/JMStaticContentTableViewController/JMStaticContentTableViewSection.h"

class JMStaticContentTableViewController : public ui::TableViewController {
  public:
    using SectionBlock =
        std::function<void(JMStaticContentTableViewSection& section, std::size_t sectionIndex)>;

    explicit JMStaticContentTableViewController(
        ui::TableViewStyle style = ui::TableViewStyle::plain);

    const std::vector<JMStaticContentTableViewSection::Ptr>& staticContentSections() const {
        return sections_;
    }
    // Fills a new last section; the table is not reloaded.
    JMStaticContentTableViewSection::Ptr addSection(const SectionBlock& block);
    JMStaticContentTableViewSection::Ptr insertSection(const SectionBlock& block, std::size_t index,
                                                       bool animated = true,
                                                       bool updateView = true);
    void removeSectionAtIndex(std::size_t index, bool animated = true);
    void reloadSectionAtIndex(std::size_t index, bool animated = true);
    JMStaticContentTableViewSection::Ptr sectionAtIndex(std::size_t index) const;
    JMStaticContentTableViewCell::Ptr insertCell(
        JMStaticContentTableViewCell::ConfigureBlock configure,
        JMStaticContentTableViewCell::WhenSelectedBlock whenSelected, ui::IndexPath indexPath,
        bool animated);
    void removeAllSections() { sections_.clear(); }

    // Text shown above (below) the table once the view is loaded; nullopt
    // removes it.
    const std::optional<std::string>& headerText() const { return headerText_; }
    void setHeaderText(std::optional<std::string> text);
    const std::optional<std::string>& footerText() const { return footerText_; }
    void setFooterText(std::optional<std::string> text);

    void viewDidLoad() override;
    int numberOfSectionsInTableView(ui::TableView& table) override;
    int numberOfRowsInSection(ui::TableView& table, int section) override;
    ui::TableViewCell::Ptr cellForRowAtIndexPath(ui::TableView& table,
                                                 ui::IndexPath indexPath) override;
    std::optional<std::string> titleForHeaderInSection(ui::TableView& table, int section) override;
    std::optional<std::string> titleForFooterInSection(ui::TableView& table, int section) override;
    ui::View::Ptr viewForHeaderInSection(ui::TableView& table, int section) override;
    ui::View::Ptr viewForFooterInSection(ui::TableView& table, int section) override;
    std::optional<double> heightForHeaderInSection(ui::TableView& table, int section) override;
    std::optional<double> heightForFooterInSection(ui::TableView& table, int section) override;
    std::optional<double> heightForRowAtIndexPath(ui::TableView& table,
                                                  ui::IndexPath indexPath) override;
    std::optional<ui::TableViewCellEditingStyle> editingStyleForRowAtIndexPath(
        ui::TableView& table, ui::IndexPath indexPath) override;
    bool canEditRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    bool canMoveRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;
    void scrollViewDidEndDragging(ui::ScrollView& scrollView, bool willDecelerate) override;

  private:
    JMStaticContentTableViewSection::Ptr makeSection(const SectionBlock& block, std::size_t index);
    void updateSectionIndexes();
    JMStaticContentTableViewCell::Ptr descriptorAt(ui::IndexPath indexPath) const;
    ui::View::Ptr textView(const std::string& text, bool header) const;

    std::vector<JMStaticContentTableViewSection::Ptr> sections_;
    std::optional<std::string> headerText_;
    std::optional<std::string> footerText_;
};
