#include "platform/services/AddressBook.h"

#include "platform/foundation/ProcessState.h"

namespace services {

AddressBook& AddressBook::shared() {
    static AddressBook* book = foundation::ProcessState::withReset(new AddressBook());
    return *book;
}

bool AddressBook::addRecord(const Person::Ptr& person) {
    if (!granted_ || !person) {
        return false;
    }
    people_.push_back(person);
    return true;
}

void AddressBook::reset() {
    granted_ = true;
    people_.clear();
}

}  // namespace services
