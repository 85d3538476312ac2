#include "ui/JMStaticContentTableViewController/JMStaticContentTableViewController.h"

#include "platform/graphics/Color.h"
#include "platform/ui/Font.h"
#include "platform/ui/Label.h"

JMStaticContentTableViewController::JMStaticContentTableViewController(ui::TableViewStyle style)
    : ui::TableViewController(style) {}

JMStaticContentTableViewSection::Ptr JMStaticContentTableViewController::makeSection(
    const SectionBlock& block, std::size_t index) {
    auto section = std::make_shared<JMStaticContentTableViewSection>();
    section->tableView = tableView();
    section->sectionIndex = static_cast<int>(index);
    if (block) {
        block(*section, index);
    }
    return section;
}

JMStaticContentTableViewSection::Ptr JMStaticContentTableViewController::addSection(
    const SectionBlock& block) {
    auto section = makeSection(block, sections_.size());
    sections_.push_back(section);
    updateSectionIndexes();
    return section;
}

JMStaticContentTableViewSection::Ptr JMStaticContentTableViewController::insertSection(
    const SectionBlock& block, std::size_t index, bool animated, bool updateView) {
    index = std::min(index, sections_.size());
    auto section = makeSection(block, index);
    sections_.insert(sections_.begin() + static_cast<std::ptrdiff_t>(index), section);
    updateSectionIndexes();
    if (updateView) {
        if (animated) {
            tableView()->insertSections({static_cast<int>(index)},
                                        ui::TableViewRowAnimation::automatic);
        } else {
            tableView()->reloadData();
        }
    }
    return section;
}

void JMStaticContentTableViewController::removeSectionAtIndex(std::size_t index, bool animated) {
    if (index >= sections_.size()) {
        return;
    }
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(index));
    updateSectionIndexes();
    if (animated) {
        tableView()->beginUpdates();
        tableView()->deleteSections({static_cast<int>(index)},
                                    ui::TableViewRowAnimation::automatic);
        tableView()->endUpdates();
    } else {
        tableView()->reloadData();
    }
}

void JMStaticContentTableViewController::reloadSectionAtIndex(std::size_t index, bool animated) {
    tableView()->reloadSections(
        {static_cast<int>(index)},
        animated ? ui::TableViewRowAnimation::automatic : ui::TableViewRowAnimation::none);
}

JMStaticContentTableViewSection::Ptr JMStaticContentTableViewController::sectionAtIndex(
    std::size_t index) const {
    return index < sections_.size() ? sections_[index] : nullptr;
}

JMStaticContentTableViewCell::Ptr JMStaticContentTableViewController::insertCell(
    JMStaticContentTableViewCell::ConfigureBlock configure,
    JMStaticContentTableViewCell::WhenSelectedBlock whenSelected, ui::IndexPath indexPath,
    bool animated) {
    auto section = sectionAtIndex(static_cast<std::size_t>(std::max(indexPath.section, 0)));
    return section ? section->insertCell(std::move(configure), std::move(whenSelected), indexPath,
                                         animated)
                   : nullptr;
}

void JMStaticContentTableViewController::updateSectionIndexes() {
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        sections_[i]->sectionIndex = static_cast<int>(i);
    }
}

JMStaticContentTableViewCell::Ptr JMStaticContentTableViewController::descriptorAt(
    ui::IndexPath indexPath) const {
    auto section = sectionAtIndex(static_cast<std::size_t>(std::max(indexPath.section, 0)));
    if (!section || indexPath.row < 0 ||
        static_cast<std::size_t>(indexPath.row) >= section->staticContentCells().size()) {
        return nullptr;
    }
    return section->staticContentCells()[static_cast<std::size_t>(indexPath.row)];
}

void JMStaticContentTableViewController::viewDidLoad() {
    ui::TableViewController::viewDidLoad();
    removeAllSections();
}

int JMStaticContentTableViewController::numberOfSectionsInTableView(ui::TableView&) {
    return static_cast<int>(sections_.size());
}

int JMStaticContentTableViewController::numberOfRowsInSection(ui::TableView&, int section) {
    auto found = sectionAtIndex(static_cast<std::size_t>(std::max(section, 0)));
    return found ? static_cast<int>(found->staticContentCells().size()) : 0;
}

ui::TableViewCell::Ptr JMStaticContentTableViewController::cellForRowAtIndexPath(
    ui::TableView& table, ui::IndexPath indexPath) {
    auto descriptor = descriptorAt(indexPath);
    if (!descriptor) {
        return std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::defaultStyle,
                                                   "DefaultCell");
    }
    auto cell = table.dequeueReusableCellWithIdentifier(descriptor->reuseIdentifier);
    if (!cell) {
        cell =
            descriptor->tableViewCellSubclass(descriptor->cellStyle, descriptor->reuseIdentifier);
    }
    cell->imageView()->setImage(nullptr);
    cell->setAccessoryView(nullptr);
    cell->setAccessoryType(ui::TableViewCellAccessoryType::disclosureIndicator);
    if (descriptor->configureBlock) {
        descriptor->configureBlock(*descriptor, cell, indexPath);
    }
    return cell;
}

std::optional<std::string> JMStaticContentTableViewController::titleForHeaderInSection(
    ui::TableView&, int section) {
    auto found = sectionAtIndex(static_cast<std::size_t>(std::max(section, 0)));
    return found ? found->headerTitle : std::nullopt;
}

