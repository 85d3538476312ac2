#pragma once

// Told when the user is done with the help screen; a delegate that does not
// implement it (answers false) leaves the help screen to dismiss itself.

class ZBarHelpController;

class ZBarHelpDelegate {
  public:
    virtual ~ZBarHelpDelegate() = default;

    // helpControllerDidFinish:
    virtual bool helpControllerDidFinish(ZBarHelpController& help) { return false; }
};
