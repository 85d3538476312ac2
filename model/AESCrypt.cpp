#include "model/AESCrypt.h"

#include "model/Base64Additions.h"
#include "model/CommonCryptor.h"
#include "model/CommonDigest.h"
#include "platform/foundation/StringUtilities.h"

namespace {

foundation::Data keyFor(std::string_view password) {
    return CommonDigest::SHA256Hash(foundation::dataFromString(password));
}

}  // namespace

std::optional<std::string> AESCrypt::decrypt(std::string_view base64Text,
                                             std::string_view password) {
    const foundation::Data cipher = Base64Additions::base64DataFromString(base64Text);
    const auto plain = CommonCryptor::decryptedAES256DataUsingKey(cipher, keyFor(password));
    if (!plain) {
        return std::nullopt;
    }
    return foundation::stringFromUTF8(*plain);
}

std::string AESCrypt::encrypt(std::string_view text, std::string_view password) {
    const auto cipher = CommonCryptor::AES256EncryptedDataUsingKey(foundation::dataFromString(text),
                                                                   keyFor(password));
    if (!cipher) {
        return {};
    }
    return Base64Additions::base64StringFromData(*cipher, cipher->size());
}
