#include <gtest/gtest.h>

#include <algorithm>

#include "model/Action.h"
#include "model/Barcode.h"
#include "model/BarcodeStore.h"
#include "model/Classification.h"
#include "model/EntityBuilder.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PNGCodec.h"

namespace {

// Opens the store as the application does, with time under the test's hand.
class EntityStore : public testing::Test {
  protected:
    std::shared_ptr<store::Context> open() {
        foundation::Error error;
        auto context = BarcodeStore::openContext(BarcodeStore::storePath(), &error);
        EXPECT_TRUE(context) << error.localizedDescription;
        return context;
    }
    // Runs the delayed first save.
    void settle() { clock.advance(0.2); }

    foundation::ManualClock clock;
};

std::vector<std::string> names(const std::vector<std::shared_ptr<Classification>>& classes) {
    std::vector<std::string> result;
    for (const auto& c : classes) {
        result.push_back(c->name());
    }
    return result;
}

TEST_F(EntityStore, ANewStoreHoldsTheDefaultRowsSavedAfterATenthOfASecond) {
    {
        auto context = open();
        ASSERT_TRUE(context);
        EXPECT_TRUE(context->hasChanges());
        clock.advance(0.05);
        EXPECT_TRUE(context->hasChanges()) << "not saved before 0.1 s";
        clock.advance(0.06);
        EXPECT_FALSE(context->hasChanges());
    }
    auto context = open();
    auto classes = *Classification::classesInContext(*context);
    ASSERT_EQ(classes.size(), 15u);
    EXPECT_EQ(names(classes),
              (std::vector<std::string>{"E-mail address", "URL", "UPS Ground Tracking#",
                                        "FedEx Ground Tracking#", "FedEx Express Tracking#",
                                        "GTIN-14", "GTIN-13", "ISBN-13", "EAN-13", "EAN-8", "UPC-E",
                                        "UPC-A", "Code 39", "Code 128", "QR Code"}));
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(classes[i]->index(), i);
        EXPECT_EQ(classes[i]->level(), i <= 6 ? 1 : 0) << classes[i]->name();
    }
    auto actions = *Action::actionsInContext(*context);
    ASSERT_EQ(actions.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(actions[i]->index(), i);
        std::size_t expected = actions[i]->name() == "Track FedEx Package" ? 2 : 1;
        EXPECT_EQ(actions[i]->classes().size(), expected) << actions[i]->name();
    }
    EXPECT_EQ(actions[6]->name(), "Open URL");
    EXPECT_EQ(actions[6]->valueForKey("url"), foundation::Value(""));
    EXPECT_EQ(names(actions[9]->classes()),
              (std::vector<std::string>{"FedEx Ground Tracking#", "FedEx Express Tracking#"}));
    EXPECT_TRUE(actions[0]->url().starts_with("http://"));
    EXPECT_TRUE(actions[0]->url().ends_with("/search?q="));
}

TEST_F(EntityStore, AnExistingStoreIsOpenedWithoutInsertingEvenWithoutActions) {
    {
        auto context = open();
        settle();
        auto actions = *Action::actionsInContext(*context);
        for (auto& action : actions) {
            context->deleteObject(action);
        }
        ASSERT_TRUE(context->save(nullptr));
    }
    auto context = open();
    EXPECT_FALSE(context->hasChanges());
    settle();
    EXPECT_TRUE(Action::actionsInContext(*context)->empty());
    EXPECT_EQ(Classification::classesInContext(*context)->size(), 15u);
}

TEST_F(EntityStore, LevelsAndClassificationQueries) {
    auto context = open();
    settle();
    EXPECT_EQ(Classification::classesForLevel(0, *context).size(), 8u);
    EXPECT_EQ(Classification::classesForLevel(1, *context).size(), 15u);
    EXPECT_TRUE(Classification::classesForLevel(-1, *context).empty());

    std::vector<std::string> gtin;
    auto actions = *Action::actionsInContext(*context);
    for (auto& action : actions) {
        EXPECT_FALSE(action->hasAnyClassification({}));
        if (action->hasAnyClassification({"GTIN-13", "Nothing"})) {
            gtin.push_back(action->name());
        }
    }
    EXPECT_EQ(gtin,
              (std::vector<std::string>{"Dezuvo Search", "Amazon Search", "BestBuy Search",
                                        "eBay Search", "Walmart Search", "Internet UPC Database"}));
    EXPECT_EQ(Classification::classesByNameInContext(*context).at("URL")->index(), 1);
}

TEST_F(EntityStore, ActionAndClassificationValidation) {
    auto context = open();
    settle();
    auto action = context->insertNewObject<Action>("Action");
    action->setIndex(10);
    action->setName("Mine");
    foundation::Value url;
    EXPECT_TRUE(action->validateValue(url, "url", nullptr));
    EXPECT_EQ(url, foundation::Value(""));
    for (auto* object : std::initializer_list<store::ManagedObject*>{
             action.get(), Classification::classesInContext(*context)->front().get()}) {
        foundation::Value empty("");
        foundation::Error error;
        EXPECT_FALSE(object->validateValue(empty, "name", &error));
        EXPECT_EQ(error.code, 0) << "no error object is filled in";
        foundation::Value missing;
        EXPECT_FALSE(object->validateValue(missing, "name", nullptr));
    }
    // A nil url is stored as "".
    ASSERT_TRUE(context->save(nullptr));
    auto reopened = BarcodeStore::openContext(BarcodeStore::storePath(), nullptr);
    auto actions = *Action::actionsInContext(*reopened);
    ASSERT_EQ(actions.size(), 11u);
    EXPECT_EQ(actions[10]->valueForKey("url"), foundation::Value(""));

    action->setName("");
    foundation::Error error;
    EXPECT_FALSE(context->save(&error)) << "an empty name cannot be saved";
}

