// libFuzzer harness of the ad pages' gmsg messages: any bytes as a URL, read
// as a message when the URL parses.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ads/webview/GADNotification.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto url = foundation::URL::fromString(text)) {
        if (const auto message = GADNotification::withNotificationURL(*url))
            message->description();
    }
    return 0;
}
