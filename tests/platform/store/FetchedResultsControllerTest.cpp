#include <gtest/gtest.h>

#include "platform/foundation/RunLoop.h"
#include "platform/store/FetchedResultsController.h"
#include "tests/platform/store/TestModel.h"

namespace {

using foundation::Value;
using store::ChangeType;
using store_test::openContext;
using store_test::storePath;

// Writes each callback as one line: "will", "insert a @0.1", "move c 0.2->0.0", ...
class Recorder : public store::FetchedResultsControllerDelegate {
  public:
    std::vector<std::string> lines;

    static std::string at(const std::optional<foundation::IndexPath>& p) {
        return p ? std::to_string(p->section) + "." + std::to_string(p->row) : "-";
    }
    void controllerWillChangeContent(store::FetchedResultsController&) override {
        lines.push_back("will");
    }
    void controllerDidChangeObject(store::FetchedResultsController&,
                                   const std::shared_ptr<store::ManagedObject>& object,
                                   std::optional<foundation::IndexPath> from, ChangeType type,
                                   std::optional<foundation::IndexPath> to) override {
        static const char* names[] = {"", "insert", "delete", "move", "update"};
        lines.push_back(std::string(names[static_cast<int>(type)]) + " " +
                        object->valueForKey("name").stringValue() + " " + at(from) + "->" + at(to));
    }
    void controllerDidChangeSection(store::FetchedResultsController&,
                                    const store::SectionInfo& section, std::size_t index,
                                    ChangeType type) override {
        lines.push_back(std::string(type == ChangeType::Insert ? "insert" : "delete") +
                        " section " + section.name + " @" + std::to_string(index));
    }
    void controllerDidChangeContent(store::FetchedResultsController&) override {
        lines.push_back("did");
    }
};

std::shared_ptr<store::ManagedObject> addItem(store::Context& context, const std::string& name,
                                              int count) {
    auto item = context.insertNewObject("Item");
    item->setValue(name, "name");
    item->setValue(count, "count");
    return item;
}

store::FetchRequest byCountDescending() {
    store::FetchRequest request("Item");
    request.sortDescriptors = {store::SortDescriptor("count", false)};
    return request;
}

TEST(FetchedResultsController, ReportsInsertsDeletesMovesAndUpdatesWithTheirIndexPaths) {
    auto context = openContext(storePath());
    auto a = addItem(*context, "a", 30);
    auto b = addItem(*context, "b", 20);
    auto c = addItem(*context, "c", 10);
    ASSERT_TRUE(context->save(nullptr));

    store::FetchedResultsController controller(byCountDescending(), context, "", "Item");
    auto recorder = std::make_shared<Recorder>();
    controller.setDelegate(recorder);
    ASSERT_TRUE(controller.performFetch(nullptr));
    ASSERT_EQ(controller.sections().size(), 1u);
    EXPECT_EQ(controller.sections()[0].numberOfObjects(), 3u);
    EXPECT_EQ(controller.objectAtIndexPath({0, 2}), c);
    EXPECT_EQ(controller.objectAtIndexPath({0, 3}), nullptr);
    EXPECT_EQ(controller.objectAtIndexPath({1, 0}), nullptr);

    addItem(*context, "d", 25);
    ASSERT_TRUE(context->save(nullptr));
    c->setValue(40, "count");   // c moves to the top
    a->setValue("a2", "name");  // a stays where it is
    context->deleteObject(b);
    context->processPendingChanges();
    EXPECT_EQ(recorder->lines,
              (std::vector<std::string>{"will", "insert d -->0.1", "did", "will", "delete b 0.2->-",
                                        "move c 0.3->0.0", "update a2 0.0->-", "did"}));
    EXPECT_EQ(controller.indexPathForObject(a.get()), (foundation::IndexPath{0, 1}));
    EXPECT_EQ(controller.fetchedObjects().size(), 3u);

    recorder->lines.clear();
    context->processPendingChanges();  // nothing new: nothing said
    EXPECT_TRUE(recorder->lines.empty());
}

TEST(FetchedResultsController, SectionsFollowTheSectionKey) {
    auto context = openContext(storePath());
    addItem(*context, "x", 1)->setValue(Value(foundation::Date()), "when");
    store::FetchRequest request("Item");
    request.sortDescriptors = {store::SortDescriptor("name")};
    store::FetchedResultsController controller(request, context, "name");
    auto recorder = std::make_shared<Recorder>();
    controller.setDelegate(recorder);
    ASSERT_TRUE(controller.performFetch(nullptr));
    ASSERT_EQ(controller.sections().size(), 1u);

    addItem(*context, "y", 2);
    context->processPendingChanges();
    ASSERT_EQ(controller.sections().size(), 2u);
    EXPECT_EQ(controller.sections()[1].name, "y");
    EXPECT_EQ(recorder->lines, (std::vector<std::string>{"will", "insert section y @1", "did"}));
}

TEST(FetchedResultsController, ChangesArriveAtTheEndOfTheRunLoopTurnAndSkipAGoneDelegate) {
    auto context = openContext(storePath());
    store::FetchedResultsController controller(byCountDescending(), context);
    ASSERT_TRUE(controller.performFetch(nullptr));
    auto recorder = std::make_shared<Recorder>();
    controller.setDelegate(recorder);
    addItem(*context, "a", 1);
    EXPECT_TRUE(recorder->lines.empty());
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(recorder->lines, (std::vector<std::string>{"will", "insert a -->0.0", "did"}));

    recorder.reset();
    addItem(*context, "b", 2);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(controller.fetchedObjects().size(), 2u);
}

}  // namespace
