#include "model/BarcodeStore.h"

#include <filesystem>

#include "model/Action.h"
#include "model/Classification.h"
#include "model/EntityBuilder.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/RunLoop.h"

std::string BarcodeStore::storePath() {
    return (std::filesystem::path(foundation::ApplicationHome::documents()) / "bc.dat").string();
}

std::shared_ptr<store::Context> BarcodeStore::openContext(const std::string& path,
                                                          foundation::Error* error) {
    std::error_code ec;
    bool existed = std::filesystem::exists(path, ec);
    auto model = std::make_shared<store::Model>(
        BuildEntityDescriptions({"Barcode", "Action", "Classification"}));
    auto coordinator = std::make_shared<store::Coordinator>(model);
    if (!coordinator->addPersistentStore(path, error)) {
        return nullptr;
    }
    auto context = std::make_shared<store::Context>(coordinator);
    if (!existed) {
        Classification::populateDefaults(*context);
        Action::populateDefaults(*context);
        std::weak_ptr<store::Context> weak = context;
        foundation::RunLoop::main().performAfter(
            0.1,
            [weak] {
                if (auto context = weak.lock()) {
                    context->save(nullptr);
                }
            },
            context.get(), "save");
    }
    return context;
}
