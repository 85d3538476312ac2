#include "tests/platform/store/TestModel.h"

#include <cstdlib>

namespace store_test {

using store::AttributeType;

namespace {

// Tags refuse an empty label, as an entity class with its own rule does.
class Tag : public store::ManagedObject {
  protected:
    bool validateKey(const std::string& key, foundation::Value& value,
                     foundation::Error* error) override {
        return key != "label" || !value.stringValue().empty();
    }
};

}  // namespace

std::shared_ptr<store::Model> makeModel() {
    auto item = std::make_shared<store::EntityDescription>("Item", "Item");
    item->addAttribute({"name", AttributeType::String, false, false});
    item->addAttribute({"count", AttributeType::Integer16, false, true, false, 7});
    item->addAttribute({"when", AttributeType::Date, true, true});
    item->addAttribute({"blob", AttributeType::BinaryData, false, true});
    item->addAttribute({"note", AttributeType::Undefined, false, true, true});
    store::RelationshipDescription folder;
    folder.name = "folder";
    folder.destinationEntity = "Folder";
    folder.inverseRelationship = "items";
    item->addRelationship(folder);
    store::RelationshipDescription tags;
    tags.name = "tags";
    tags.destinationEntity = "Tag";
    tags.maxCount = static_cast<std::uint64_t>(static_cast<std::int64_t>(-1));
    item->addRelationship(tags);

    auto folderEntity = std::make_shared<store::EntityDescription>("Folder", "Folder");
    folderEntity->addAttribute({"title", AttributeType::String});
    store::RelationshipDescription items;
    items.name = "items";
    items.destinationEntity = "Item";
    items.inverseRelationship = "folder";
    items.maxCount = 0;
    folderEntity->addRelationship(items);

    auto tag = std::make_shared<store::EntityDescription>("Tag", "Tag");
    tag->addAttribute({"label", AttributeType::String, true, false});
    tag->setObjectFactory([] { return std::make_shared<Tag>(); });

    return std::make_shared<store::Model>(
        std::vector<std::shared_ptr<store::EntityDescription>>{item, folderEntity, tag});
}

std::shared_ptr<store::Context> openContext(const std::filesystem::path& path,
                                            foundation::Error* error) {
    auto coordinator = std::make_shared<store::Coordinator>(makeModel());
    if (!coordinator->addPersistentStore(path, error)) {
        return nullptr;
    }
    return std::make_shared<store::Context>(coordinator);
}

std::filesystem::path storePath() {
    const char* home = std::getenv("BARCODES_HOME");
    return std::filesystem::path(home ? home : ".") / "test.dat";
}

}  // namespace store_test
