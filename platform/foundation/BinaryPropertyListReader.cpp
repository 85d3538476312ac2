#include "platform/foundation/BinaryPropertyListReader.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/foundation/NestingLimit.h"
#include "platform/foundation/UTF16.h"

namespace foundation {
namespace {

constexpr std::string_view kMagic = "bplist00";
constexpr std::size_t kTrailerSize = 32;
// Shared objects are read once per reference: a file whose references fan
// out over each other could otherwise expand without end. What a file may
// expand to is bounded (about the size of each object and its contents).
constexpr std::uint64_t kObjectCost = 16;
constexpr std::uint64_t kExpansionPerByte = 64;
constexpr std::uint64_t kExpansionFloor = 8u << 20;

class Reader {
  public:
    explicit Reader(const Data& data) : data_(data) {}

    std::optional<Value> read() {
        if (data_.size() < kMagic.size() + kTrailerSize ||
            std::memcmp(data_.data(), kMagic.data(), kMagic.size()) != 0)
            return std::nullopt;
        const std::size_t trailer = data_.size() - kTrailerSize;
        const unsigned offsetSize = data_[trailer + 6];
        referenceSize_ = data_[trailer + 7];
        const std::uint64_t count = number(trailer + 8, 8);
        const std::uint64_t top = number(trailer + 16, 8);
        const std::uint64_t table = number(trailer + 24, 8);
        if (offsetSize < 1 || offsetSize > 8 || referenceSize_ < 1 || referenceSize_ > 8 ||
            count == 0 || top >= count || table < kMagic.size() || table > trailer ||
            count > (trailer - table) / offsetSize)
            return std::nullopt;
        objectsEnd_ = table;
        offsets_.reserve(count);
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint64_t offset = number(table + i * offsetSize, offsetSize);
            if (offset < kMagic.size() || offset >= objectsEnd_)
                return std::nullopt;
            offsets_.push_back(offset);
        }
        onPath_.assign(count, false);
        budget_ = std::max<std::uint64_t>(kExpansionFloor, data_.size() * kExpansionPerByte);
        return object(top, 0);
    }

  private:
    // A big-endian unsigned number of `size` bytes at `at` (in bounds).
    std::uint64_t number(std::size_t at, std::size_t size) const {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value = (value << 8) | data_[at + i];
        return value;
    }

    bool fits(std::uint64_t at, std::uint64_t size) const {
        return at <= objectsEnd_ && size <= objectsEnd_ - at;
    }

    // An integer object at `at`: 1, 2, 4 or 8 bytes (16-byte integers keep
    // their low 64 bits). 8-byte and longer integers are signed.
    std::optional<std::int64_t> integer(std::uint64_t at, std::uint64_t* end) const {
        if (!fits(at, 1) || (data_[at] & 0xF0) != 0x10)
            return std::nullopt;
        const unsigned power = data_[at] & 0x0F;
        if (power > 4)
            return std::nullopt;
        const std::uint64_t size = 1u << power;
        if (!fits(at + 1, size))
            return std::nullopt;
        *end = at + 1 + size;
        const std::size_t kept = size > 8 ? 8 : size;
        return static_cast<std::int64_t>(number(at + 1 + size - kept, kept));
    }

