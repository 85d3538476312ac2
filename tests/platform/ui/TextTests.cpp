#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextMeasurement.h"
#include "platform/ui/TextView.h"
#include "tests/platform/ui/UiTestFixture.h"

using graphics::Size;
using ui::Font;
using ui::TextMeasurement;

using TextTest = UiTest;

TEST_F(TextTest, MeasurementIsDeterministic) {
    struct Case {
        std::string text;
        Font font;
        Size constraint;
        Size expected;
        const char* rule;
    };
    const Case cases[] = {
        {"", Font::systemFontOfSize(16), {0, 0}, {0, 0}, "empty text has no size"},
        {"abcd",
         Font::systemFontOfSize(16),
         {0, 0},
         {32, 20},
         "half the size per character, 1.2 lines"},
        {"ab\u00e9",
         Font::systemFontOfSize(10),
         {0, 0},
         {15, 12},
         "an accented letter is one character"},
        {"\u65e5\u672c",
         Font::systemFontOfSize(10),
         {0, 0},
         {20, 12},
         "wide characters take the full size"},
        {"abcd", Font::boldSystemFontOfSize(10), {0, 0}, {22, 12}, "bold is a tenth wider"},
        {"aaaa bbbb cccc", Font::systemFontOfSize(10), {50, 0}, {45, 24}, "words wrap at spaces"},
        {"aaaaaaaaaaaa",
         Font::systemFontOfSize(10),
         {30, 0},
         {30, 24},
         "a long word breaks between characters"},
        {"one\ntwo", Font::systemFontOfSize(10), {0, 0}, {15, 24}, "newlines break lines"},
        {"aaaa bbbb cccc",
         Font::systemFontOfSize(10),
         {50, 13},
         {45, 12},
         "the height limit cuts lines"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextMeasurement::boundingSize(c.text, c.font, c.constraint), c.expected)
            << c.rule;
    }
    EXPECT_EQ(TextMeasurement::sizeWithFont("abcd", Font::systemFontOfSize(15)), (Size{30, 18}));
}

TEST_F(TextTest, LabelsSizeToTheirText) {
    auto label = std::make_shared<ui::Label>(graphics::Rect(0, 0, 100, 20));
    label->setFont(Font::systemFontOfSize(10));
    label->setText("hello world again");
    label->sizeToFit();
    EXPECT_EQ(label->frame().size, (Size{85, 12}));
    label->setNumberOfLines(0);
    EXPECT_EQ(label->sizeThatFits({50, 0}), (Size{25, 36}));
    label->setFrame(graphics::Rect(0, 0, 50, 100));
    EXPECT_EQ(label->displayedLines(), (std::vector<std::string>{"hello", "world", "again"}));
}

namespace {

class Guard : public ui::TextFieldDelegate {
  public:
    std::vector<std::string> events;
    bool acceptDigitsOnly = false;
    bool allowReturn = true;
    bool textFieldShouldBeginEditing(ui::TextField&) override {
        events.push_back("shouldBegin");
        return true;
    }
    void textFieldDidBeginEditing(ui::TextField&) override { events.push_back("didBegin"); }
    void textFieldDidEndEditing(ui::TextField&) override { events.push_back("didEnd"); }
    bool shouldChangeCharactersInRange(ui::TextField&, ui::TextRange range,
                                       const std::string& text) override {
        events.push_back("change " + std::to_string(range.location) + "," +
                         std::to_string(range.length) + " '" + text + "'");
        return !acceptDigitsOnly || text.find_first_not_of("0123456789") == std::string::npos;
    }
    bool textFieldShouldReturn(ui::TextField&) override { return allowReturn; }
};

}  // namespace

TEST_F(TextTest, TextFieldsAskTheirDelegateWithUtf16Ranges) {
    auto field = std::make_shared<ui::TextField>(graphics::Rect(0, 0, 200, 30));
    auto guard = std::make_shared<Guard>();
    field->setDelegate(guard);
    int changes = 0;
    field->addTarget(ui::ControlEvent::editingChanged, [&](ui::Control&) { ++changes; });
    int notices = 0;
    auto token = foundation::NotificationCenter::defaultCenter().addObserver(
        ui::TextFieldTextDidChangeNotification, field.get(), nullptr,
        [&](const foundation::Notification&) { ++notices; });

    EXPECT_FALSE(field->typeText("x"));  // not editing
    EXPECT_TRUE(field->tap());
    EXPECT_TRUE(field->isEditing());
    EXPECT_TRUE(field->typeText("\U0001F600"));  // one character, two UTF-16 units
    EXPECT_TRUE(field->typeText("a"));
    guard->acceptDigitsOnly = true;
    EXPECT_FALSE(field->typeText("b"));
    EXPECT_TRUE(field->deleteBackward());
    EXPECT_EQ(field->text(), "\U0001F600");
    EXPECT_EQ(guard->events,
              (std::vector<std::string>{"shouldBegin", "didBegin", "change 0,0 '\U0001F600'",
                                        "change 2,0 'a'", "change 3,0 'b'", "change 2,1 ''"}));
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(notices, 3);

    guard->allowReturn = false;
    EXPECT_FALSE(field->pressReturn());
    EXPECT_TRUE(field->resignFirstResponder());
    EXPECT_EQ(guard->events.back(), "didEnd");
    foundation::NotificationCenter::defaultCenter().removeObserver(token);
}

TEST_F(TextTest, OnlyOneFirstResponderAtATime) {
    auto field = std::make_shared<ui::TextField>();
    auto text = std::make_shared<ui::TextView>();
    EXPECT_TRUE(field->becomeFirstResponder());
    EXPECT_TRUE(text->becomeFirstResponder());
    EXPECT_FALSE(field->isEditing());
    EXPECT_TRUE(text->insertText("abc"));
    text->setSelectedRange({1, 1});
    EXPECT_TRUE(text->insertText("XY"));
    EXPECT_EQ(text->text(), "aXYc");
    EXPECT_EQ(text->selectedRange(), (ui::TextRange{3, 0}));
    text->setEditable(false);
    EXPECT_FALSE(text->insertText("z"));
}

TEST_F(TextTest, KeyboardStaysUpWhileMovingBetweenFields) {
    std::vector<std::string> names;
    auto& center = foundation::NotificationCenter::defaultCenter();
    std::vector<foundation::NotificationCenter::ObserverToken> tokens;
    for (const char* name : {ui::KeyboardWillShowNotification, ui::KeyboardDidShowNotification,
                             ui::KeyboardWillHideNotification, ui::KeyboardDidHideNotification}) {
        tokens.push_back(center.addObserver(
            name, nullptr, nullptr,
            [&](const foundation::Notification& n) { names.push_back(n.name.substr(10)); }));
    }
    auto first = std::make_shared<ui::TextField>();
    auto second = std::make_shared<ui::TextField>();
    first->becomeFirstResponder();
    second->becomeFirstResponder();
    settle();
    EXPECT_TRUE(ui::Keyboard::shared().isVisible());
    EXPECT_EQ(ui::Keyboard::shared().frame(), graphics::Rect(0, 352, 320, 216));
    second->resignFirstResponder();
    settle();
    EXPECT_EQ(names, (std::vector<std::string>{"WillShowNotification", "DidShowNotification",
                                               "WillHideNotification", "DidHideNotification"}));
    for (const auto& token : tokens) {
        center.removeObserver(token);
    }
}
