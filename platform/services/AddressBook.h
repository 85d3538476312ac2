#pragma once

// The address book: the contacts added to it, in order, for tests and the
// host to read. Whether the user grants access is a setting.

#include <memory>
#include <vector>

#include "platform/services/Person.h"

namespace services {

class AddressBook {
  public:
    static AddressBook& shared();

    bool isAccessGranted() const { return granted_; }
    void setAccessGranted(bool granted) { granted_ = granted; }
    // Adds the record; false (nothing stored) without access.
    bool addRecord(const Person::Ptr& person);
    const std::vector<Person::Ptr>& people() const { return people_; }
    void reset();

  private:
    bool granted_ = true;
    std::vector<Person::Ptr> people_;
};

}  // namespace services
