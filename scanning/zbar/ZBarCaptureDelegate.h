#pragma once

// What a capture reader tells its delegate, on the main thread: a frame with
// new symbols (or a requested capture), and, for delegates that track them,
// every frame's symbols.

#include <memory>

class ZBarCaptureReader;
class ZBarImage;
class ZBarSymbolSet;

class ZBarCaptureDelegate {
  public:
    virtual ~ZBarCaptureDelegate() = default;

    // captureReader:didReadNewSymbolsFromImage:
    virtual void captureReaderDidReadNewSymbolsFromImage(
        ZBarCaptureReader& reader, const std::shared_ptr<ZBarImage>& image) = 0;

    // captureReader:didTrackSymbols: , sent only to delegates that answer
    // true to respondsToDidTrackSymbols().
    virtual bool respondsToDidTrackSymbols() const { return false; }
    virtual void captureReaderDidTrackSymbols(ZBarCaptureReader& reader,
                                              const std::shared_ptr<ZBarSymbolSet>& symbols) {}
};
