#include "platform/foundation/StringsTable.h"

#include <cctype>

#include "platform/foundation/UTF16.h"

namespace foundation {
namespace {

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    bool run(std::map<std::string, std::string, std::less<>>& entries) {
        for (;;) {
            skipBlanks();
            if (failed_)
                return false;
            if (at_ >= text_.size())
                return true;
            auto key = token();
            if (!key)
                return false;
            skipBlanks();
            std::string value = *key;
            if (peek() == '=') {
                ++at_;
                skipBlanks();
                auto parsed = token();
                if (!parsed)
                    return false;
                value = std::move(*parsed);
                skipBlanks();
            }
            if (peek() != ';')
                return false;
            ++at_;
            entries.insert_or_assign(std::move(*key), std::move(value));
        }
    }

    std::size_t line() const {
        std::size_t line = 1;
        for (std::size_t i = 0; i < at_ && i < text_.size(); ++i)
            if (text_[i] == '\n')
                ++line;
        return line;
    }

  private:
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }

    void skipBlanks() {
        while (at_ < text_.size()) {
            if (std::isspace(static_cast<unsigned char>(text_[at_]))) {
                ++at_;
            } else if (text_.substr(at_).starts_with("/*")) {
                const auto end = text_.find("*/", at_ + 2);
                if (end == std::string_view::npos) {
                    failed_ = true;
                    return;
                }
                at_ = end + 2;
            } else if (text_.substr(at_).starts_with("//")) {
                const auto end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                return;
            }
        }
    }

    std::optional<std::string> token() {
        if (peek() == '"')
            return quoted();
        std::string word;
        while (at_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[at_])) ||
                std::string_view("_$./:-").find(text_[at_]) != std::string_view::npos))
            word += text_[at_++];
        if (word.empty())
            return std::nullopt;
        return word;
    }

    std::optional<std::string> quoted() {
        ++at_;
        std::string out;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"')
                return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size())
                return std::nullopt;
            const char e = text_[at_++];
            switch (e) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 'U':
                case 'u': {
                    if (at_ + 4 > text_.size())
                        return std::nullopt;
                    char16_t unit = 0;
                    for (int i = 0; i < 4; ++i) {
                        const char h = text_[at_++];
                        if (!std::isxdigit(static_cast<unsigned char>(h)))
                            return std::nullopt;
                        unit = static_cast<char16_t>(unit * 16 +
                                                     (h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10));
                    }
                    pendingUnits_ += unit;
                    if (unit >= 0xD800 && unit <= 0xDBFF)
                        continue;
                    out += utf16::fromUTF16(pendingUnits_).value_or("\xEF\xBF\xBD");
                    pendingUnits_.clear();
                    break;
                }
                default:
                    out += e;
                    break;
            }
        }
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    bool failed_ = false;
    std::u16string pendingUnits_;
};

std::string decodeText(const Data& data) {
    const bool littleEndian = data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    const bool bigEndian = data.size() >= 2 && data[0] == 0xFE && data[1] == 0xFF;
    if (littleEndian || bigEndian) {
        std::u16string units;
        for (std::size_t i = 2; i + 1 < data.size(); i += 2)
            units += static_cast<char16_t>(littleEndian ? data[i] | (data[i + 1] << 8)
                                                        : (data[i] << 8) | data[i + 1]);
        return utf16::fromUTF16(units).value_or("");
    }
    std::string text(data.begin(), data.end());
    if (text.starts_with("\xEF\xBB\xBF"))
        text.erase(0, 3);
    return text;
}

}  // namespace

std::optional<StringsTable> StringsTable::parse(const Data& data, Error* error) {
    const std::string text = decodeText(data);
    StringsTable table;
    Parser parser(text);
    if (!parser.run(table.entries_)) {
        if (error)
            *error =
                Error{"StringsTable", 3840,
                      "Syntax error in strings table near line " + std::to_string(parser.line())};
        return std::nullopt;
    }
    return table;
}

std::optional<std::string> StringsTable::lookup(std::string_view key) const {
    const auto found = entries_.find(key);
    if (found == entries_.end())
        return std::nullopt;
    return found->second;
}

}  // namespace foundation
