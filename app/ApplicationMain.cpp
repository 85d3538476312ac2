#include "app/ApplicationMain.h"

#include <mutex>

#include "ads/mediation/MediationClasses.h"
#include "app/AppDelegate.h"
#include "app/AppScreens.h"
#include "app/BarcodeDetailController.h"
#include "app/BarcodeListController.h"
#include "app/InputQRTextViewController.h"
#include "app/MHAboutViewController.h"
#include "app/OverlayScreens.h"
#include "app/ScanViewController.h"
#include "app/WebViewController.h"
#include "app/ZBarReader2ViewController.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/MediaClasses.h"
#include "platform/services/ServicesClasses.h"
#include "platform/ui/Application.h"
#include "platform/web/WebClasses.h"
#include "remote/OtherApps/RIROtherAppsViewController.h"
#include "ui/CopyLabel/UILabelClipboard.h"

void registerApplicationClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        media::registerMediaClasses();
        services::registerServicesClasses();
        web::registerWebClasses();
        mediation::registerMediationClasses();
        UILabelClipboard::load();
        foundation::ClassRegistry::shared().registerClass<ui::ApplicationDelegate>(
            {"AppDelegate",
             "NSObject",
             {"UIApplicationDelegate", "ZBarReaderDelegate", "PersistentState"}},
            [] { return std::make_shared<AppDelegate>(); });
        // Every screen a saved screen stack can name.
        auto& registry = foundation::ClassRegistry::shared();
        registry.registerClass<ui::ViewController>(
            {"BarcodeDetailController",
             "UITableViewController",
             {"NSFetchedResultsControllerDelegate", "PersistentState"}},
            [] { return std::make_shared<BarcodeDetailController>(); });
        registry.registerClass<ui::ViewController>(
            {"WebViewController",
             "UIViewController",
             {"UIWebViewDelegate", "UIActionSheetDelegate", "MFMailComposeViewControllerDelegate",
              "PersistentState"}},
            [] { return std::make_shared<WebViewController>(); });
    });
}

void registerApplicationScreens() {
    auto& screens = AppScreens::shared();
    if (!screens.scanner)
        ZBarReader2ViewController::registerAsRootScreen();
    ScanViewController::registerScreen();
    InputQRTextViewController::registerScreen();
    BarcodeListController::registerScreen();
    auto& overlay = OverlayScreens::shared();
    if (!overlay.about) {
        overlay.about = [] { return std::make_shared<MHAboutViewController>(); };
    }
    if (!overlay.otherApps) {
        overlay.otherApps = [](const std::string& developerURL) {
            auto list = std::make_shared<RIROtherAppsViewController>();
            list->setDeveloperURL(developerURL);
            return list;
        };
    }
    if (!screens.detail) {
        screens.detail = [](const std::shared_ptr<Barcode>& barcode) {
            return std::make_shared<BarcodeDetailController>(barcode);
        };
    }
}

std::shared_ptr<AppDelegate> launchApplication() {
    registerApplicationClasses();
    registerApplicationScreens();
    auto& application = ui::Application::shared();
    auto delegate =
        foundation::ClassRegistry::shared().make<ui::ApplicationDelegate>("AppDelegate");
    if (!delegate)
        return nullptr;
    application.setDelegate(delegate);
    if (!application.launch())
        return nullptr;
    return std::dynamic_pointer_cast<AppDelegate>(delegate);
}

int ApplicationMain(int argc, char** argv) {
    if (!launchApplication())
        return 1;
    foundation::RunLoop::main().run();
    return 0;
}
