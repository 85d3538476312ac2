#include <gtest/gtest.h>

#include <algorithm>

#include "platform/store/Context.h"
#include "platform/store/StoreError.h"
#include "tests/platform/store/TestModel.h"

namespace {

using foundation::Value;
using store::FetchRequest;
using store::SortDescriptor;
using store_test::openContext;
using store_test::storePath;

std::vector<std::string> names(const std::vector<std::shared_ptr<store::ManagedObject>>& objects,
                               const std::string& key = "name") {
    std::vector<std::string> result;
    for (const auto& object : objects) {
        result.push_back(object->valueForKey(key).stringValue());
    }
    return result;
}

std::vector<std::shared_ptr<store::ManagedObject>> fetchAll(store::Context& context,
                                                            const std::string& entity,
                                                            const std::string& sortKey) {
    FetchRequest request(entity);
    request.sortDescriptors = {SortDescriptor(sortKey)};
    foundation::Error error;
    auto objects = context.executeFetchRequest(request, &error);
    EXPECT_TRUE(objects.has_value()) << error.localizedDescription;
    return objects.value_or(std::vector<std::shared_ptr<store::ManagedObject>>{});
}

TEST(Context, SavedValuesAndRelationshipsComeBackAfterReopening) {
    auto date = foundation::Date::fromTimeIntervalSinceReferenceDate(123456.5);
    {
        auto context = openContext(storePath());
        ASSERT_TRUE(context);
        auto folder = context->insertNewObject("Folder");
        folder->setValue("Inbox", "title");
        auto tag = context->insertNewObject("Tag");
        tag->setValue("red", "label");
        auto first = context->insertNewObject("Item");
        first->setValue("first", "name");
        first->setValue(-5, "count");
        first->setValue(date, "when");
        first->setValue(foundation::Data{0, 1, 2, 255}, "blob");
        first->setValue("kept in memory only", "note");
        first->setObject(folder, "folder");
        first->addObject(tag, "tags");
        auto second = context->insertNewObject("Item");
        second->setValue("second", "name");
        second->setValue(foundation::Data{}, "blob");
        // The inverse side follows.
        ASSERT_EQ(folder->objectsForKey("items").size(), 1u);
        ASSERT_TRUE(first->objectID().isTemporaryID());
        foundation::Error error;
        ASSERT_TRUE(context->save(&error)) << error.localizedDescription;
        EXPECT_FALSE(first->objectID().isTemporaryID());
        EXPECT_FALSE(context->hasChanges());
    }
    auto context = openContext(storePath());
    ASSERT_TRUE(context);
    auto items = fetchAll(*context, "Item", "name");
    ASSERT_EQ(names(items), (std::vector<std::string>{"first", "second"}));
    auto& first = *items[0];
    EXPECT_EQ(first.valueForKey("count"), Value(-5));
    EXPECT_EQ(first.valueForKey("when"), Value(date));
    EXPECT_EQ(first.valueForKey("blob"), Value(foundation::Data{0, 1, 2, 255}));
    EXPECT_TRUE(first.valueForKey("note").isNull()) << "transient values are not stored";
    EXPECT_EQ(items[1]->valueForKey("count"), Value(7)) << "default value";
    EXPECT_TRUE(items[1]->valueForKey("blob").isData()) << "empty data stays data";
    EXPECT_TRUE(items[1]->valueForKey("when").isNull());
    auto folder = first.objectForKey("folder");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->valueForKey("title"), Value("Inbox"));
    ASSERT_EQ(folder->objectsForKey("items").size(), 1u);
    EXPECT_EQ(folder->objectsForKey("items")[0].get(), &first) << "one object per ID";
    EXPECT_EQ(names(first.objectsForKey("tags"), "label"), std::vector<std::string>{"red"});
    EXPECT_FALSE(items[1]->objectForKey("folder"));
}

TEST(Context, FetchSeesPendingChangesAndAppliesPredicateSortAndLimit) {
    auto context = openContext(storePath());
    ASSERT_TRUE(context);
    for (auto [name, count] : {std::pair{"b", 2}, {"a", 3}, {"c", 1}}) {
        auto item = context->insertNewObject("Item");
        item->setValue(name, "name");
        item->setValue(count, "count");
    }
    ASSERT_TRUE(context->save(nullptr));
    auto pending = context->insertNewObject("Item");
    pending->setValue("d", "name");
    pending->setValue(0, "count");
    context->deleteObject(fetchAll(*context, "Item", "name")[0]);  // "a"

    FetchRequest request("Item");
    request.sortDescriptors = {SortDescriptor("count", false)};
    EXPECT_EQ(names(*context->executeFetchRequest(request, nullptr)),
              (std::vector<std::string>{"b", "c", "d"}));
    request.predicate = [](store::ManagedObject& o) {
        return o.valueForKey("count").intValue() > 0;
    };
    request.fetchLimit = 1;
    EXPECT_EQ(names(*context->executeFetchRequest(request, nullptr)),
              std::vector<std::string>{"b"});

    foundation::Error error;
    EXPECT_FALSE(context->executeFetchRequest(FetchRequest("Nothing"), &error));
    EXPECT_FALSE(error.localizedDescription.empty());
    EXPECT_EQ(context->insertNewObject("Nothing"), nullptr);
}

