#pragma once

// How long an HTTP response may be kept, read from its Pragma, Date,
// Cache-Control and Expires fields, and the three date forms HTTP uses.

#include <optional>
#include <string_view>

#include "platform/foundation/Date.h"
#include "platform/net/URLResponse.h"

namespace GADHeaderParser {

// nullopt for "Pragma: no-cache", a Cache-Control with "no-store" or a
// max-age below 1, or no freshness at all. Else the response's Date (now
// without one) plus max-age, or now plus the span from Date to Expires when
// Cache-Control gives no number; a Date that does not parse gives nullopt.
std::optional<foundation::Date> gad_expirationDate(const net::URLResponse& response);
// RFC 1123, asctime or RFC 850 form, in English and GMT; nullopt for others.
std::optional<foundation::Date> gad_dateFromHttpDateString(std::string_view text);

}  // namespace GADHeaderParser