    // The element count of the object at `at` and where its contents start.
    std::optional<std::uint64_t> length(std::uint64_t at, std::uint64_t* contents) const {
        const unsigned nibble = data_[at] & 0x0F;
        if (nibble != 0x0F) {
            *contents = at + 1;
            return nibble;
        }
        const auto count = integer(at + 1, contents);
        if (!count || *count < 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(*count);
    }

    std::optional<std::uint64_t> reference(std::uint64_t at) const {
        const std::uint64_t index = number(at, referenceSize_);
        if (index >= offsets_.size())
            return std::nullopt;
        return index;
    }

    bool spend(std::uint64_t cost) {
        if (cost > budget_)
            return false;
        budget_ -= cost;
        return true;
    }

    std::optional<Value> object(std::uint64_t index, int depth) {
        if (depth > kMaximumNestingDepth || onPath_[index] || !spend(kObjectCost))
            return std::nullopt;
        onPath_[index] = true;
        auto value = contents(offsets_[index], depth);
        onPath_[index] = false;
        return value;
    }

    std::optional<Value> contents(std::uint64_t at, int depth) {
        const unsigned marker = data_[at];
        std::uint64_t start = 0;
        switch (marker >> 4) {
            case 0x0:
                if (marker == 0x08 || marker == 0x09)
                    return Value(marker == 0x09);
                return std::nullopt;
            case 0x1:
                if (auto n = integer(at, &start))
                    return Value(*n);
                return std::nullopt;
            case 0x2:
                return real(at);
            case 0x3:
                if (marker != 0x33 || !fits(at + 1, 8))
                    return std::nullopt;
                if (const double seconds = std::bit_cast<double>(number(at + 1, 8));
                    std::isfinite(seconds))
                    return Value(Date::fromTimeIntervalSinceReferenceDate(seconds));
                return std::nullopt;
            case 0x4:
                if (auto size = length(at, &start); size && fits(start, *size) && spend(*size))
                    return Value(Data(data_.begin() + static_cast<long>(start),
                                      data_.begin() + static_cast<long>(start + *size)));
                return std::nullopt;
            case 0x5:
            case 0x6:
                return string(at);
            case 0x8: {
                const std::uint64_t size = (marker & 0x0F) + 1u;
                if (size > 8 || !fits(at + 1, size))
                    return std::nullopt;
                return Value(
                    Dictionary{{"CF$UID", Value(static_cast<std::int64_t>(number(at + 1, size)))}});
            }
            case 0xA:
                return array(at, depth);
            case 0xD:
                return dictionary(at, depth);
            default:
                return std::nullopt;
        }
    }

    std::optional<Value> real(std::uint64_t at) const {
        const unsigned power = data_[at] & 0x0F;
        if (power == 2 && fits(at + 1, 4))
            return Value(std::bit_cast<float>(static_cast<std::uint32_t>(number(at + 1, 4))));
        if (power == 3 && fits(at + 1, 8))
            return Value(std::bit_cast<double>(number(at + 1, 8)));
        return std::nullopt;
    }

    // ASCII strings (bytes past 0x7F are taken as Latin-1) and UTF-16BE
    // strings; unpaired surrogates make the string malformed.
    std::optional<Value> string(std::uint64_t at) {
        std::uint64_t start = 0;
        const auto count = length(at, &start);
        if (!count)
            return std::nullopt;
        std::u16string units;
        if (*count > objectsEnd_ || !spend(*count * 2))
            return std::nullopt;
        if ((data_[at] >> 4) == 0x5) {
            if (!fits(start, *count))
                return std::nullopt;
            units.assign(data_.begin() + static_cast<long>(start),
                         data_.begin() + static_cast<long>(start + *count));
        } else {
            if (*count > objectsEnd_ / 2 || !fits(start, *count * 2))
                return std::nullopt;
            units.reserve(*count);
            for (std::uint64_t i = 0; i < *count; ++i)
                units.push_back(static_cast<char16_t>(number(start + 2 * i, 2)));
        }
        if (auto text = utf16::fromUTF16(units))
            return Value(std::move(*text));
        return std::nullopt;
    }

    // The references of a collection of `count` elements starting at `start`.
    bool referencesFit(std::uint64_t start, std::uint64_t count) const {
        return count <= objectsEnd_ / referenceSize_ && fits(start, count * referenceSize_);
    }

    std::optional<Value> array(std::uint64_t at, int depth) {
        std::uint64_t start = 0;
        const auto count = length(at, &start);
        if (!count || !referencesFit(start, *count))
            return std::nullopt;
        Array elements;
        elements.reserve(*count);
        for (std::uint64_t i = 0; i < *count; ++i) {
            const auto index = reference(start + i * referenceSize_);
            auto element = index ? object(*index, depth + 1) : std::nullopt;
            if (!element)
                return std::nullopt;
            elements.push_back(std::move(*element));
        }
        return Value(std::move(elements));
    }

    // Keys come first, then the values, each `count` references long.
    std::optional<Value> dictionary(std::uint64_t at, int depth) {
        std::uint64_t start = 0;
        const auto count = length(at, &start);
        if (!count || *count > objectsEnd_ / 2 || !referencesFit(start, *count * 2))
            return std::nullopt;
        Dictionary entries;
        for (std::uint64_t i = 0; i < *count; ++i) {
            const auto keyIndex = reference(start + i * referenceSize_);
            const auto valueIndex = reference(start + (*count + i) * referenceSize_);
            if (!keyIndex || !valueIndex)
                return std::nullopt;
            const unsigned keyMarker = data_[offsets_[*keyIndex]] >> 4;
            if (keyMarker != 0x5 && keyMarker != 0x6)
                return std::nullopt;
            auto key = string(offsets_[*keyIndex]);
            auto value = key ? object(*valueIndex, depth + 1) : std::nullopt;
            if (!value)
                return std::nullopt;
            entries.insert_or_assign(*key->asString(), std::move(*value));
        }
        return Value(std::move(entries));
    }

    const Data& data_;
    unsigned referenceSize_ = 0;
    std::uint64_t objectsEnd_ = 0;
    std::vector<std::uint64_t> offsets_;
    std::vector<bool> onPath_;
    std::uint64_t budget_ = 0;
};

}  // namespace

std::optional<Value> BinaryPropertyListReader::read(const Data& data) {
    return Reader(data).read();
}

}  // namespace foundation
