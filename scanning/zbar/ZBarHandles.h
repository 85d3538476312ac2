#pragma once

// The zbar library's handle types, declared without its header so that code
// using the wrappers does not depend on the order of zbar and other barcode
// headers.

namespace zbar {
struct zbar_symbol_s;
struct zbar_symbol_set_s;
struct zbar_image_s;
struct zbar_image_scanner_s;
}  // namespace zbar

using ZBarSymbolHandle = const zbar::zbar_symbol_s;
using ZBarSymbolSetHandle = const zbar::zbar_symbol_set_s;
using ZBarImageHandle = zbar::zbar_image_s;
using ZBarImageScannerHandle = zbar::zbar_image_scanner_s;
