#include "results/AddContactAction.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/CharacterSet.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/ui/NavigationController.h"

namespace {

std::string trimmedOfSpacesAndTabs(std::string_view text) {
    return foundation::trim(text, foundation::CharacterSet::fromCharacters(" \t"));
}

std::vector<std::string> splitAtSpacesAndTabs(std::string_view text) {
    return foundation::components(text, foundation::CharacterSet::fromCharacters(" \t"));
}

}  // namespace

std::shared_ptr<AddContactAction> AddContactAction::actionWithName(
    std::optional<std::string> name, std::optional<StringList> phoneNumbers,
    std::optional<std::string> email, std::optional<std::string> urlString,
    std::optional<std::string> address, std::optional<std::string> note,
    std::optional<std::string> organization, std::optional<std::string> jobTitle) {
    auto action = std::make_shared<AddContactAction>();
    action->name_ = std::move(name);
    action->phoneNumbers_ = std::move(phoneNumbers);
    action->email_ = std::move(email);
    action->urlString_ = std::move(urlString);
    action->address_ = std::move(address);
    action->note_ = std::move(note);
    action->organization_ = std::move(organization);
    action->jobTitle_ = std::move(jobTitle);
    return action;
}

AddContactAction::NameParts AddContactAction::namePartsFor(const std::optional<std::string>& name) {
    NameParts parts;
    if (!name) {
        return parts;
    }
    const std::size_t comma = name->find(',');
    if (comma != std::string::npos) {
        parts.last = trimmedOfSpacesAndTabs(std::string_view(*name).substr(0, comma));
        auto pieces =
            splitAtSpacesAndTabs(trimmedOfSpacesAndTabs(std::string_view(*name).substr(comma + 1)));
        parts.first = pieces[0];
        if (pieces.size() >= 2) {
            parts.middle = pieces[1];
        }
        return parts;
    }
    auto pieces = splitAtSpacesAndTabs(*name);
    if (pieces.size() == 1) {
        parts.first = *name;
        return parts;
    }
    parts.first = pieces.front();
    parts.last = pieces.back();
    if (pieces.size() >= 3) {
        parts.middle = pieces[pieces.size() - 2];
    }
    return parts;
}

std::string AddContactAction::streetFor(const std::string& address) {
    std::vector<std::string> lines;
    for (const auto& piece :
         foundation::components(address, foundation::CharacterSet::fromCharacters(",;\r\n"))) {
        std::string line = trimmedOfSpacesAndTabs(piece);
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
    }
    return foundation::join(lines, "\n");
}

std::string AddContactAction::title() const {
    return foundation::localizedString("AddContactAction title");
}

void AddContactAction::performActionWithController(
    const std::shared_ptr<ui::ViewController>& controller, bool shouldConfirm) {
    addContactWithController(controller);
}

services::Person::Ptr AddContactAction::makePerson() const {
    using services::PersonProperty;
    auto person = services::Person::make();
    if (note_) {
        person->setValue(PersonProperty::note, *note_);
    }
    if (organization_) {
        person->setValue(PersonProperty::organization, *organization_);
    }
    if (jobTitle_) {
        person->setValue(PersonProperty::jobTitle, *jobTitle_);
    }
    const NameParts parts = namePartsFor(name_);
    if (parts.first) {
        person->setValue(PersonProperty::firstName, *parts.first);
    }
    if (parts.middle) {
        person->setValue(PersonProperty::middleName, *parts.middle);
    }
    if (parts.last) {
        person->setValue(PersonProperty::lastName, *parts.last);
    }
    if (phoneNumbers_ && !phoneNumbers_->empty()) {
        std::vector<services::MultiValueEntry> phones;
        for (const auto& number : *phoneNumbers_) {
            phones.push_back({services::PersonPhoneMainLabel, number});
        }
        person->setMultiValue(PersonProperty::phone, std::move(phones));
    }
    if (email_) {
        person->setMultiValue(PersonProperty::email, {{services::HomeLabel, *email_}});
    }
    if (urlString_) {
        person->setMultiValue(PersonProperty::url, {{services::PersonHomePageLabel, *urlString_}});
    }
    if (address_) {
        services::AddressDictionary address{
            {services::PersonAddressStreetKey, streetFor(*address_)}};
        person->setMultiValue(PersonProperty::address, {{services::HomeLabel, std::move(address)}});
    }
    return person;
}

void AddContactAction::addContactWithController(
    const std::shared_ptr<ui::ViewController>& controller) {
    auto screen = std::make_shared<services::UnknownPersonViewController>();
    screen->setDisplayedPerson(makePerson());
    screen->setAllowsActions(true);
    screen->setAllowsAddingToAddressBook(true);
    screen->setUnknownPersonViewDelegate(
        std::static_pointer_cast<AddContactAction>(weak_from_this().lock()));
    viewController_ = controller;
    if (auto navigation = controller ? controller->navigationController() : nullptr) {
        navigation->pushViewController(screen, true);
    }
}

void AddContactAction::alertViewClickedButtonAtIndex(ui::AlertView& alertView, int buttonIndex) {
    if (buttonIndex != alertView.cancelButtonIndex()) {
        addContactWithController(viewController_);
    }
}

void AddContactAction::unknownPersonViewControllerDidResolveToPerson(
    services::UnknownPersonViewController& controller, const services::Person::Ptr& person) {
    if (!person) {
        return;
    }
    // The pending perform keeps the action alive until it has run.
    auto self = std::static_pointer_cast<AddContactAction>(weak_from_this().lock());
    if (!self) {
        return;
    }
    foundation::RunLoop::main().performAfter(0, [self] {
        auto kept = std::move(self->viewController_);
        if (kept) {
            if (auto navigation = kept->navigationController()) {
                navigation->popToViewController(kept, true);
            }
        }
    });
}
