#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "platform/foundation/Bundle.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Image.h"
#include "results/BusinessCardParsedResult.h"
#include "results/CallAction.h"
#include "results/EmailAction.h"
#include "results/EmailParsedResult.h"
#include "results/GeoParsedResult.h"
#include "results/ISBNParsedResult.h"
#include "results/ProductParsedResult.h"
#include "results/SMSAction.h"
#include "results/SMSParsedResult.h"
#include "results/ShowMapAction.h"
#include "results/TelParsedResult.h"
#include "results/TextParsedResult.h"
#include "results/URIParsedResult.h"

namespace {

using foundation::localizedString;

TEST(ParsedResults, DisplayTexts) {
    BusinessCardParsedResult nameOnly;
    nameOnly.names = std::vector<std::string>{"Doe, John"};
    EXPECT_EQ(nameOnly.stringForDisplay(), " John Doe\n");

    BusinessCardParsedResult card;
    card.names = std::vector<std::string>{"Ann"};
    card.pronunciation = "an";
    card.jobTitle = "Boss";
    card.organization = "Acme";
    card.phoneNumbers = std::vector<std::string>{"1", "2"};
    card.emails = std::vector<std::string>{"a@b.c"};
    card.url = "http://a.b";
    card.birthday = "19700101";
    card.note = "note";
    card.addresses = std::vector<std::string>{"Street"};
    EXPECT_EQ(card.stringForDisplay(),
              "Ann\nan\nBoss\nAcme\n1\n2\na@b.c\nhttp://a.b\n19700101\nnote\nStreet\n");
    EXPECT_EQ(BusinessCardParsedResult().stringForDisplay(), "");

    EXPECT_EQ(SMSParsedResult("123", std::nullopt).stringForDisplay(), "123");
    EXPECT_EQ(SMSParsedResult("123", "hi").stringForDisplay(), "123\nhi");
    EXPECT_EQ(URIParsedResult("tel:123", "Home", std::nullopt).stringForDisplay(),
              "Home <tel:123>");
    EXPECT_EQ(URIParsedResult::withURLString("tel:123")->stringForDisplay(), "tel:123");
    EXPECT_EQ(TelParsedResult("+1").stringForDisplay(), "+1");
    EXPECT_EQ(TextParsedResult("x").stringForDisplay(), "x");
    EXPECT_EQ(ProductParsedResult("0123", "0123").stringForDisplay(), "0123");

    EmailParsedResult email;
    email.to = "a@b.c";
    email.body = "hello";
    EXPECT_EQ(email.stringForDisplay(), "To: a@b.c\n\nhello");
    email.subject = "Hi";
    EXPECT_EQ(email.stringForDisplay(), "To: a@b.c\nSubject: Hi\n\nhello");
    EXPECT_EQ(GeoParsedResult("1,2").stringForDisplay(), "Position: 1,2");
}

TEST(ParsedResults, TypeNamesAreTheRoutingStrings) {
    EXPECT_EQ(BusinessCardParsedResult().typeName(), localizedString("Contact Result Type Name"));
    EXPECT_EQ(SMSParsedResult("1", std::nullopt).typeName(),
              localizedString("SMSParsedResult type name"));
    EXPECT_EQ(GeoParsedResult("1").typeName(), localizedString("GeoParsedResult type name"));
    EXPECT_EQ(TelParsedResult("1").typeName(), localizedString("TelParsedResult type name"));
    EXPECT_EQ(ProductParsedResult("1", "1").typeName(), "ProductParsedResult");
    EXPECT_EQ(ISBNParsedResult().typeName(), "ISBNParsedResult");

    // Routing compares type names, so every kind answers its own.
    std::set<std::string> names = {BusinessCardParsedResult().typeName(),
                                   EmailParsedResult().typeName(),
                                   GeoParsedResult("1").typeName(),
                                   SMSParsedResult("1", std::nullopt).typeName(),
                                   TelParsedResult("1").typeName(),
                                   TextParsedResult("1").typeName(),
                                   URIParsedResult::withURLString("a:b")->typeName()};
    EXPECT_EQ(names.size(), 7u);
}

TEST(ParsedResults, IconsFromTheBundleAndGenerated) {
    const std::vector<std::shared_ptr<ParsedResult>> withIcons = {
        std::make_shared<BusinessCardParsedResult>(),
        std::make_shared<EmailParsedResult>(),
        std::make_shared<GeoParsedResult>("1"),
        std::make_shared<SMSParsedResult>("1", std::nullopt),
        std::make_shared<TelParsedResult>("1"),
        std::make_shared<TextParsedResult>("1"),
        URIParsedResult::withURLString("a:b")};
    for (const auto& result : withIcons) {
        auto icon = result->icon();
        ASSERT_TRUE(icon) << result->className();
        EXPECT_EQ(icon->size().width, 40) << result->className();
    }

    auto product = ProductParsedResult("1", "1").icon();
    ASSERT_TRUE(product);
    EXPECT_EQ(product->size().width, 40);
    EXPECT_EQ(product->size().height, 40);
    EXPECT_EQ(product, ProductParsedResult("2", "2").icon());
    auto isbn = ISBNParsedResult().icon();
    ASSERT_TRUE(isbn);
    EXPECT_NE(product, isbn);

    // Light grey background with dark text somewhere across the middle.
    auto bitmap = product->uprightBitmap();
    ASSERT_TRUE(bitmap);
    auto corner = bitmap->pixel(0, 0);
    EXPECT_NEAR(corner.r, 170, 2);
    EXPECT_EQ(corner.a, 255);
    int dark = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            dark += bitmap->pixel(x, y).r < 100;
        }
    }
    EXPECT_GT(dark, 10);
}

TEST(ParsedResults, ActionsAreMadeOnceExceptForEmail) {
    TelParsedResult tel("123");
    auto first = tel.actions();
    EXPECT_EQ(first, tel.actions());
    ASSERT_EQ(first->size(), 1u);
    auto call = std::dynamic_pointer_cast<CallAction>(first->front());
    ASSERT_TRUE(call);
    EXPECT_EQ(call->number(), "123");

    EmailParsedResult email;
    email.to = "a@b.c";
    email.subject = "s";
    auto one = email.actions();
    auto two = email.actions();
    EXPECT_NE(one, two);
    ASSERT_EQ(one->size(), 1u);
    ASSERT_EQ(two->size(), 1u);
    auto mail = std::dynamic_pointer_cast<EmailAction>(one->front());
    ASSERT_TRUE(mail && mail->URL());
    EXPECT_EQ(mail->URL()->absoluteString(), "mailto:a@b.c?subject=s");

    SMSParsedResult sms("123", "hi");
    auto smsAction = std::dynamic_pointer_cast<SMSAction>(sms.actions()->front());
    ASSERT_TRUE(smsAction);
    EXPECT_EQ(smsAction->body(), "hi");

    GeoParsedResult geo("1,2");
    auto map = std::dynamic_pointer_cast<ShowMapAction>(geo.actions()->front());
    ASSERT_TRUE(map);
    EXPECT_EQ(map->location(), "1,2");

    auto uri = URIParsedResult::withURLString("http://a.b/");
    auto open = std::dynamic_pointer_cast<OpenUrlAction>(uri->actions()->front());
    ASSERT_TRUE(open && open->URL());
    EXPECT_EQ(open->URL()->absoluteString(), "http://a.b/");

    EXPECT_TRUE(TextParsedResult("x").actions()->empty());
    EXPECT_TRUE(ProductParsedResult("1", "1").actions()->empty());
    EXPECT_TRUE(ISBNParsedResult().actions()->empty());
}

}  // namespace
