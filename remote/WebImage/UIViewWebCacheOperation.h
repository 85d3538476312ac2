#pragma once

// The running image loads of each view, one slot per key: a new load for a
// slot cancels the one it replaces, so a reused cell shows only its latest
// image. Also the rest of a view's image state (current URL, activity
// indicator, URL per button state), kept beside the view while it lives.
// Main thread only.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/URL.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/View.h"
#include "remote/WebImage/SDWebImageOperation.h"

namespace UIViewWebCacheOperation {

struct ViewImageState {
    std::map<std::string, std::vector<std::shared_ptr<SDWebImageOperation>>> operations;
    std::optional<foundation::URL> imageURL;
    std::shared_ptr<ui::ActivityIndicatorView> activityIndicator;
    bool showActivityIndicatorView = false;
    ui::ActivityIndicatorViewStyle indicatorStyle = ui::ActivityIndicatorViewStyle::whiteLarge;
    std::map<unsigned, foundation::URL> imageURLStorage;
};

// The state of `view`, made on first use and dropped with the view.
ViewImageState& stateOf(const ui::View& view);

// Cancels what the key holds, then keeps `operations` under it.
void sd_setImageLoadOperation(const ui::View& view,
                              std::vector<std::shared_ptr<SDWebImageOperation>> operations,
                              const std::string& key);
void sd_setImageLoadOperation(const ui::View& view, std::shared_ptr<SDWebImageOperation> operation,
                              const std::string& key);
void sd_cancelImageLoadOperationWithKey(const ui::View& view, const std::string& key);
// Forgets the key's loads without cancelling them.
void sd_removeImageLoadOperationWithKey(const ui::View& view, const std::string& key);

}  // namespace UIViewWebCacheOperation