TEST(Context, AFailedValidationWritesNothingAndKeepsTheChanges) {
    auto context = openContext(storePath());
    ASSERT_TRUE(context);
    auto good = context->insertNewObject("Item");
    good->setValue("good", "name");
    auto nameless = context->insertNewObject("Item");

    foundation::Error error;
    EXPECT_FALSE(context->save(&error));
    EXPECT_EQ(error.domain, store::kErrorDomain);
    EXPECT_EQ(error.code, store::kValidationMissingMandatoryPropertyError);
    EXPECT_TRUE(context->hasChanges());
    EXPECT_TRUE(
        openContext(storePath())->executeFetchRequest(FetchRequest("Item"), nullptr)->empty());

    // The subclass's rule: an empty label is refused without an error object.
    auto tag = context->insertNewObject("Tag");
    Value empty("");
    error = {};
    EXPECT_FALSE(tag->validateValue(empty, "label", &error));
    EXPECT_EQ(error.code, 0);
    Value tooLarge(40000);
    EXPECT_FALSE(good->validateValue(tooLarge, "count", &error));
    EXPECT_EQ(error.code, store::kValidationNumberTooLargeError);
    Value wrongType("seven");
    EXPECT_FALSE(good->validateValue(wrongType, "count", nullptr));

    nameless->setValue("named now", "name");
    tag->setValue("blue", "label");
    ASSERT_TRUE(context->save(&error)) << error.localizedDescription;
    EXPECT_EQ(openContext(storePath())->executeFetchRequest(FetchRequest("Item"), nullptr)->size(),
              2u);
}

TEST(Context, RollbackForgetsInsertsAndRestoresChangedAndDeletedObjects) {
    auto context = openContext(storePath());
    ASSERT_TRUE(context);
    auto folder = context->insertNewObject("Folder");
    folder->setValue("Inbox", "title");
    auto item = context->insertNewObject("Item");
    item->setValue("kept", "name");
    item->setObject(folder, "folder");
    ASSERT_TRUE(context->save(nullptr));

    item->setValue("changed", "name");
    auto extra = context->insertNewObject("Item");
    extra->setValue("extra", "name");
    extra->setObject(folder, "folder");
    context->deleteObject(folder);
    EXPECT_FALSE(item->objectForKey("folder"));
    context->rollback();

    EXPECT_FALSE(context->hasChanges());
    EXPECT_EQ(item->valueForKey("name"), Value("kept"));
    EXPECT_FALSE(folder->isDeleted());
    EXPECT_EQ(item->objectForKey("folder"), folder);
    EXPECT_EQ(folder->objectsForKey("items").size(), 1u);
    EXPECT_EQ(names(fetchAll(*context, "Item", "name")), std::vector<std::string>{"kept"});
    EXPECT_FALSE(extra->managedObjectContext());
}

TEST(Context, DeletingNullifiesEveryReferenceInMemoryAndInTheFile) {
    {
        auto context = openContext(storePath());
        auto tag = context->insertNewObject("Tag");
        tag->setValue("red", "label");
        auto folder = context->insertNewObject("Folder");
        auto item = context->insertNewObject("Item");
        item->setValue("item", "name");
        item->addObject(tag, "tags");
        item->setObject(folder, "folder");
        ASSERT_TRUE(context->save(nullptr));

        context->deleteObject(tag);
        context->deleteObject(folder);
        EXPECT_TRUE(item->objectsForKey("tags").empty()) << "no inverse: still nullified";
        EXPECT_FALSE(item->objectForKey("folder"));
        ASSERT_TRUE(context->save(nullptr));
    }
    auto context = openContext(storePath());
    auto items = fetchAll(*context, "Item", "name");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_TRUE(items[0]->objectsForKey("tags").empty());
    EXPECT_FALSE(items[0]->objectForKey("folder"));
    EXPECT_TRUE(fetchAll(*context, "Tag", "label").empty());
}

