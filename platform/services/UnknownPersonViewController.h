#pragma once

// The screen for a contact that is not in the address book yet: shows the
// person and lets the user add it. Adding (simulated) stores the record and
// tells the delegate the person it resolved to; leaving without adding tells
// it nothing was chosen.

#include <memory>
#include <string>

#include "platform/services/Person.h"
#include "platform/ui/ViewController.h"

namespace services {

class UnknownPersonViewController;

class UnknownPersonViewControllerDelegate {
  public:
    virtual ~UnknownPersonViewControllerDelegate() = default;
    // `person` is nullptr when nothing was added.
    virtual void unknownPersonViewControllerDidResolveToPerson(
        UnknownPersonViewController& controller, const Person::Ptr& person) = 0;
};

class UnknownPersonViewController : public ui::ViewController {
  public:
    using Ptr = std::shared_ptr<UnknownPersonViewController>;

    const Person::Ptr& displayedPerson() const { return person_; }
    void setDisplayedPerson(Person::Ptr person) { person_ = std::move(person); }
    bool allowsActions() const { return allowsActions_; }
    void setAllowsActions(bool allows) { allowsActions_ = allows; }
    bool allowsAddingToAddressBook() const { return allowsAdding_; }
    void setAllowsAddingToAddressBook(bool allows) { allowsAdding_ = allows; }
    const std::string& alternateName() const { return alternateName_; }
    void setAlternateName(std::string name) { alternateName_ = std::move(name); }
    const std::string& message() const { return message_; }
    void setMessage(std::string message) { message_ = std::move(message); }
    std::shared_ptr<UnknownPersonViewControllerDelegate> unknownPersonViewDelegate() const {
        return delegate_.lock();
    }
    void setUnknownPersonViewDelegate(const std::weak_ptr<UnknownPersonViewControllerDelegate>& d) {
        delegate_ = d;
    }

    // "Create New Contact": false when adding is not allowed or refused.
    bool addToAddressBook();
    // The user leaves without adding.
    void leaveWithoutAdding();

  private:
    Person::Ptr person_;
    bool allowsActions_ = true;
    bool allowsAdding_ = true;
    std::string alternateName_;
    std::string message_;
    std::weak_ptr<UnknownPersonViewControllerDelegate> delegate_;
};

}  // namespace services
