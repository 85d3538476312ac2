#pragma once

// The screen "Our Apps": a grouped table of the maker's apps as an app-store
// lookup answer describes them, each with its name, price and icon; a tapped
// app opens its store page. Until the answer arrives (and after a failed
// request) it shows one "Loading" row.

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/ui/TableViewController.h"

class RIROtherAppsViewController : public ui::TableViewController {
  public:
    using Ptr = std::shared_ptr<RIROtherAppsViewController>;

    // Always grouped, whatever style is asked for.
    explicit RIROtherAppsViewController(ui::TableViewStyle style = ui::TableViewStyle::plain);

    // The full URL of the lookup request; set before the view loads.
    const std::string& developerURL() const { return developerURL_; }
    void setDeveloperURL(std::string url) { developerURL_ = std::move(url); }
    // The records that have a name, in the order of the answer.
    const std::vector<foundation::Value>& apps() const { return apps_; }

    // The name as a row shows it: the part before the first "-".
    static std::string displayName(const std::string& trackName);

    void viewDidLoad() override;
    int numberOfRowsInSection(ui::TableView& table, int section) override;
    ui::TableViewCell::Ptr cellForRowAtIndexPath(ui::TableView& table,
                                                 ui::IndexPath indexPath) override;
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;

  private:
    void takeAnswer(const foundation::Data& data);

    std::string developerURL_;
    std::vector<foundation::Value> apps_;
};