TEST_F(EntityStore, ClassifyNamesOnlyUnnamedCodes) {
    auto context = open();
    settle();
    auto make = [&](const std::string& data, const std::string& name) {
        auto code = context->insertNewObject<Barcode>("Barcode");
        code->setDate(foundation::Date::now());
        code->setType(128);
        code->setData(data);
        if (!name.empty()) {
            code->setName(name);
        }
        code->classify();
        return code;
    };
    auto named = make("1Z999AA10123456784", "My parcel");
    EXPECT_EQ(named->name(), "My parcel");
    EXPECT_EQ(named->classification()->at("UPS Ground Tracking#"), "1Z999AA10123456784");
    EXPECT_EQ(make("1Z999AA10123456784", "")->name(), "UPS Ground Package");
    auto plain = make("plain text", "");
    EXPECT_EQ(plain->name(), "");
    EXPECT_EQ(*plain->classification(), (ClassificationDictionary{{"Code 128", "plain text"}}));
    auto& loop = foundation::RunLoop::main();
    auto pending = loop.pendingCount();
    plain->classify();
    EXPECT_EQ(loop.pendingCount(), pending + 1) << "scrapeName is due in 0.25 s";
    named->classify();
    EXPECT_EQ(loop.pendingCount(), pending + 1) << "a named code needs no lookup";
    clock.advance(0.3);
    EXPECT_EQ(plain->name(), "") << "scrapeName starts no lookup";
    ASSERT_TRUE(context->save(nullptr));
}

TEST_F(EntityStore, TheThumbnailIsStoredAsPNGAndDecodedOnce) {
    auto bitmap = graphics::Bitmap::make(128, 128, graphics::Rgba8{10, 200, 30, 255});
    bitmap->setPixel(3, 5, graphics::Rgba8{255, 0, 0, 255});
    {
        auto context = open();
        settle();
        auto code = context->insertNewObject<Barcode>("Barcode");
        code->setDate(foundation::Date::now());
        code->setType(13);
        code->setData("4006381333931");
        ASSERT_TRUE(context->save(nullptr));
        EXPECT_TRUE(code->valueForKey("_thumb").isNull()) << "no image: nothing encoded";

        code->setThumb(graphics::Image::make(bitmap));
        ASSERT_TRUE(context->save(nullptr));
        auto png = code->valueForKey("_thumb");
        ASSERT_TRUE(png.isData());
        auto decoded = graphics::PNGCodec::decode(*png.asData());
        ASSERT_TRUE(decoded);
    }
    auto context = open();
    store::FetchRequest request("Barcode");
    auto codes = *context->executeFetchRequestAs<Barcode>(request, nullptr);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_FALSE(codes[0]->primitiveThumb());
    auto thumb = codes[0]->thumb();
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->bitmap()->pixel(3, 5), (graphics::Rgba8{255, 0, 0, 255}));
    EXPECT_EQ(thumb->bitmap()->pixel(4, 5), (graphics::Rgba8{10, 200, 30, 255}));
    EXPECT_EQ(codes[0]->thumb(), thumb) << "served from memory after the first decode";
    EXPECT_FALSE(context->hasChanges()) << "decoding is no change";
}

TEST(EntityBuilder, BuildsTheThreeEntitiesFromTheirTables) {
    auto entities = BuildEntityDescriptions({"Barcode", "Action", "Classification", "Unknown"});
    ASSERT_EQ(entities.size(), 3u);
    auto find = [&](const std::string& name) {
        auto found = std::find_if(entities.begin(), entities.end(),
                                  [&](const auto& e) { return e->name() == name; });
        return found == entities.end() ? nullptr : *found;
    };
    auto barcode = find("Barcode");
    ASSERT_TRUE(barcode);
    std::vector<std::string> attributes;
    for (const auto& attribute : barcode->attributes()) {
        attributes.push_back(attribute.name);
    }
    EXPECT_EQ(attributes,
              (std::vector<std::string>{"date", "type", "data", "name", "thumb", "_thumb"}));
    EXPECT_TRUE(barcode->attributeNamed("thumb")->transient);
    EXPECT_TRUE(barcode->attributeNamed("date")->indexed);
    EXPECT_FALSE(barcode->attributeNamed("data")->optional);
    EXPECT_TRUE(barcode->relationships().empty());
    EXPECT_FALSE(barcode->isAbstract());
    const auto* classes = find("Action")->relationshipNamed("classes");
    ASSERT_TRUE(classes);
    EXPECT_TRUE(classes->isToMany());
    EXPECT_EQ(classes->destinationEntity, "Classification");
    EXPECT_EQ(classes->deleteRule, store::DeleteRule::Nullify);
    EXPECT_TRUE(classes->inverseRelationship.empty());
    EXPECT_TRUE(std::dynamic_pointer_cast<Action>(find("Action")->makeObject()));
}

}  // namespace
