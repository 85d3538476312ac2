#include "platform/foundation/URL.h"

#include <cctype>

#include "platform/foundation/PercentEncoding.h"
#include "platform/foundation/StringUtilities.h"

namespace foundation {
namespace {

bool isHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool hasValidCharacters(std::string_view text, bool strayPercentsAllowed) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c <= 0x20 || c >= 0x7F)
            return false;
        if (std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string_view::npos)
            return false;
        if (c == '%' && !strayPercentsAllowed &&
            !(i + 2 < text.size() && isHex(text[i + 1]) && isHex(text[i + 2])))
            return false;
    }
    return true;
}

bool isSchemeText(std::string_view text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    for (char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    return true;
}

// RFC 3986 5.2.4.
std::string removeDotSegments(std::string_view input) {
    std::string in(input);
    std::string out;
    while (!in.empty()) {
        if (in.starts_with("../")) {
            in.erase(0, 3);
        } else if (in.starts_with("./")) {
            in.erase(0, 2);
        } else if (in.starts_with("/./")) {
            in.erase(0, 2);
        } else if (in == "/.") {
            in = "/";
        } else if (in.starts_with("/../") || in == "/..") {
            in = in == "/.." ? "/" : in.substr(3);
            const auto slash = out.rfind('/');
            out.erase(slash == std::string::npos ? 0 : slash);
        } else if (in == "." || in == "..") {
            in.clear();
        } else {
            const auto next = in.find('/', in[0] == '/' ? 1 : 0);
            out += in.substr(0, next);
            in.erase(0, next == std::string::npos ? in.size() : next);
        }
    }
    return out;
}

}  // namespace

std::optional<URL> URL::parse(std::string_view text, bool strayPercentsAllowed) {
    if (text.empty() || !hasValidCharacters(text, strayPercentsAllowed))
        return std::nullopt;
    URL url;
    std::string_view rest = text;
    if (const auto hash = rest.find('#'); hash != std::string_view::npos) {
        const std::string_view fragment = rest.substr(hash + 1);
        if (fragment.find('#') != std::string_view::npos)
            return std::nullopt;
        url.fragment_ = std::string(fragment);
        rest = rest.substr(0, hash);
    }
    if (const auto colon = rest.find(':'); colon != std::string_view::npos) {
        const std::string_view candidate = rest.substr(0, colon);
        if (candidate.find_first_of("/?") == std::string_view::npos && isSchemeText(candidate)) {
            url.scheme_ = std::string(candidate);
            rest = rest.substr(colon + 1);
        }
    }
    if (const auto question = rest.find('?'); question != std::string_view::npos) {
        url.query_ = std::string(rest.substr(question + 1));
        rest = rest.substr(0, question);
    }
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const auto slash = rest.find('/');
        const std::string_view authority = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
        url.authority_ = std::string(authority);
        std::string_view hostPort = authority;
        if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
            const std::string_view userInfo = authority.substr(0, at);
            hostPort = authority.substr(at + 1);
            const auto colon = userInfo.find(':');
            url.user_ = std::string(userInfo.substr(0, colon));
            if (colon != std::string_view::npos)
                url.password_ = std::string(userInfo.substr(colon + 1));
            if (userInfo.find_first_of("[]") != std::string_view::npos)
                return std::nullopt;
        }
        std::string_view portText;
        if (hostPort.starts_with("[")) {
            const auto close = hostPort.find(']');
            if (close == std::string_view::npos)
                return std::nullopt;
            url.host_ = std::string(hostPort.substr(1, close - 1));
            const std::string_view after = hostPort.substr(close + 1);
            if (!after.empty() && after[0] != ':')
                return std::nullopt;
            if (!after.empty())
                portText = after.substr(1);
            if (url.host_->find_first_of("[]") != std::string::npos)
                return std::nullopt;
        } else {
            const auto colon = hostPort.rfind(':');
            url.host_ = std::string(hostPort.substr(0, colon));
            if (colon != std::string_view::npos)
                portText = hostPort.substr(colon + 1);
            if (url.host_->find_first_of("[]") != std::string::npos)
                return std::nullopt;
        }
        if (!portText.empty()) {
            if (portText.size() > 9)
                return std::nullopt;
            int port = 0;
            for (char c : portText) {
                if (!std::isdigit(static_cast<unsigned char>(c)))
                    return std::nullopt;
                port = port * 10 + (c - '0');
            }
            url.port_ = port;
        }
    }
    if (rest.find_first_of("[]") != std::string_view::npos)
        return std::nullopt;
    if (url.query_ && url.query_->find_first_of("[]") != std::string::npos)
        return std::nullopt;
    url.path_ = std::string(rest);
    url.text_ = std::string(text);
    return url;
}

