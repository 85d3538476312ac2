#pragma once

// Adds a contact card to the address book: builds a person record from the
// card's values and shows it on the platform's unknown-person screen, pushed
// on the caller's navigation stack; never asks for confirmation.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/Person.h"
#include "platform/services/UnknownPersonViewController.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"
#include "results/ResultAction.h"

class AddContactAction : public ResultAction,
                         public ui::AlertViewDelegate,
                         public services::UnknownPersonViewControllerDelegate {
  public:
    using StringList = std::vector<std::string>;

    // The parts of a name as the record gets them.
    struct NameParts {
        std::optional<std::string> first;
        std::optional<std::string> middle;
        std::optional<std::string> last;
        friend bool operator==(const NameParts&, const NameParts&) = default;
    };

    // Every argument may be absent.
    static std::shared_ptr<AddContactAction> actionWithName(
        std::optional<std::string> name, std::optional<StringList> phoneNumbers,
        std::optional<std::string> email, std::optional<std::string> urlString,
        std::optional<std::string> address, std::optional<std::string> note,
        std::optional<std::string> organization, std::optional<std::string> jobTitle);

    // "Doe, John Paul": last Doe, first John, middle Paul. "John Paul Peter
    // Doe": first John, middle Peter, last Doe. No name: no parts.
    static NameParts namePartsFor(const std::optional<std::string>& name);
    // The address's pieces between ",", ";", CR and LF, trimmed of spaces and
    // tabs, the empty ones dropped, one per line.
    static std::string streetFor(const std::string& address);

    const std::optional<std::string>& name() const { return name_; }
    const std::optional<StringList>& phoneNumbers() const { return phoneNumbers_; }

    std::string title() const override;
    // Goes straight to addContactWithController.
    void performActionWithController(const std::shared_ptr<ui::ViewController>& controller,
                                     bool shouldConfirm) override;
    // Shows the new record on the unknown-person screen, pushed on the
    // controller's navigation controller; the controller is kept until the
    // screen resolves.
    void addContactWithController(const std::shared_ptr<ui::ViewController>& controller);
    // The record made from the action's values.
    services::Person::Ptr makePerson() const;

    void alertViewClickedButtonAtIndex(ui::AlertView& alertView, int buttonIndex) override;
    // A person was created or chosen: after one turn of the main run loop,
    // pops back to the kept controller and lets it go.
    void unknownPersonViewControllerDidResolveToPerson(
        services::UnknownPersonViewController& controller,
        const services::Person::Ptr& person) override;

  private:
    std::optional<std::string> name_;
    std::optional<StringList> phoneNumbers_;
    std::optional<std::string> email_;
    std::optional<std::string> urlString_;
    std::optional<std::string> address_;
    std::optional<std::string> note_;
    std::optional<std::string> organization_;
    std::optional<std::string> jobTitle_;
    std::shared_ptr<ui::ViewController> viewController_;
};
