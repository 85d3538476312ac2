#include "remote/WebImage/UIViewWebCacheOperation.h"

#include "platform/foundation/ProcessState.h"

namespace UIViewWebCacheOperation {

namespace {

struct Entry {
    std::weak_ptr<const ui::Responder> view;
    ViewImageState state;
};

std::map<const ui::View*, Entry>& table() {
    static auto* entries = foundation::ProcessState::withReset(
        new std::map<const ui::View*, Entry>(), [](auto& table) { table.clear(); });
    return *entries;
}

}  // namespace

ViewImageState& stateOf(const ui::View& view) {
    auto& entries = table();
    std::erase_if(entries, [](const auto& item) { return item.second.view.expired(); });
    auto& entry = entries[&view];
    if (entry.view.expired()) {
        entry = Entry{view.weak_from_this(), {}};
    }
    return entry.state;
}

void sd_setImageLoadOperation(const ui::View& view,
                              std::vector<std::shared_ptr<SDWebImageOperation>> operations,
                              const std::string& key) {
    sd_cancelImageLoadOperationWithKey(view, key);
    stateOf(view).operations[key] = std::move(operations);
}

void sd_setImageLoadOperation(const ui::View& view, std::shared_ptr<SDWebImageOperation> operation,
                              const std::string& key) {
    std::vector<std::shared_ptr<SDWebImageOperation>> operations;
    if (operation) {
        operations.push_back(std::move(operation));
    }
    sd_setImageLoadOperation(view, std::move(operations), key);
}

void sd_cancelImageLoadOperationWithKey(const ui::View& view, const std::string& key) {
    auto& operations = stateOf(view).operations;
    auto it = operations.find(key);
    if (it == operations.end()) {
        return;
    }
    auto cancelled = std::move(it->second);
    operations.erase(it);
    for (const auto& operation : cancelled) {
        operation->cancel();
    }
}

void sd_removeImageLoadOperationWithKey(const ui::View& view, const std::string& key) {
    stateOf(view).operations.erase(key);
}

}  // namespace UIViewWebCacheOperation
