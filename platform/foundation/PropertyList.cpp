#include "platform/foundation/PropertyList.h"

#include <plist/plist.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/foundation/BinaryPropertyListReader.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/NestingLimit.h"

namespace foundation {
namespace {

struct PlistDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

void report(Error* error, long code, std::string text) {
    if (error)
        *error = Error{PropertyList::kErrorDomain, code, std::move(text)};
}

// True when the elements of an XML text nest properly and no deeper than
// kMaximumNestingDepth collections between the property-list element and a
// leaf element. libplist's
// XML reader and its tree are recursive: deeper text is refused before it
// reaches them.
bool xmlNestsWithinLimit(std::string_view text) {
    std::vector<std::string_view> open;
    std::size_t at = 0;
    const auto skipPast = [&](std::string_view end) {
        const std::size_t found = text.find(end, at);
        at = found == std::string_view::npos ? found : found + end.size();
        return found != std::string_view::npos;
    };
    while ((at = text.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = text.substr(at);
        if (rest.starts_with("<!--")) {
            if (!skipPast("-->"))
                return false;
        } else if (rest.starts_with("<![CDATA[")) {
            if (!skipPast("]]>"))
                return false;
        } else if (rest.starts_with("<?")) {
            if (!skipPast("?>"))
                return false;
        } else {
            const bool closing = rest.starts_with("</");
            const std::size_t nameStart = at + (closing ? 2 : 1);
            std::size_t end = nameStart;
            char quote = 0;
            for (; end < text.size() && (quote || text[end] != '>'); ++end) {
                if (quote && text[end] == quote)
                    quote = 0;
                else if (!quote && (text[end] == '"' || text[end] == '\''))
                    quote = text[end];
            }
            if (end == text.size())
                return false;
            const std::string_view tag = text.substr(nameStart, end - nameStart);
            const std::string_view name = tag.substr(0, tag.find_first_of(" \t\r\n/"));
            if (rest.starts_with("<!")) {
                // A declaration (the document type) nests nothing.
            } else if (closing) {
                if (open.empty() || open.back() != name)
                    return false;
                open.pop_back();
            } else if (!tag.ends_with('/')) {
                open.push_back(name);
                if (open.size() > static_cast<std::size_t>(kMaximumNestingDepth) + 2)
                    return false;
            }
            at = end + 1;
        }
    }
    return true;
}

std::optional<Value> fromPlist(plist_t node, int depth) {
    if (!node || depth > kMaximumNestingDepth)
        return std::nullopt;
    switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            uint8_t b = 0;
            plist_get_bool_val(node, &b);
            return Value(b != 0);
        }
        case PLIST_UINT: {
            // Integers are kept as 64-bit patterns; plist integers are signed
            // unless they exceed the signed range.
            uint64_t u = 0;
            plist_get_uint_val(node, &u);
            return Value(static_cast<std::int64_t>(u));
        }
        case PLIST_REAL: {
            double d = 0;
            plist_get_real_val(node, &d);
            return Value(d);
        }
        case PLIST_STRING: {
            // The pointer form: the copying getter asserts on text holding U+0000.
            uint64_t length = 0;
            const char* text = plist_get_string_ptr(node, &length);
            return Value(text ? std::string(text, length) : std::string());
        }
        case PLIST_DATA: {
            uint64_t length = 0;
            const auto* bytes =
                reinterpret_cast<const std::uint8_t*>(plist_get_data_ptr(node, &length));
            return Value(bytes ? Data(bytes, bytes + length) : Data());
        }
        case PLIST_DATE: {
            int32_t sec = 0;
            int32_t usec = 0;
            plist_get_date_val(node, &sec, &usec);
            return Value(Date::fromTimeIntervalSinceReferenceDate(sec + usec / 1e6));
        }
        case PLIST_ARRAY: {
            Array array;
            const uint32_t size = plist_array_get_size(node);
            for (uint32_t i = 0; i < size; ++i) {
                auto element = fromPlist(plist_array_get_item(node, i), depth + 1);
                if (!element)
                    return std::nullopt;
                array.push_back(std::move(*element));
            }
            return Value(std::move(array));
        }
        case PLIST_DICT: {
            Dictionary dictionary;
            plist_dict_iter iterator = nullptr;
            plist_dict_new_iter(node, &iterator);
            for (;;) {
                char* key = nullptr;
                plist_t item = nullptr;
                plist_dict_next_item(node, iterator, &key, &item);
                if (!item) {
                    free(key);
                    break;
                }
                auto element = fromPlist(item, depth + 1);
                std::string name = key ? key : "";
                free(key);
                if (!element) {
                    free(iterator);
                    return std::nullopt;
                }
                dictionary.insert_or_assign(std::move(name), std::move(*element));
            }
            free(iterator);
            return Value(std::move(dictionary));
        }
        case PLIST_UID: {
            uint64_t uid = 0;
            plist_get_uid_val(node, &uid);
            return Value(Dictionary{{"CF$UID", Value(static_cast<std::int64_t>(uid))}});
        }
        default:
            return std::nullopt;
    }
}

plist_t toPlist(const Value& value) {
    switch (value.type()) {
        case Value::Type::Boolean:
            return plist_new_bool(value.boolValue() ? 1 : 0);
        case Value::Type::Integer:
            return plist_new_uint(static_cast<uint64_t>(value.integerValue()));
        case Value::Type::Real:
            return plist_new_real(value.doubleValue());
        case Value::Type::String:
            return plist_new_string(value.asString()->c_str());
        case Value::Type::Data: {
            const Data& data = *value.asData();
            return plist_new_data(reinterpret_cast<const char*>(data.data()), data.size());
        }
        case Value::Type::Date: {
            // Kept to the second: the XML form has no fraction, and libplist's
            // binary reader loses whole seconds when a fraction is present.
            const double seconds = std::round(value.asDate()->timeIntervalSinceReferenceDate());
            if (!(seconds >= std::numeric_limits<int32_t>::min() &&
                  seconds <= std::numeric_limits<int32_t>::max()))
                return nullptr;
            return plist_new_date(static_cast<int32_t>(seconds), 0);
        }
        case Value::Type::Array: {
            PlistPtr array(plist_new_array());
            for (const Value& element : *value.asArray()) {
                plist_t item = toPlist(element);
                if (!item)
                    return nullptr;
                plist_array_append_item(array.get(), item);
            }
            return array.release();
        }
        case Value::Type::Dictionary: {
            PlistPtr dictionary(plist_new_dict());
            for (const auto& [key, element] : *value.asDictionary()) {
                plist_t item = toPlist(element);
                if (!item)
                    return nullptr;
                plist_dict_set_item(dictionary.get(), key.c_str(), item);
            }
            return dictionary.release();
        }
        default:
            return nullptr;
    }
}

bool isPlistElement(const Value& value) {
    switch (value.type()) {
        case Value::Type::Null:
            return false;
        case Value::Type::Array:
            for (const Value& element : *value.asArray())
                if (!isPlistElement(element))
                    return false;
            return true;
        case Value::Type::Dictionary:
            for (const auto& entry : *value.asDictionary())
                if (!isPlistElement(entry.second))
                    return false;
            return true;
        default:
            return true;
    }
}

}  // namespace

