#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/services/Person.h"
#include "platform/services/UnknownPersonViewController.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/ViewController.h"
#include "results/AddContactAction.h"
#include "results/BusinessCardParsedResult.h"

namespace {

using services::PersonProperty;
using Parts = AddContactAction::NameParts;

TEST(AddContactAction, NameParts) {
    struct Case {
        std::optional<std::string> name;
        Parts parts;
    };
    const std::vector<Case> cases = {
        {"Doe, John Paul", {"John", "Paul", "Doe"}},
        {" Doe ,\tJohn ", {"John", std::nullopt, "Doe"}},
        {"John Paul Peter Doe", {"John", "Peter", "Doe"}},
        {"John Doe", {"John", std::nullopt, "Doe"}},
        {"Cher", {"Cher", std::nullopt, std::nullopt}},
        {std::nullopt, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddContactAction::namePartsFor(c.name), c.parts) << c.name.value_or("(none)");
    }
}

TEST(AddContactAction, PersonRecord) {
    auto action = AddContactAction::actionWithName(
        "Doe, John", std::vector<std::string>{"1", "2"}, "j@d.o", "http://d.o",
        "1 Main St, Springfield;;", "a note", "Acme", "Boss");
    auto person = action->makePerson();
    EXPECT_EQ(person->value(PersonProperty::firstName), "John");
    EXPECT_EQ(person->value(PersonProperty::middleName), std::nullopt);
    EXPECT_EQ(person->value(PersonProperty::lastName), "Doe");
    EXPECT_EQ(person->value(PersonProperty::note), "a note");
    EXPECT_EQ(person->value(PersonProperty::organization), "Acme");
    EXPECT_EQ(person->value(PersonProperty::jobTitle), "Boss");
    EXPECT_EQ(person->multiValue(PersonProperty::phone),
              (std::vector<services::MultiValueEntry>{{services::PersonPhoneMainLabel, "1"},
                                                      {services::PersonPhoneMainLabel, "2"}}));
    EXPECT_EQ(person->multiValue(PersonProperty::email),
              (std::vector<services::MultiValueEntry>{{services::HomeLabel, "j@d.o"}}));
    EXPECT_EQ(
        person->multiValue(PersonProperty::url),
        (std::vector<services::MultiValueEntry>{{services::PersonHomePageLabel, "http://d.o"}}));
    EXPECT_EQ(
        person->multiValue(PersonProperty::address),
        (std::vector<services::MultiValueEntry>{
            {services::HomeLabel, services::AddressDictionary{{services::PersonAddressStreetKey,
                                                               "1 Main St\nSpringfield"}}}}));

    // A card without any value, the name included, sets nothing at all.
    auto empty = AddContactAction::actionWithName({}, {}, {}, {}, {}, {}, {}, {})->makePerson();
    for (auto property : {PersonProperty::firstName, PersonProperty::middleName,
                          PersonProperty::lastName, PersonProperty::note}) {
        EXPECT_EQ(empty->value(property), std::nullopt);
    }
    EXPECT_TRUE(empty->multiValue(PersonProperty::phone).empty());
    EXPECT_TRUE(empty->multiValue(PersonProperty::address).empty());
}

TEST(AddContactAction, CardGivesOneActionWithItsFirstValues) {
    BusinessCardParsedResult card;
    card.names = std::vector<std::string>{"Ann Lee", "Other"};
    card.phoneNumbers = std::vector<std::string>{"1", "2"};
    card.emails = std::vector<std::string>{"a@b.c", "d@e.f"};
    auto actions = card.actions();
    ASSERT_EQ(actions->size(), 1u);
    auto action = std::dynamic_pointer_cast<AddContactAction>(actions->front());
    ASSERT_TRUE(action);
    EXPECT_EQ(action->name(), "Ann Lee");
    EXPECT_EQ(action->phoneNumbers(), (std::vector<std::string>{"1", "2"}));
    auto person = action->makePerson();
    EXPECT_EQ(person->multiValue(PersonProperty::email).size(), 1u);
    EXPECT_EQ(action->title(), "Add Contact");
}

TEST(AddContactAction, ShowsTheContactAndComesBackOnceResolved) {
    auto navigation = std::make_shared<ui::NavigationController>();
    auto resultScreen = std::make_shared<ui::ViewController>();
    navigation->setViewControllers({resultScreen});
    auto action = AddContactAction::actionWithName("Ann Lee", {}, {}, {}, {}, {}, {}, {});

    action->performActionWithController(resultScreen, true);
    ASSERT_EQ(navigation->viewControllers().size(), 2u);
    auto contact = std::dynamic_pointer_cast<services::UnknownPersonViewController>(
        navigation->viewControllers().back());
    ASSERT_TRUE(contact);
    EXPECT_TRUE(contact->allowsActions());
    EXPECT_TRUE(contact->allowsAddingToAddressBook());
    EXPECT_EQ(contact->displayedPerson()->value(PersonProperty::firstName), "Ann");

    // Leaving without a person changes nothing.
    contact->leaveWithoutAdding();
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(navigation->viewControllers().size(), 2u);

    // A person: the pop waits for the next turn of the run loop.
    ASSERT_TRUE(contact->addToAddressBook());
    EXPECT_EQ(navigation->viewControllers().size(), 2u);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(navigation->viewControllers(), std::vector<ui::ViewController::Ptr>{resultScreen});
}

}  // namespace
