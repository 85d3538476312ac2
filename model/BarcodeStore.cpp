#include "model/BarcodeStore.h"

#include <filesystem>

#include "model/Action.h"
#include "model/Classification.h"
#include "model/EntityBuilder.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/RunLoop.h"

namespace {

// The defaults are saved in one transaction, Classifications and Actions
// together, and the Classifications cannot be deleted by the user: a store
// holding any is initialised. A store without them (new, empty, or left by a
// first launch that ended before its save) gets them now.
bool hasDefaults(store::Context& context) {
    store::FetchRequest request("Classification");
    request.fetchLimit = 1;
    auto found = context.executeFetchRequest(request, nullptr);
    return found && !found->empty();
}

}  // namespace

std::string BarcodeStore::storePath() {
    return (std::filesystem::path(foundation::ApplicationHome::documents()) / "bc.dat").string();
}

std::shared_ptr<store::Context> BarcodeStore::openContext(
    const std::string& path, foundation::Error* error,
    std::function<void(const foundation::Error&)> saveFailed) {
    auto model = std::make_shared<store::Model>(
        BuildEntityDescriptions({"Barcode", "Action", "Classification"}));
    auto coordinator = std::make_shared<store::Coordinator>(model);
    if (!coordinator->addPersistentStore(path, error)) {
        return nullptr;
    }
    auto context = std::make_shared<store::Context>(coordinator);
    if (!hasDefaults(*context)) {
        Classification::populateDefaults(*context);
        Action::populateDefaults(*context);
        std::weak_ptr<store::Context> weak = context;
        foundation::RunLoop::main().performAfter(
            0.1,
            [weak, saveFailed = std::move(saveFailed)] {
                auto context = weak.lock();
                foundation::Error failure;
                if (context && !context->save(&failure) && saveFailed) {
                    saveFailed(failure);
                }
            },
            context.get(), "save");
    }
    return context;
}