std::optional<std::string> JMStaticContentTableViewController::titleForFooterInSection(
    ui::TableView&, int section) {
    auto found = sectionAtIndex(static_cast<std::size_t>(std::max(section, 0)));
    return found ? found->footerTitle : std::nullopt;
}

ui::View::Ptr JMStaticContentTableViewController::viewForHeaderInSection(ui::TableView&,
                                                                         int section) {
    auto found = sectionAtIndex(static_cast<std::size_t>(std::max(section, 0)));
    return found ? found->headerView : nullptr;
}

ui::View::Ptr JMStaticContentTableViewController::viewForFooterInSection(ui::TableView&,
                                                                         int section) {
    auto found = sectionAtIndex(static_cast<std::size_t>(std::max(section, 0)));
    return found ? found->footerView : nullptr;
}

std::optional<double> JMStaticContentTableViewController::heightForHeaderInSection(ui::TableView&,
                                                                                   int section) {
    auto found = sectionAtIndex(static_cast<std::size_t>(std::max(section, 0)));
    return found && found->headerView ? found->headerView->frame().size.height
                                      : ui::TableViewAutomaticDimension;
}

std::optional<double> JMStaticContentTableViewController::heightForFooterInSection(ui::TableView&,
                                                                                   int section) {
    auto found = sectionAtIndex(static_cast<std::size_t>(std::max(section, 0)));
    return found && found->footerView ? found->footerView->frame().size.height
                                      : ui::TableViewAutomaticDimension;
}

std::optional<double> JMStaticContentTableViewController::heightForRowAtIndexPath(
    ui::TableView& table, ui::IndexPath indexPath) {
    auto descriptor = descriptorAt(indexPath);
    if (descriptor && descriptor->cellHeight != ui::TableViewAutomaticDimension) {
        return descriptor->cellHeight;
    }
    if (table.rowHeight() != ui::TableViewAutomaticDimension) {
        return table.rowHeight();
    }
    return ui::TableViewAutomaticDimension;
}

std::optional<ui::TableViewCellEditingStyle>
JMStaticContentTableViewController::editingStyleForRowAtIndexPath(ui::TableView&,
                                                                  ui::IndexPath indexPath) {
    auto descriptor = descriptorAt(indexPath);
    return descriptor ? descriptor->editingStyle : ui::TableViewCellEditingStyle::none;
}

bool JMStaticContentTableViewController::canEditRowAtIndexPath(ui::TableView&,
                                                               ui::IndexPath indexPath) {
    auto descriptor = descriptorAt(indexPath);
    return descriptor && descriptor->editable;
}

bool JMStaticContentTableViewController::canMoveRowAtIndexPath(ui::TableView&,
                                                               ui::IndexPath indexPath) {
    auto descriptor = descriptorAt(indexPath);
    return descriptor && descriptor->moveable;
}

void JMStaticContentTableViewController::didSelectRowAtIndexPath(ui::TableView&,
                                                                 ui::IndexPath indexPath) {
    auto descriptor = descriptorAt(indexPath);
    if (descriptor && descriptor->whenSelectedBlock) {
        descriptor->whenSelectedBlock(indexPath);
    }
}

void JMStaticContentTableViewController::scrollViewDidEndDragging(ui::ScrollView&, bool) {
    if (isViewLoaded()) {
        view()->endEditing(true);
    }
}

void JMStaticContentTableViewController::setHeaderText(std::optional<std::string> text) {
    headerText_ = std::move(text);
    if (isViewLoaded()) {
        tableView()->setTableHeaderView(headerText_ ? textView(*headerText_, true) : nullptr);
    }
}

void JMStaticContentTableViewController::setFooterText(std::optional<std::string> text) {
    footerText_ = std::move(text);
    if (isViewLoaded()) {
        tableView()->setTableFooterView(footerText_ ? textView(*footerText_, false) : nullptr);
    }
}

ui::View::Ptr JMStaticContentTableViewController::textView(const std::string& text,
                                                           bool header) const {
    auto container = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 0));
    auto label = std::make_shared<ui::Label>();
    label->setBackgroundColor(graphics::Color::clearColor());
    label->setFont(ui::Font::systemFontOfSize(15));
    label->setTextColor(graphics::Color::rgb(61 / 255.0, 77 / 255.0, 99 / 255.0, 1));
    label->setShadowColor(graphics::Color::white(1.0, 0.65));
    label->setShadowOffset({0, 1});
    label->setTextAlignment(ui::TextAlignment::center);
    label->setNumberOfLines(0);
    label->setAutoresizingMask(ui::Autoresizing::flexibleWidth);
    label->setText(text);
    label->setFrame(graphics::Rect(0, 0, header ? 280 : 260, 0));
    label->sizeToFit();
    const double height = label->frame().size.height;
    if (header) {
        label->setFrame(graphics::Rect(20, 10, 280, height + 20));
        container->setFrame(graphics::Rect(0, 0, 320, height + 30));
    } else {
        label->setFrame(graphics::Rect(30, 0, 260, height + 10));
        container->setFrame(graphics::Rect(0, 0, 320, height + 20));
    }
    container->addSubview(label);
    return container;
}