TEST(Context, ObjectURIsLeadBackToTheirObjects) {
    auto context = openContext(storePath());
    auto item = context->insertNewObject("Item");
    item->setValue("item", "name");
    auto temporary = item->objectID().URIRepresentation();
    auto coordinator = context->persistentStoreCoordinator();
    auto temporaryID = coordinator->managedObjectIDForURIRepresentation(temporary);
    ASSERT_TRUE(temporaryID);
    EXPECT_TRUE(temporaryID->isTemporaryID());
    EXPECT_EQ(context->existingObjectWithID(*temporaryID, nullptr), item);

    ASSERT_TRUE(context->save(nullptr));
    auto uri = item->objectID().URIRepresentation();
    EXPECT_NE(uri, temporary);
    EXPECT_FALSE(coordinator->managedObjectIDForURIRepresentation(temporary) &&
                 context->existingObjectWithID(
                     *coordinator->managedObjectIDForURIRepresentation(temporary), nullptr));

    auto other = openContext(storePath());
    auto id = other->persistentStoreCoordinator()->managedObjectIDForURIRepresentation(uri);
    ASSERT_TRUE(id);
    auto found = other->existingObjectWithID(*id, nullptr);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->valueForKey("name"), Value("item"));

    // URIs that name nothing of this store.
    std::string store = item->objectID().storeIdentifier();
    for (const std::string& bad : std::vector<std::string>{
             "", "item", "x-store://" + store + "/Item/p0", "x-store://" + store + "/Item/p12x",
             "x-store://" + store + "/Nope/p1", "x-store://OTHER-STORE/Item/p1", "x-store:///Item/",
             "http://a/Item/p1"}) {
        EXPECT_FALSE(coordinator->managedObjectIDForURIRepresentation(bad)) << bad;
    }
    foundation::Error error;
    auto missing =
        coordinator->managedObjectIDForURIRepresentation("x-store://" + store + "/Item/p99");
    ASSERT_TRUE(missing);
    EXPECT_FALSE(other->existingObjectWithID(*missing, &error));
    EXPECT_NE(error.code, 0);
}

TEST(Context, ObserversHearChangesOnceAndNeverAfterTheyAreGone) {
    auto context = openContext(storePath());
    auto item = context->insertNewObject("Item");
    auto observer = std::make_shared<int>(0);
    item->addObserver(observer, "name",
                      [observer](const foundation::KeyValueChange&) { ++*observer; });
    // Registering again replaces the first registration.
    item->addObserver(observer, "name",
                      [observer](const foundation::KeyValueChange&) { ++*observer; });
    item->setValue("one", "name");
    item->setValue(3, "count");
    EXPECT_EQ(*observer, 1);

    std::weak_ptr<int> gone;
    {
        auto shortLived = std::make_shared<int>(0);
        gone = shortLived;
        item->addObserver(shortLived, "name", [](const foundation::KeyValueChange&) {
            FAIL() << "an observer that is gone was called";
        });
    }
    item->setValue("two", "name");
    EXPECT_EQ(*observer, 2);
    item->removeObserver(observer.get());
    item->setValue("three", "name");
    EXPECT_EQ(*observer, 2);

    // A rollback tells the observers of the keys it restores.
    ASSERT_TRUE(context->save(nullptr));
    std::vector<std::string> heard;
    item->addObserver(observer, "name", [&heard](const foundation::KeyValueChange& change) {
        heard.push_back(change.oldValue.stringValue() + ">" + change.newValue.stringValue());
    });
    item->setValue("four", "name");
    context->rollback();
    EXPECT_EQ(heard, (std::vector<std::string>{"three>four", "four>three"}));
}

TEST(Context, ChangeAndSaveNotificationsNameTheObjects) {
    auto context = openContext(storePath());
    std::vector<std::string> heard;
    auto describe = [&heard](const char* what, const store::Context::Changes& changes) {
        heard.push_back(std::string(what) + " " + std::to_string(changes.inserted.size()) + "/" +
                        std::to_string(changes.updated.size()) + "/" +
                        std::to_string(changes.deleted.size()));
    };
    context->addObjectsDidChangeObserver(
        [&](store::Context&, const store::Context::Changes& c) { describe("change", c); });
    auto token = context->addDidSaveObserver(
        [&](store::Context&, const store::Context::Changes& c) { describe("save", c); });
    auto item = context->insertNewObject("Item");
    item->setValue("a", "name");
    auto dropped = context->insertNewObject("Item");
    context->deleteObject(dropped);  // inserted and deleted in one turn: never announced
    context->processPendingChanges();
    ASSERT_TRUE(context->save(nullptr));
    item->setValue("b", "name");
    context->removeObserver(token);
    ASSERT_TRUE(context->save(nullptr));
    EXPECT_EQ(heard, (std::vector<std::string>{"change 1/0/0", "save 1/0/0", "change 0/1/0"}));
}

}  // namespace
