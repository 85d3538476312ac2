#pragma once

// Errors of the cipher operations: the domain "CommonCryptoErrorDomain", the
// cryptor status as the code and a text for people per known status.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/foundation/Error.h"

namespace CommonCryptoErrorDomain {

inline constexpr const char* kCommonCryptoErrorDomain = "CommonCryptoErrorDomain";

// The error of a status, its texts localized: "Success", "Parameter Error", "Buffer Too Small",
// "Memory Failure", "Alignment Error", "Decode Error", "Unimplemented Function"
// for 0 and -4300 to -4305, "Unknown Error" for any other.
foundation::Error errorWithCCCryptorStatus(std::int32_t status);

// Why the operation failed, for the known failures -4300 to -4305; nullopt
// for success and for unknown statuses.
std::optional<std::string> localizedFailureReason(std::int32_t status);

}  // namespace CommonCryptoErrorDomain
