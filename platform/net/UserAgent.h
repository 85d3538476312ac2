#pragma once

// The User-Agent text that loads send when the request names none.

#include <string>

namespace net {

std::string defaultUserAgent();
void setDefaultUserAgent(std::string userAgent);

}  // namespace net
