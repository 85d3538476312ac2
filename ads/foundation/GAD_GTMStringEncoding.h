#pragma once

// Encodes binary data as text in an alphabet of 2 to 128 ASCII characters (a
// power of two) and decodes it back: binary, hexadecimal, the Base32 and
// Base64 forms of RFC 4648 and Crockford's Base32. Decoding takes input with
// or without padding and refuses unknown characters, values after padding
// and non-zero leftover bits.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/foundation/Data.h"

class GAD_GTMStringEncoding {
  public:
    static std::shared_ptr<GAD_GTMStringEncoding> binaryStringEncoding();
    static std::shared_ptr<GAD_GTMStringEncoding> hexStringEncoding();
    static std::shared_ptr<GAD_GTMStringEncoding> rfc4648Base32StringEncoding();
    static std::shared_ptr<GAD_GTMStringEncoding> rfc4648Base32HexStringEncoding();
    static std::shared_ptr<GAD_GTMStringEncoding> crockfordBase32StringEncoding();
    static std::shared_ptr<GAD_GTMStringEncoding> rfc4648Base64StringEncoding();
    static std::shared_ptr<GAD_GTMStringEncoding> rfc4648Base64WebsafeStringEncoding();

    // nullptr when the alphabet is not ASCII, its length is not a power of
    // two from 2 to 128, or a character occurs twice. No padding.
    static std::shared_ptr<GAD_GTMStringEncoding> stringEncodingWithString(
        std::string_view alphabet);

    // Each character without a value takes the value of the last character
    // before it that has one ("AaBb": "a" reads as "A", "b" as "B").
    void addDecodeSynonyms(std::string_view synonyms);
    // Characters skipped when decoding; false (and nothing changed for that
    // character) when one already has a meaning.
    bool ignoreCharacters(std::string_view characters);
    void setPaddingChar(char padding);
    bool doPad() const { return doPad_; }
    void setDoPad(bool doPad) { doPad_ = doPad; }

    std::string encode(std::span<const std::uint8_t> data) const;
    std::string encodeString(std::string_view text) const;
    std::optional<foundation::Data> decode(std::string_view text) const;
    // The decoded bytes as UTF-8 text; nullopt when they are not text.
    std::optional<std::string> stringByDecoding(std::string_view text) const;

    std::string description() const;

    explicit GAD_GTMStringEncoding(std::string alphabet);

  private:
    static constexpr int kUnknown = -1;
    static constexpr int kPadding = -2;
    static constexpr int kIgnored = -3;

    std::string alphabet_;
    std::array<int, 128> reverse_;
    int shift_ = 0;
    int mask_ = 0;
    bool doPad_ = false;
    char paddingChar_ = '=';
    int blockLength_ = 0;
};
