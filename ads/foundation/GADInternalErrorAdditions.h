#pragma once

// Errors of the ad component's private domain, for failures that stay inside
// the component (files, internal faults, bad arguments).

#include <optional>
#include <string>

#include "platform/foundation/Error.h"

namespace GADInternalErrorAdditions {

inline constexpr const char* kGADPrivateErrorDomain = "com.dezuvo.ads.private";

// An error with the description, or without one when none is given.
foundation::Error gad_errorWithDomain(const std::string& domain, long code,
                                      const std::optional<std::string>& description);
// The same in the private domain.
foundation::Error gad_errorWithCode(long code, const std::optional<std::string>& description);
// Texts of the private codes 1 to 3; nullopt for any other code.
std::optional<std::string> gad_localizedDescriptionForErrorCode(long code);

}  // namespace GADInternalErrorAdditions
