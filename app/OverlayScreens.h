#pragma once

// The screens the scanner overlay opens, as factories that the folders
// building those screens fill in: the QR creator and the about screen of its
// menu, and the "Our Apps" list that the developer-page loaders push with the
// address they decrypted. An empty factory (or one answering nullptr) means
// the screen is not built, and nothing is pushed.

#include <functional>
#include <string>

#include "platform/ui/ViewController.h"

struct OverlayScreens {
    // InputQRTextViewController
    std::function<ui::ViewController::Ptr()> qrCreator;
    // MHAboutViewController
    std::function<ui::ViewController::Ptr()> about;
    // RIROtherAppsViewController with its developerURL
    std::function<ui::ViewController::Ptr(const std::string& developerURL)> otherApps;

    static OverlayScreens& shared();
};
