#pragma once

// The screens the application delegate makes, as factories that the folders
// building those screens fill in when they register (the scanner screen as
// the window's root, the history list, the code detail and scan-result
// screens). An empty factory means the screen is not built: the delegate then
// uses the plain camera reader as its root, and a read is stored and routed
// without a screen to push.

#include <functional>
#include <memory>
#include <string>

#include "platform/foundation/Date.h"
#include "platform/ui/ViewController.h"

class Barcode;
class ParsedResult;
class ZBarReaderViewController;

namespace store {
class Context;
}

struct AppScreens {
    // The scanner screen (a camera reader subclass).
    std::function<std::shared_ptr<ZBarReaderViewController>()> scanner;
    // The history list: made, given the context and told initFetch.
    std::function<ui::ViewController::Ptr(const std::shared_ptr<store::Context>&)> historyList;
    // initWithBarcode:
    std::function<ui::ViewController::Ptr(const std::shared_ptr<Barcode>&)> detail;
    // initWithResult:forScan: for the scan (ident -1, `text`, `stamp`).
    std::function<ui::ViewController::Ptr(const std::shared_ptr<ParsedResult>&,
                                          const std::string& text, foundation::Date stamp)>
        scanResult;

    static AppScreens& shared();
};
