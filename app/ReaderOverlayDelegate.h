#pragma once

// What the camera overlay asks of its owner: the history button leaves the
// scanner for the history list, the help button asks for the help screen.

class ReaderOverlayDelegate {
  public:
    virtual ~ReaderOverlayDelegate() = default;
    virtual void readerOverlayDidDismiss() = 0;
    virtual void readerOverlayDidRequestHelp() = 0;
};