std::optional<Value> PropertyList::parse(const Data& data, Format* format, Error* error) {
    if (data.empty() || data.size() > std::numeric_limits<uint32_t>::max()) {
        report(error, 3840, "The data couldn't be read because it is empty or too large.");
        return std::nullopt;
    }
    const char* bytes = reinterpret_cast<const char*>(data.data());
    const auto length = static_cast<uint32_t>(data.size());
    const bool binary = plist_is_binary(bytes, length) != 0;
    std::optional<Value> value;
    if (binary) {
        value = BinaryPropertyListReader::read(data);
    } else if (xmlNestsWithinLimit(std::string_view(bytes, length))) {
        plist_t root = nullptr;
        plist_from_xml(bytes, length, &root);
        PlistPtr owner(root);
        value = fromPlist(root, 0);
    }
    if (!value) {
        report(error, 3840, "The data couldn't be read because it isn't in the correct format.");
        return std::nullopt;
    }
    if (format)
        *format = binary ? Format::Binary : Format::XML;
    return value;
}

bool PropertyList::isValid(const Value& value) {
    return isPlistElement(value);
}

std::optional<Data> PropertyList::write(const Value& value, Format format, Error* error) {
    PlistPtr root(isPlistElement(value) ? toPlist(value) : nullptr);
    if (!root) {
        report(error, 3851,
               "Property list invalid for format (it contains null or an unsupported value).");
        return std::nullopt;
    }
    char* bytes = nullptr;
    uint32_t length = 0;
    if (format == Format::Binary) {
        plist_to_bin(root.get(), &bytes, &length);
    } else {
        plist_to_xml(root.get(), &bytes, &length);
    }
    if (!bytes) {
        report(error, 3851, "The property list could not be written.");
        return std::nullopt;
    }
    Data out(reinterpret_cast<const std::uint8_t*>(bytes),
             reinterpret_cast<const std::uint8_t*>(bytes) + length);
    if (format == Format::Binary)
        plist_to_bin_free(bytes);
    else
        plist_to_xml_free(bytes);
    return out;
}

std::optional<Value> PropertyList::readFile(const std::string& path, Error* error) {
    const auto data = FileManager::defaultManager().contentsAtPath(path);
    if (!data) {
        report(error, 260, "The file \"" + path + "\" couldn't be opened.");
        return std::nullopt;
    }
    return parse(*data, nullptr, error);
}

bool PropertyList::writeFile(const Value& value, const std::string& path, Format format,
                             Error* error) {
    const auto data = write(value, format, error);
    return data && FileManager::defaultManager().writeAtomically(path, *data, error);
}

}  // namespace foundation
