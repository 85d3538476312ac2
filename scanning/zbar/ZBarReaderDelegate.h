#pragma once

// What a reader screen tells the application: a read, reported as an image
// picker reports a photo (an info dictionary with the picture and the
// symbols), a cancel, and for the still-image reader a picture in which
// nothing was found. Each method answers whether the delegate implements it;
// the defaults do nothing and answer false, so the reader falls back to its
// own behaviour (dismissing itself).

#include <memory>
#include <vector>

#include "platform/ui/MediaInfo.h"
#include "platform/ui/ViewController.h"
#include "scanning/zbar/ZBarSymbol.h"

class ZBarReaderController;

// Key of the symbols in a read's info dictionary. The camera reader puts a
// std::shared_ptr<ZBarSymbolSet> (filtered, at least one symbol) there, the
// still-image reader a ZBarSymbolList.
inline constexpr const char* ZBarReaderControllerResults = "ZBarReaderControllerResults";

// The best symbols of a picture, in result order.
using ZBarSymbolList = std::vector<std::shared_ptr<ZBarSymbol>>;

class ZBarReaderDelegate {
  public:
    virtual ~ZBarReaderDelegate() = default;

    // imagePickerController:didFinishPickingMediaWithInfo: , on the main
    // thread; `reader` is the reader screen.
    virtual bool imagePickerControllerDidFinishPickingMediaWithInfo(ui::ViewController& reader,
                                                                    const ui::MediaInfo& info) {
        return false;
    }
    // imagePickerControllerDidCancel:
    virtual bool imagePickerControllerDidCancel(ui::ViewController& reader) { return false; }
    // readerControllerDidFailToRead:withRetry: : nothing was found in a
    // picture; `retry` tells whether the reader stays open for another try.
    virtual bool readerControllerDidFailToRead(ZBarReaderController& reader, bool retry) {
        return false;
    }
};
