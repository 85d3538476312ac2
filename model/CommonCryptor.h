#pragma once

// Padded (PKCS#7) CBC encryption and decryption of data with a zero vector, by
// cipher: AES (key size by key length), DES and CAST. A failure answers nullopt
// and, when `error` is given, the CommonCryptoErrorDomain error of its status.

#include <optional>

#include "model/LowLevelCommonCryptor.h"
#include "platform/foundation/Data.h"
#include "platform/foundation/Error.h"

namespace CommonCryptor {

using LowLevelCommonCryptor::KeyMaterial;

std::optional<foundation::Data> AES256EncryptedDataUsingKey(const foundation::Data& data,
                                                            const KeyMaterial& key,
                                                            foundation::Error* error = nullptr);
std::optional<foundation::Data> decryptedAES256DataUsingKey(const foundation::Data& data,
                                                            const KeyMaterial& key,
                                                            foundation::Error* error = nullptr);
std::optional<foundation::Data> DESEncryptedDataUsingKey(const foundation::Data& data,
                                                         const KeyMaterial& key,
                                                         foundation::Error* error = nullptr);
std::optional<foundation::Data> decryptedDESDataUsingKey(const foundation::Data& data,
                                                         const KeyMaterial& key,
                                                         foundation::Error* error = nullptr);
std::optional<foundation::Data> CASTEncryptedDataUsingKey(const foundation::Data& data,
                                                          const KeyMaterial& key,
                                                          foundation::Error* error = nullptr);
std::optional<foundation::Data> decryptedCASTDataUsingKey(const foundation::Data& data,
                                                          const KeyMaterial& key,
                                                          foundation::Error* error = nullptr);

}  // namespace CommonCryptor
