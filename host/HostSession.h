#pragma once

// One run of the application on this machine, driven by typed commands as a
// finger would drive it: pick a photo, feed camera frames, tap what a screen
// shows, choose a table row, type, go back, look at the screen (outline or
// PNG), quit. Each command answers a reply the host prints.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Clock.h"
#include "platform/graphics/Image.h"
#include "platform/ui/TableView.h"
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

    // How far ahead settle() moves the clock over the application's own
    // delays: a screen transition, what follows a read (beep, thumbnail at
    // 0.5 s, its save at 1 s). Longer delays (a toast's 3 s) pass in real
    // time, as the user reads the screen.
    static constexpr double kSettleHorizon = 1.2;

    // Launches the application with its home under BARCODES_HOME (or the
    // XDG data folder) and runs its own pending work (settleOwnWork), not
    // waiting for the ads of the first screen (settle() does). The application's
    // time is the host's to move: it follows the real clock between commands
    // and jumps over what a command starts.
    HostSession();
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    bool isLaunched() const { return delegate_ != nullptr; }
    bool hasQuit() const { return quit_; }
    const std::shared_ptr<AppDelegate>& delegate() const { return delegate_; }

    // One command line: "photo FILE", "frames FILE...", "tap TEXT", "tap X Y",
    // "row S R", "delete S R", "type TEXT", "back", "screen", "png FILE",
    // "export FILE" (from any screen: it goes to the history first),
    // "quit", "help". A store failure during the command (a save that did
    // not happen) makes the reply a failure that says so.
    Reply execute(const std::string& line);

    // Picks the photo at `path` in the library; `picture` when the caller
    // has decoded it already.
    Reply photo(const std::string& path, graphics::Image::Ptr picture = nullptr);
    Reply frames(const std::vector<std::string>& paths);
    // Taps what shows `text`: an alert's or a screen's button, a bar item, a
    // row, or a link of a page on screen (an ad's).
    Reply tap(const std::string& text);
    // Taps the screen at `point` (in the window), whatever is there.
    Reply tapPoint(graphics::Point point);
    Reply row(int section, int row);
    // Deletes a row as a finger would: the editing control in edit mode, a
    // swipe otherwise, then the Delete button.
    Reply deleteRow(int section, int row);
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
    // The newest stored code as its type and its exact text as a JSON string
    // (`QR-Code "a \"b\"\n"`); "" when nothing is stored.
    std::string lastScanLine();

    // `reply`, turned into a failure that names them when the history store
    // failed (could not be opened, a save did not happen) since the last look.
    Reply withStoreFailures(Reply reply);

    // Runs the application's pending work: what is queued now, then, moving
    // the clock instead of waiting, each delayed perform or one-shot timer
    // due within `horizon` seconds, until none is left. Repeating timers
    // (animations) fire as time moves but keep nothing waiting.
    // Then, unless told not to, waits in real time and for a while at most
    // until the ads on screen have loaded or failed.
    void settle(double horizon = kSettleHorizon);
    void settleOwnWork(double horizon);
    bool adsLoading() const;
    // Whether settle() waits for the ads on screen (it does unless told).
    void setWaitsForAds(bool waits) { waitsForAds_ = waits; }

    static std::string usage();
    // Checks that `path` names a readable picture of an allowed size; the
    // error reply otherwise. `picture` receives the decoded picture.
    static std::optional<Reply> checkPicture(const std::string& path,
                                             graphics::Image::Ptr* picture = nullptr);

  private:
    // One command, without the store check of execute().
    Reply run(const std::string& line);
    std::shared_ptr<ui::Window> window() const;
    ui::ViewController::Ptr front() const;
    // The first table of the front screen, or nullptr.
    std::shared_ptr<ui::TableView> tableOnScreen() const;
    // The error reply when `table` has no such row (or is missing).
    static std::optional<Reply> checkRow(const ui::TableView* table, int section, int row);
    std::shared_ptr<Barcode> newestBarcode();
    std::size_t barcodeCount();
    // Moves the application's clock up to the real time passed since launch,
    // firing what fell due meanwhile.
    void catchUp();
    // Brings the history list to the top of the navigation stack.
    void showHistory();

    std::unique_ptr<foundation::ManualClock> clock_;
    std::chrono::steady_clock::time_point started_;
    std::shared_ptr<AppDelegate> delegate_;
    bool quit_ = false;
    bool waitsForAds_ = true;
};
