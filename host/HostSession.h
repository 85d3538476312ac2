#pragma once

// One run of the application on this machine, driven by typed commands as a
// finger would drive it: pick a photo, feed camera frames, tap what a screen
// shows, choose a table row, type, go back, look at the screen (outline or
// PNG), quit. Each command answers a reply the host prints.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

class AppDelegate;
class Barcode;

class HostSession {
  public:
    struct Reply {
        bool ok = true;
        // What to print: the error message, or what the command did.
        std::string text;
    };

    // Launches the application with its home under BARCODES_HOME (or the
    // XDG data folder) and lets the first screen settle.
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    bool isLaunched() const { return delegate_ != nullptr; }
    bool hasQuit() const { return quit_; }
    const std::shared_ptr<AppDelegate>& delegate() const { return delegate_; }

    // One command line: "photo FILE", "frames FILE...", "tap TEXT",
    // "row S R", "type TEXT", "back", "screen", "png FILE", "export FILE",
    // "quit", "help".
    Reply execute(const std::string& line);

    Reply photo(const std::string& path);
    Reply frames(const std::vector<std::string>& paths);
    Reply tap(const std::string& text);
    Reply row(int section, int row);
    Reply type(const std::string& text);
    Reply back();
    Reply png(const std::string& path);
    // Exports the history as the e-mail does and writes its CSV to `path`.
    Reply exportHistory(const std::string& path);
    Reply quit();

    // The top screen as an outline.
    std::string screen() const;
    // A line on the newest stored code and where it went.
    std::string lastScanSummary();

    // Lets the main run loop work for at most `limit` seconds of real time,
    // less when nothing is due before then (animation timers repeat, so a
    // command waits as long as what it starts takes).
    void settle(double limit);

    static std::string usage();
    // Checks that `path` names a readable picture; the error reply otherwise.
    static std::optional<Reply> checkPicture(const std::string& path);

  private:
    std::shared_ptr<ui::Window> window() const;
    ui::ViewController::Ptr front() const;
    std::shared_ptr<Barcode> newestBarcode();
    std::size_t barcodeCount();

    std::shared_ptr<AppDelegate> delegate_;
    bool quit_ = false;
};
