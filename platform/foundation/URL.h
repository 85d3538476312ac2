#pragma once

// A URL parsed from text with the platform's strict rules, with its
// components, resolution against a base URL and query parameter parsing.
//
// Text is refused (fromString answers nullopt) when it is empty, holds a byte
// outside printable ASCII (space, controls, DEL, non-ASCII), one of
// " < > \ ^ ` { | }, a "%" not followed by two hex digits, a second "#", "["
// or "]" outside an IPv6 host, or a port that is not all digits.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace foundation {

class URL {
  public:
    using QueryItems = std::vector<std::pair<std::string, std::string>>;

    static std::optional<URL> fromString(std::string_view text);
    // The text resolved against a base URL (RFC 3986): the result is absolute.
    static std::optional<URL> fromString(std::string_view text, const URL& base);
    // A URL a page navigates to: as fromString, but a "%" not followed by two
    // hex digits stays as written, as browsers keep it; decoding the
    // component that holds it fails.
    static std::optional<URL> fromPageString(std::string_view text);
    // A "file://" URL of an absolute path; a folder gets a trailing "/".
    static URL fileURL(std::string_view path, bool isDirectory = false);

    const std::string& absoluteString() const { return text_; }
    // "" for a relative URL; case kept as written.
    const std::string& scheme() const { return scheme_; }
    // User, password, host and port exist only with a "//" authority.
    const std::optional<std::string>& user() const { return user_; }
    const std::optional<std::string>& password() const { return password_; }
    // Without the brackets of an IPv6 literal.
    const std::optional<std::string>& host() const { return host_; }
    const std::optional<int>& port() const { return port_; }
    // Percent-decoded, trailing "/" dropped except for the root "/".
    std::string path() const;
    const std::string& percentEncodedPath() const { return path_; }
    // Raw (still escaped); an empty query ("a?") differs from none.
    const std::optional<std::string>& query() const { return query_; }
    const std::optional<std::string>& fragment() const { return fragment_; }
    // Everything after "scheme:".
    std::string resourceSpecifier() const;

    // "/" first for an absolute path, then the decoded segments.
    std::vector<std::string> pathComponents() const;
    std::string lastPathComponent() const;
    std::string pathExtension() const;

    bool isFileURL() const;
    // The URL with "." and ".." segments of its path removed.
    URL standardized() const;

    // The query split at "&" (or the given separators) into name/value pairs,
    // percent-decoded ("+" kept). A piece without "=" gives an empty value; a
    // piece that does not decode is kept as written.
    QueryItems queryItems(std::string_view separators = "&") const;
    static QueryItems parseQuery(std::string_view query, std::string_view separators = "&");
    // The value of the first item of that name.
    std::optional<std::string> queryValue(std::string_view name) const;

    friend bool operator==(const URL& a, const URL& b) { return a.text_ == b.text_; }

  private:
    URL() = default;
    static std::optional<URL> parse(std::string_view text, bool strayPercentsAllowed = false);
    void recompose();

    std::string text_;
    std::string scheme_;
    std::optional<std::string> authority_;
    std::optional<std::string> user_;
    std::optional<std::string> password_;
    std::optional<std::string> host_;
    std::optional<int> port_;
    std::string path_;
    std::optional<std::string> query_;
    std::optional<std::string> fragment_;
};

}  // namespace foundation
