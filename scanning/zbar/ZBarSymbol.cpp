#include <zbar.h>

#include "scanning/zbar/ZBarSymbol.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "model/symbology/SymbologyNames.h"
#include "platform/foundation/UTF16.h"
#include "scanning/zbar/ZBarSymbolSet.h"

using namespace zbar;

std::string ZBarSymbol::nameForType(int type) {
    return SymbologyNames::nameForType(type);
}

ZBarSymbol::ZBarSymbol(ZBarSymbolHandle* symbol, std::shared_ptr<const ZBarSymbolTexts> texts)
    : symbol_(symbol), texts_(std::move(texts)) {
    zbar_symbol_ref(symbol_, 1);
}

ZBarSymbol::~ZBarSymbol() {
    zbar_symbol_ref(symbol_, -1);
}

int ZBarSymbol::type() const {
    return zbar_symbol_get_type(symbol_);
}

std::string ZBarSymbol::typeName() const {
    return nameForType(type());
}

std::uint64_t ZBarSymbol::configMask() const {
    return zbar_symbol_get_configs(symbol_);
}

std::uint64_t ZBarSymbol::modifierMask() const {
    return zbar_symbol_get_modifiers(symbol_);
}

std::optional<std::string> ZBarSymbol::data() const {
    if (texts_) {
        auto it = texts_->find(symbol_);
        if (it != texts_->end()) {
            return it->second;
        }
    }
    const char* bytes = zbar_symbol_get_data(symbol_);
    if (bytes == nullptr) {
        return std::nullopt;
    }
    const std::size_t length = zbar_symbol_get_data_length(symbol_);
    // Binary data may hold NUL bytes: the length says where it ends.
    std::string text(bytes, length);
    if (!foundation::utf16::isValidUTF8(text)) {
        return std::nullopt;
    }
    return text;
}

int ZBarSymbol::quality() const {
    return zbar_symbol_get_quality(symbol_);
}

int ZBarSymbol::count() const {
    return zbar_symbol_get_count(symbol_);
}

int ZBarSymbol::orientation() const {
    return zbar_symbol_get_orientation(symbol_);
}

std::shared_ptr<ZBarSymbolSet> ZBarSymbol::components() const {
    return ZBarSymbolSet::make(zbar_symbol_get_components(symbol_), texts_);
}

graphics::Rect ZBarSymbol::bounds() const {
    const unsigned points = zbar_symbol_get_loc_size(symbol_);
    if (points == 0) {
        return graphics::Rect::null();
    }
    int minX = INT_MAX;
    int minY = INT_MAX;
    int maxX = INT_MIN;
    int maxY = INT_MIN;
    // Points 0 to count - 1: the library answers -1 past the last one.
    for (unsigned i = 0; i < points; ++i) {
        const int x = zbar_symbol_get_loc_x(symbol_, i);
        const int y = zbar_symbol_get_loc_y(symbol_, i);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    return {static_cast<double>(minX), static_cast<double>(minY), static_cast<double>(maxX - minX),
            static_cast<double>(maxY - minY)};
}
