#include <zbar.h>

#include "scanning/zbar/ZBarImageScanner.h"

#include <cstring>
#include <string>

#include "platform/foundation/UTF16.h"

using namespace zbar;

namespace {

bool bytesAreUTF8(const zbar_symbol_t* symbol) {
    const char* bytes = zbar_symbol_get_data(symbol);
    if (bytes == nullptr) {
        return true;
    }
    return foundation::utf16::isValidUTF8(
        std::string_view(bytes, zbar_symbol_get_data_length(symbol)));
}

bool sameLocation(const zbar_symbol_t* a, const zbar_symbol_t* b) {
    const unsigned n = zbar_symbol_get_loc_size(a);
    if (n != zbar_symbol_get_loc_size(b)) {
        return false;
    }
    for (unsigned i = 0; i < n; ++i) {
        if (zbar_symbol_get_loc_x(a, i) != zbar_symbol_get_loc_x(b, i) ||
            zbar_symbol_get_loc_y(a, i) != zbar_symbol_get_loc_y(b, i)) {
            return false;
        }
    }
    return true;
}

}  // namespace

ZBarImageScanner::ZBarImageScanner() : scanner_(zbar_image_scanner_create()) {
    zbar_image_scanner_set_config(scanner_, ZBAR_QRCODE, ZBAR_CFG_BINARY, 1);
}

ZBarImageScanner::~ZBarImageScanner() {
    textResults_.reset();
    if (textScanner_ != nullptr) {
        zbar_image_scanner_destroy(textScanner_);
    }
    // The library frees the cached symbols only when the cache is switched
    // off, not when the scanner is destroyed.
    zbar_image_scanner_enable_cache(scanner_, 0);
    zbar_image_scanner_destroy(scanner_);
}

void ZBarImageScanner::setSymbology(int symbology, int config, int value) {
    std::lock_guard guard(lock_);
    zbar_image_scanner_set_config(scanner_, static_cast<zbar_symbol_type_t>(symbology),
                                  static_cast<zbar_config_t>(config), value);
    settings_.emplace_back(symbology, config, value);
    if (textScanner_ != nullptr) {
        zbar_image_scanner_destroy(textScanner_);
        textScanner_ = nullptr;
    }
}

void ZBarImageScanner::parseConfig(std::string_view config) {
    const std::string text(config);
    zbar_symbol_type_t symbology = ZBAR_NONE;
    zbar_config_t setting = ZBAR_CFG_ENABLE;
    int value = 0;
    if (zbar_parse_config(text.c_str(), &symbology, &setting, &value) == 0) {
        setSymbology(symbology, setting, value);
    }
}

void ZBarImageScanner::setEnableCache(bool enable) {
    std::lock_guard guard(lock_);
    zbar_image_scanner_enable_cache(scanner_, enable ? 1 : 0);
}

int ZBarImageScanner::scanImage(ZBarImage& image) {
    std::lock_guard guard(lock_);
    textResults_.reset();
    const int count = zbar_scan_image(scanner_, image.zbarImage());
    const zbar_symbol_set_t* results = zbar_image_scanner_get_results(scanner_);
    if (count > 0 && results != nullptr) {
        if (auto texts = convertedTexts(image, results)) {
            textResults_ = ZBarSymbolSet::make(results, std::move(texts));
            image.setSymbols(textResults_);
        }
    }
    return count;
}

std::shared_ptr<ZBarSymbolSet> ZBarImageScanner::results() const {
    std::lock_guard guard(lock_);
    const zbar_symbol_set_t* results = zbar_image_scanner_get_results(scanner_);
    if (textResults_ && results == textResults_->zbarSymbolSet()) {
        return ZBarSymbolSet::make(results, textResults_->texts());
    }
    return ZBarSymbolSet::make(results);
}

zbar_image_scanner_t* ZBarImageScanner::textScanner() {
    if (textScanner_ == nullptr) {
        textScanner_ = zbar_image_scanner_create();
        for (const auto& [symbology, config, value] : settings_) {
            zbar_image_scanner_set_config(textScanner_, static_cast<zbar_symbol_type_t>(symbology),
                                          static_cast<zbar_config_t>(config), value);
        }
        zbar_image_scanner_set_config(textScanner_, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
        zbar_image_scanner_set_config(textScanner_, ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
        zbar_image_scanner_set_config(textScanner_, ZBAR_QRCODE, ZBAR_CFG_BINARY, 0);
    }
    return textScanner_;
}

std::shared_ptr<const ZBarSymbolTexts> ZBarImageScanner::convertedTexts(
    ZBarImage& image, const zbar_symbol_set_t* results) {
    std::vector<const zbar_symbol_t*> pending;
    for (const zbar_symbol_t* s = zbar_symbol_set_first_unfiltered(results); s != nullptr;
         s = zbar_symbol_next(s)) {
        if (zbar_symbol_get_type(s) == ZBAR_QRCODE && !bytesAreUTF8(s)) {
            pending.push_back(s);
        }
    }
    if (pending.empty()) {
        return nullptr;
    }
    // Bytes in another character set: scan once more, QR only, letting the
    // library convert them as it does by default. The image gets its own
    // results back afterwards.
    auto texts = std::make_shared<ZBarSymbolTexts>();
    zbar_image_scanner_t* converter = textScanner();
    zbar_symbol_set_ref(results, 1);
    if (zbar_scan_image(converter, image.zbarImage()) > 0) {
        const zbar_symbol_set_t* converted = zbar_image_scanner_get_results(converter);
        for (const zbar_symbol_t* raw : pending) {
            for (const zbar_symbol_t* s = zbar_symbol_set_first_unfiltered(converted); s != nullptr;
                 s = zbar_symbol_next(s)) {
                if (zbar_symbol_get_type(s) == ZBAR_QRCODE && sameLocation(raw, s)) {
                    const char* text = zbar_symbol_get_data(s);
                    (*texts)[raw] = std::string(text, zbar_symbol_get_data_length(s));
                    break;
                }
            }
        }
    }
    zbar_image_set_symbols(image.zbarImage(), results);
    zbar_symbol_set_ref(results, -1);
    return texts->empty() ? nullptr : texts;
}
