#pragma once

// Pass-phrase encryption of short texts carried on web pages: Base64 of AES-256
// CBC cipher text (zero vector, PKCS#7 padding) of the UTF-8 text, under the
// SHA-256 digest of the pass phrase's UTF-8 bytes.

#include <optional>
#include <string>
#include <string_view>

class AESCrypt {
  public:
    // The plain text, or nullopt when the text does not decrypt under the pass
    // phrase (a wrong pass phrase nearly always fails the padding check) or the
    // result is not UTF-8. Characters outside the Base64 alphabet are skipped.
    static std::optional<std::string> decrypt(std::string_view base64Text,
                                              std::string_view password);

    // The Base64 cipher text; an empty text gives one block, 24 characters.
    static std::string encrypt(std::string_view text, std::string_view password);
};
