#pragma once

// The configured decoder: symbologies and their settings, scanning images,
// the results of the last scan and the inter-frame result cache. QR codes are
// read in binary mode: text that is valid UTF-8 comes back as it was written,
// other text as the library converts it.

#include <memory>
#include <mutex>
#include <string_view>
#include <tuple>
#include <vector>

#include "scanning/zbar/ZBarHandles.h"
#include "scanning/zbar/ZBarImage.h"
#include "scanning/zbar/ZBarSymbolSet.h"

class ZBarImageScanner {
  public:
    // Configuration codes as the library numbers them.
    enum Config {
        kEnable = 0,
        kAddCheck = 1,
        kEmitCheck = 2,
        kASCII = 3,
        kMinLength = 0x20,
        kMaxLength = 0x21,
        kUncertainty = 0x40,
        kPosition = 0x80,
        kXDensity = 0x100,
        kYDensity = 0x101,
    };

    ZBarImageScanner();
    virtual ~ZBarImageScanner();
    ZBarImageScanner(const ZBarImageScanner&) = delete;
    ZBarImageScanner& operator=(const ZBarImageScanner&) = delete;

    // setSymbology:config:to: ; symbology 0 means all. The library's answer
    // is ignored.
    void setSymbology(int symbology, int config, int value);
    // A setting in the library's syntax ("qrcode.enable=0", "x-density=2");
    // ignored when it does not parse.
    void parseConfig(std::string_view config);

    // The number of symbols decoded (> 0), 0 for none, negative on error. The
    // results stay until the next scan and are also stored in the image.
    virtual int scanImage(ZBarImage& image);
    // The symbols of the last scan.
    std::shared_ptr<ZBarSymbolSet> results() const;

    // Switches the library's inter-image result cache; reading it always
    // answers false.
    bool enableCache() const { return false; }
    void setEnableCache(bool enable);

    // The object's lock: callers that share a scanner between threads hold
    // it around scanning and around changes of the image and the settings.
    std::recursive_mutex& objectLock() const { return lock_; }
    ZBarImageScannerHandle* zbarImageScanner() const { return scanner_; }

  private:
    // Texts of the QR symbols of `results` whose bytes are not UTF-8, as the
    // library converts them; nullptr when there are none.
    std::shared_ptr<const ZBarSymbolTexts> convertedTexts(ZBarImage& image,
                                                          ZBarSymbolSetHandle* results);
    ZBarImageScannerHandle* textScanner();

    ZBarImageScannerHandle* scanner_;
    // A scanner for QR text only, with the library's own text conversion;
    // made when first needed.
    ZBarImageScannerHandle* textScanner_ = nullptr;
    std::vector<std::tuple<int, int, int>> settings_;
    // The last results while they have converted texts (one reference held).
    std::shared_ptr<ZBarSymbolSet> textResults_;
    mutable std::recursive_mutex lock_;
};
