#pragma once

// A collection cell showing one app: its icon in a square as wide as the
// cell and its name below, from a lookup record or from a lookup of its own.

#include <memory>
#include <string>

#include "platform/foundation/Value.h"
#include "platform/ui/CollectionViewCell.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"

class THMoreFromDeveloperCell : public ui::CollectionViewCell {
  public:
    using Ptr = std::shared_ptr<THMoreFromDeveloperCell>;

    static Ptr make(const graphics::Rect& frame);

    const ui::ImageView::Ptr& appNameIcon() const { return appNameIcon_; }
    const ui::Label::Ptr& appNameLabel() const { return appNameLabel_; }

    void setupCell();
    // "Loading..." until the lookup of `appId` answers; "Unable to load"
    // with the placeholder icon when it fails.
    void setupWithAppId(const std::string& appId);
    void setupWithLookUpDictionary(const foundation::Value& record,
                                   const std::string& placeholderImageName = "emptyIcon.png");

  private:
    explicit THMoreFromDeveloperCell(const graphics::Rect& frame);
    void showRecord(const foundation::Value& record, const std::string& placeholderImageName);

    ui::ImageView::Ptr appNameIcon_;
    ui::Label::Ptr appNameLabel_;
};
