#pragma once

// What the camera reader view tells its delegate: each hit with its symbols
// and picture (always), and, for delegates that answer them, that the camera
// started and that it stopped (with the error when it failed).

#include <memory>
#include <optional>

#include "platform/foundation/Error.h"
#include "platform/graphics/Image.h"

class ZBarReaderView;
class ZBarSymbolSet;

class ZBarReaderViewDelegate {
  public:
    virtual ~ZBarReaderViewDelegate() = default;
    // readerView:didReadSymbols:fromImage:
    virtual void readerViewDidReadSymbols(ZBarReaderView& view,
                                          const std::shared_ptr<ZBarSymbolSet>& symbols,
                                          const std::shared_ptr<graphics::Image>& image) = 0;
    // readerViewDidStart: , sent only when respondsToDidStart() answers true.
    virtual bool respondsToDidStart() const { return false; }
    virtual void readerViewDidStart(ZBarReaderView& view) {}
    // readerView:didStopWithError: , sent only when respondsToDidStop() answers true.
    virtual bool respondsToDidStop() const { return false; }
    virtual void readerViewDidStopWithError(ZBarReaderView& view,
                                            const std::optional<foundation::Error>& error) {}
};
