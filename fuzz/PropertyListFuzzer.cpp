// libFuzzer harness of the property-list reader (XML and binary): any bytes,
// and what reads is written back in both forms and read again.

#include <cstddef>
#include <cstdint>

#include "platform/foundation/PropertyList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using foundation::PropertyList;
    const auto value = PropertyList::parse(foundation::Data(data, data + size));
    if (!value)
        return 0;
    for (const auto format : {PropertyList::Format::XML, PropertyList::Format::Binary}) {
        if (const auto written = PropertyList::write(*value, format))
            PropertyList::parse(*written);
    }
    return 0;
}
