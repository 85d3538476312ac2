#include "platform/services/UnknownPersonViewController.h"

#include "platform/services/AddressBook.h"

namespace services {

bool UnknownPersonViewController::addToAddressBook() {
    if (!allowsAdding_ || !person_ || !AddressBook::shared().addRecord(person_)) {
        return false;
    }
    auto keep = shared_from_this();
    if (auto d = unknownPersonViewDelegate()) {
        d->unknownPersonViewControllerDidResolveToPerson(*this, person_);
    }
    return true;
}

void UnknownPersonViewController::leaveWithoutAdding() {
    auto keep = shared_from_this();
    if (auto d = unknownPersonViewDelegate()) {
        d->unknownPersonViewControllerDidResolveToPerson(*this, nullptr);
    }
}

}  // namespace services
