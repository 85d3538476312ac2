// libFuzzer harness of the JSON reader: any bytes, read with fragments
// allowed, and what reads is written back.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/foundation/JSON.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto value = foundation::JSON::parse(text, foundation::JSON::AllowFragments))
        foundation::JSON::writeFragment(*value);
    return 0;
}
