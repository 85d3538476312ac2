#pragma once

// A contact record: single-valued texts (names, note, organisation, job
// title) and labelled multi-values (phones, e-mails, URLs, addresses; an
// address is a dictionary of street, city, ... keys).

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace services {

enum class PersonProperty {
    firstName,
    middleName,
    lastName,
    note,
    organization,
    jobTitle,
    phone,
    email,
    url,
    address,
};

inline constexpr const char* PersonPhoneMainLabel = "main";
inline constexpr const char* PersonPhoneMobileLabel = "mobile";
inline constexpr const char* HomeLabel = "home";
inline constexpr const char* WorkLabel = "work";
inline constexpr const char* OtherLabel = "other";
inline constexpr const char* PersonHomePageLabel = "home page";

inline constexpr const char* PersonAddressStreetKey = "Street";
inline constexpr const char* PersonAddressCityKey = "City";
inline constexpr const char* PersonAddressStateKey = "State";
inline constexpr const char* PersonAddressZIPKey = "ZIP";
inline constexpr const char* PersonAddressCountryKey = "Country";

using AddressDictionary = std::map<std::string, std::string>;

struct MultiValueEntry {
    std::string label;
    std::variant<std::string, AddressDictionary> value;

    friend bool operator==(const MultiValueEntry&, const MultiValueEntry&) = default;
};

class Person {
  public:
    using Ptr = std::shared_ptr<Person>;

    static Ptr make() { return std::make_shared<Person>(); }

    // Texts; answers false (and stores nothing) for a multi-value property.
    bool setValue(PersonProperty property, std::string value);
    std::optional<std::string> value(PersonProperty property) const;
    // Multi-values; answers false for a single-valued property.
    bool setMultiValue(PersonProperty property, std::vector<MultiValueEntry> entries);
    std::vector<MultiValueEntry> multiValue(PersonProperty property) const;

    static bool isMultiValue(PersonProperty property);
    // First, middle and last name joined, else the organisation.
    std::string compositeName() const;

  private:
    std::map<PersonProperty, std::string> values_;
    std::map<PersonProperty, std::vector<MultiValueEntry>> multiValues_;
};

}  // namespace services
