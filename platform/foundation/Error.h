#pragma once

#include <string>

namespace foundation {

// An error as the platform reports it: a domain, a code within the domain and
// a text for people. Nothing throws across a subsystem's boundary; failures
// travel as values of this type.
struct Error {
    std::string domain;
    long code = 0;
    std::string localizedDescription;

    friend bool operator==(const Error&, const Error&) = default;
};

}  // namespace foundation
