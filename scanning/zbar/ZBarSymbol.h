#pragma once

// One decoded symbol of a scan: its symbology, text, quality and place in the
// image. Holds one library reference on the symbol.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/Geometry.h"
#include "scanning/zbar/ZBarHandles.h"

class ZBarSymbolSet;

// Texts that stand in for a symbol's own bytes (QR codes read in binary mode
// whose bytes are not UTF-8), by symbol handle.
using ZBarSymbolTexts = std::map<ZBarSymbolHandle*, std::string>;

class ZBarSymbol {
  public:
    // The display name of a symbology number, looked up on its low 8 bits;
    // "UNKNOWN" for numbers outside the table.
    static std::string nameForType(int type);

    // Takes a reference on `symbol` (not null).
    explicit ZBarSymbol(ZBarSymbolHandle* symbol,
                        std::shared_ptr<const ZBarSymbolTexts> texts = nullptr);
    ~ZBarSymbol();
    ZBarSymbol(const ZBarSymbol&) = delete;
    ZBarSymbol& operator=(const ZBarSymbol&) = delete;

    int type() const;
    std::string typeName() const;
    std::uint64_t configMask() const;
    std::uint64_t modifierMask() const;
    // The decoded bytes up to their first zero byte, as UTF-8 text; nullopt
    // when they are not valid UTF-8.
    std::optional<std::string> data() const;
    int quality() const;
    int count() const;
    int orientation() const;
    // The component symbols; nullptr when there are none.
    std::shared_ptr<ZBarSymbolSet> components() const;
    ZBarSymbolHandle* zbarSymbol() const { return symbol_; }
    // Bounding box of the location points in image pixels; the null
    // rectangle without points.
    graphics::Rect bounds() const;

  private:
    ZBarSymbolHandle* symbol_;
    std::shared_ptr<const ZBarSymbolTexts> texts_;
};
