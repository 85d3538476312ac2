// libFuzzer harness of the web layer's HTML reader: any bytes as a page and
// as a fragment, parsed into the tree the DOM is built from (no scripts run).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/web/HTMLTreeBuilder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string page = web::HTMLTreeBuilder::toUTF8(bytes, "windows-1252");
    web::HTMLTreeBuilder::documentTree(page);
    web::HTMLTreeBuilder::fragmentTree(page);
    return 0;
}