void URL::recompose() {
    text_.clear();
    if (!scheme_.empty())
        text_ += scheme_ + ":";
    if (authority_)
        text_ += "//" + *authority_;
    text_ += path_;
    if (query_)
        text_ += "?" + *query_;
    if (fragment_)
        text_ += "#" + *fragment_;
}

std::optional<URL> URL::fromString(std::string_view text) {
    return parse(text);
}

std::optional<URL> URL::fromPageString(std::string_view text) {
    return parse(text, true);
}

std::optional<URL> URL::fromString(std::string_view text, const URL& base) {
    std::optional<URL> reference = text.empty() ? std::optional<URL>(base) : parse(text);
    if (!reference)
        return std::nullopt;
    if (text.empty()) {
        reference->fragment_.reset();
        reference->recompose();
        return reference;
    }
    if (!reference->scheme_.empty()) {
        reference->path_ = removeDotSegments(reference->path_);
        reference->recompose();
        return reference;
    }
    URL target = *reference;
    target.scheme_ = base.scheme_;
    if (!reference->authority_) {
        target.authority_ = base.authority_;
        target.user_ = base.user_;
        target.password_ = base.password_;
        target.host_ = base.host_;
        target.port_ = base.port_;
        if (reference->path_.empty()) {
            target.path_ = base.path_;
            if (!reference->query_)
                target.query_ = base.query_;
        } else if (reference->path_.starts_with("/")) {
            target.path_ = removeDotSegments(reference->path_);
        } else {
            std::string merged;
            if (base.authority_ && base.path_.empty())
                merged = "/" + reference->path_;
            else
                merged = base.path_.substr(0, base.path_.rfind('/') == std::string::npos
                                                  ? 0
                                                  : base.path_.rfind('/') + 1) +
                         reference->path_;
            target.path_ = removeDotSegments(merged);
        }
    } else {
        target.path_ = removeDotSegments(reference->path_);
    }
    target.recompose();
    return target;
}

URL URL::fileURL(std::string_view path, bool isDirectory) {
    std::string escaped = addingPercentEscapes(path, "#?;[]");
    if (isDirectory && !escaped.ends_with("/"))
        escaped += "/";
    if (!escaped.starts_with("/"))
        escaped = "/" + escaped;
    return *parse("file://" + escaped);
}

std::string URL::path() const {
    std::string raw = path_;
    if (raw.size() > 1 && raw.ends_with("/"))
        raw.pop_back();
    return removingPercentEncoding(raw).value_or(raw);
}

std::string URL::resourceSpecifier() const {
    return scheme_.empty() ? text_ : text_.substr(scheme_.size() + 1);
}

std::vector<std::string> URL::pathComponents() const {
    std::vector<std::string> result;
    const std::string decoded = path();
    if (decoded.empty())
        return result;
    if (decoded.starts_with("/"))
        result.emplace_back("/");
    for (auto& piece : components(decoded, "/"))
        if (!piece.empty())
            result.push_back(std::move(piece));
    return result;
}

std::string URL::lastPathComponent() const {
    const auto parts = pathComponents();
    return parts.empty() ? "" : parts.back();
}

std::string URL::pathExtension() const {
    const std::string last = lastPathComponent();
    const auto dot = last.rfind('.');
    if (dot == std::string::npos || dot == 0 || last == "/")
        return "";
    return last.substr(dot + 1);
}

bool URL::isFileURL() const {
    return equalsIgnoringCase(scheme_, "file");
}

URL URL::standardized() const {
    URL copy = *this;
    copy.path_ = removeDotSegments(path_);
    copy.recompose();
    return copy;
}

URL::QueryItems URL::queryItems(std::string_view separators) const {
    return query_ ? parseQuery(*query_, separators) : QueryItems();
}

URL::QueryItems URL::parseQuery(std::string_view query, std::string_view separators) {
    QueryItems items;
    std::size_t start = 0;
    while (start <= query.size()) {
        const auto end = query.find_first_of(separators, start);
        const std::string_view piece = query.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!piece.empty()) {
            const auto equals = piece.find('=');
            const std::string_view name = piece.substr(0, equals);
            const std::string_view value =
                equals == std::string_view::npos ? std::string_view() : piece.substr(equals + 1);
            items.emplace_back(removingPercentEncoding(name).value_or(std::string(name)),
                               removingPercentEncoding(value).value_or(std::string(value)));
        }
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return items;
}

std::optional<std::string> URL::queryValue(std::string_view name) const {
    for (const auto& [key, value] : queryItems())
        if (key == name)
            return value;
    return std::nullopt;
}

}  // namespace foundation
