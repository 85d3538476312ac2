#include "model/CommonCryptoErrorDomain.h"

#include "platform/foundation/Bundle.h"

namespace CommonCryptoErrorDomain {

namespace {

struct StatusTexts {
    std::int32_t status;
    const char* description;
    const char* failureReason;
};

constexpr StatusTexts table[] = {
    {0, "Success", nullptr},
    {-4300, "Parameter Error", "Illegal parameter supplied to encryption/decryption algorithm"},
    {-4301, "Buffer Too Small", "Insufficient buffer provided for specified operation"},
    {-4302, "Memory Failure", "Failed to allocate memory"},
    {-4303, "Alignment Error", "Input size to encryption algorithm was not aligned correctly"},
    {-4304, "Decode Error", "Input data did not decode or decrypt correctly"},
    {-4305, "Unimplemented Function", "Function not implemented for the current algorithm"},
};

// Texts are keys of the default strings table; a missing key is its own text.
const StatusTexts* textsOf(std::int32_t status) {
    for (const StatusTexts& entry : table) {
        if (entry.status == status) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

foundation::Error errorWithCCCryptorStatus(std::int32_t status) {
    const StatusTexts* texts = textsOf(status);
    return foundation::Error{
        kCommonCryptoErrorDomain, status,
        foundation::localizedString(texts != nullptr ? texts->description : "Unknown Error")};
}

std::optional<std::string> localizedFailureReason(std::int32_t status) {
    const StatusTexts* texts = textsOf(status);
    if (texts == nullptr || texts->failureReason == nullptr) {
        return std::nullopt;
    }
    return foundation::localizedString(texts->failureReason);
}

}  // namespace CommonCryptoErrorDomain
