// The `barcodes` program: runs the application on this machine.
//
//   barcodes                   the application, driven by commands on stdin
//   barcodes scan PHOTO        scans a photo end to end and prints the result
//   barcodes sample FILE [TEXT]  writes a photo of a QR code to scan
//
// The application's home is BARCODES_HOME (default: the XDG data folder).
// BARCODES_ABOUT_PAGE and BARCODES_APPS_PAGE replace the addresses of the
// about page fetched at launch and of the maker's page that "Our Apps" reads,
// and BARCODES_AD_SERVER the ad server whose SDK-core page builds the ad
// requests (to run the application against local servers).

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "ads/foundation/GADURLAdditions.h"
#include "app/AppDelegate.h"
#include "app/DeveloperPage.h"
#include "host/HostSession.h"
#include "host/SamplePhoto.h"
#include "platform/graphics/Image.h"

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: barcodes                    run the application; commands on stdin\n"
                 "       barcodes scan PHOTO         scan a photo and show the resulting screen\n"
                 "       barcodes sample FILE [TEXT] write a photo of a QR code (PNG)\n\n%s",
                 HostSession::usage().c_str());
}

// Whether BARCODES_AD_SERVER names the ad server the banners use.
bool adServerNamed() {
    const char* ads = std::getenv("BARCODES_AD_SERVER");
    return ads && *ads;
}

void useAddressesFromEnvironment() {
    if (const char* about = std::getenv("BARCODES_ABOUT_PAGE"))
        AppDelegate::setAboutPageURL(about);
    if (const char* apps = std::getenv("BARCODES_APPS_PAGE"))
        DeveloperPage::setURL(apps);
    if (adServerNamed()) {
        std::string server = std::getenv("BARCODES_AD_SERVER");
        while (server.ends_with('/'))
            server.pop_back();
        GADSetSDKCorePageURL(server + kGADSDKCorePagePath);
    }
}

int fail(const std::string& text) {
    std::fprintf(stderr, "barcodes: %s\n", text.c_str());
    return 1;
}

// Prints the code's type and its text as a JSON string on the first line,
// then the screen the scan led to. Anything not stored is a failure.
int scan(const std::string& path) {
    graphics::Image::Ptr picture;
    if (auto bad = HostSession::checkPicture(path, &picture))
        return fail(bad->text);
    HostSession session;
    if (!session.isLaunched())
        return fail("the application did not launch");
    // Without an ad server of its own the banners ask the vendor's, which is
    // not reachable from here: waiting for its answer would only hold the scan
    // up by the network's time-outs, and a banner that did not load shows
    // nothing on the screen printed.
    session.setWaitsForAds(adServerNamed());
    if (auto opened = session.withStoreFailures({}); !opened.ok) {
        session.quit();
        return fail(opened.text);
    }
    auto reply = session.withStoreFailures(session.photo(path, picture));
    if (!reply.ok) {
        session.quit();
        return fail(reply.text);
    }
    const std::string shown = session.lastScanLine() + "\n\n" + session.screen();
    auto bye = session.withStoreFailures(session.quit());
    if (!bye.ok)
        return fail(bye.text);
    std::fputs(shown.c_str(), stdout);
    return 0;
}

int interactive() {
    HostSession session;
    if (!session.isLaunched()) {
        std::fprintf(stderr, "barcodes: the application did not launch\n");
        return 1;
    }
    const bool prompt = isatty(STDIN_FILENO);
    bool failed = false;
    auto report = [&](const HostSession::Reply& reply) {
        if (reply.ok)
            return;
        failed = true;
        std::cerr << "error: " << reply.text << "\n" << std::flush;
    };
    session.settle();
    report(session.withStoreFailures({}));
    std::cout << session.screen() << std::flush;
    std::string line;
    while (!session.hasQuit()) {
        if (prompt)
            std::cout << "> " << std::flush;
        if (!std::getline(std::cin, line)) {
            report(session.withStoreFailures(session.quit()));
            break;
        }
        auto reply = session.execute(line);
        if (!reply.ok) {
            report(reply);
        } else if (!reply.text.empty()) {
            std::cout << reply.text << (reply.text.back() == '\n' ? "" : "\n");
        }
        if (!session.hasQuit() && reply.ok)
            std::cout << "\n" << session.screen() << std::flush;
    }
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    useAddressesFromEnvironment();
    const std::string command = argc > 1 ? argv[1] : "";
    if (command.empty() || (command == "scan" && argc == 3)) {
        const int status = command.empty() ? interactive() : scan(argv[2]);
        // The application has quit and saved what it keeps, but requests it
        // started (the about page, ads) may still be loading or using the
        // network libraries on worker threads: the exit handlers would tear
        // those libraries down under them. The process ends without running
        // them.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    if (command == "sample" && (argc == 3 || argc == 4)) {
        if (!SamplePhoto::write(argv[2], argc == 4 ? argv[3] : SamplePhoto::kDefaultText)) {
            std::fprintf(stderr, "barcodes: cannot write a sample photo to %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (command == "help" || command == "--help" || command == "-h") {
        printUsage(stdout);
        return 0;
    }
    printUsage(stderr);
    return 2;
}
