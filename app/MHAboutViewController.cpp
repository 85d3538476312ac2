#include "app/MHAboutViewController.h"

#include <mutex>

#include "app/Categories/VersionInfo.h"
#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/PropertyList.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationController.h"
#include "platform/web/WebView.h"

namespace {

struct AboutInfo {
    std::mutex mutex;
    std::optional<foundation::Value> value;
};

AboutInfo& aboutInfo() {
    static auto* info = foundation::ProcessState::withReset(new AboutInfo(), [](AboutInfo& info) {
        std::lock_guard lock(info.mutex);
        info.value.reset();
    });
    return *info;
}

}  // namespace

MHAboutViewController::MHAboutViewController()
    : JMStaticContentTableViewController(ui::TableViewStyle::grouped) {
    setTitle("About");
}

// The file comes from decrypted network text: only a dictionary under the
// key counts.
const foundation::Value& MHAboutViewController::aboutViewInfo() {
    auto& info = aboutInfo();
    std::lock_guard lock(info.mutex);
    if (!info.value) {
        const std::string path =
            foundation::appendingPathComponent(foundation::ApplicationHome::library(), kFileName);
        foundation::Value read = foundation::Value::dictionary();
        if (foundation::FileManager::defaultManager().fileExists(path)) {
            if (auto file = foundation::PropertyList::readFile(path)) {
                if (file->isDictionary() && file->get(kInfoKey).isDictionary()) {
                    read = file->get(kInfoKey);
                }
            }
        }
        info.value = std::move(read);
    }
    return *info.value;
}

void MHAboutViewController::forgetAboutViewInfo() {
    auto& info = aboutInfo();
    std::lock_guard lock(info.mutex);
    info.value.reset();
}

namespace {

std::optional<std::string> entry(const char* key) {
    const auto* text = MHAboutViewController::aboutViewInfo().get(key).asString();
    return text ? std::optional(*text) : std::nullopt;
}

std::optional<foundation::URL> urlEntry(const char* key) {
    const auto text = entry(key);
    return text ? foundation::URL::fromString(*text) : std::nullopt;
}

}  // namespace

std::string MHAboutViewController::appName() const {
    const auto name = entry("AppName");
    if (name && !name->empty()) {
        return *name;
    }
    return VersionInfo::displayName().value_or("");
}

std::optional<std::string> MHAboutViewController::contactEmail() const {
    return entry("ContactEmail");
}

std::optional<std::string> MHAboutViewController::changelogFileName() const {
    return entry("ChangelogFileName");
}

std::optional<foundation::URL> MHAboutViewController::reviewURL() const {
    return urlEntry("ReviewURL");
}

std::optional<foundation::URL> MHAboutViewController::developerURL() const {
    return urlEntry("DeveloperURL");
}

std::optional<foundation::URL> MHAboutViewController::proVersionURL() const {
    return urlEntry("ProVersionURL");
}

std::vector<std::string> MHAboutViewController::mailToRecipients() const {
    const auto email = contactEmail();
    return email ? std::vector<std::string>{*email} : std::vector<std::string>{};
}

std::string MHAboutViewController::deviceInfo() {
    const auto& device = ui::Device::currentDevice();
    return "- " + VersionInfo::machineName() + "\n- " + device.systemName() + " " +
           device.systemVersion() + "\n";
}

std::string MHAboutViewController::mailBody() const {
    return "Hi, " + appName() + ", \n\n My device info:\n " + deviceInfo();
}

std::string MHAboutViewController::mailSubject() const {
    return VersionInfo::versionBuild() + " feedback";
}

std::string MHAboutViewController::recommendationText() const {
    const auto review = reviewURL();
    return review ? std::string(kRecommendation) + " " + review->absoluteString()
                  : std::string(kRecommendation);
}

std::weak_ptr<MHAboutViewController> MHAboutViewController::weakSelf() {
    return std::static_pointer_cast<MHAboutViewController>(shared_from_this());
}

void MHAboutViewController::viewDidLoad() {
    JMStaticContentTableViewController::viewDidLoad();
    if (auto navigation = navigationController()) {
        navigation->setNavigationBarHidden(false, true);
    }
    auto weak = weakSelf();
    using Descriptor = JMStaticContentTableViewCell;
    auto row = [](const std::string& text, ui::TableViewCellStyle style) {
        return [text, style](Descriptor& descriptor, const ui::TableViewCell::Ptr& cell,
                             const std::optional<ui::IndexPath>&) {
            descriptor.cellStyle = style;
            if (cell) {
                cell->textLabel()->setText(text);
            }
        };
    };
    auto tap = [weak](void (*action)(MHAboutViewController&)) {
        return [weak, action](ui::IndexPath) {
            if (auto screen = weak.lock()) {
                action(*screen);
            }
        };
    };

    const std::string name = appName();
    addSection([name](JMStaticContentTableViewSection& section, std::size_t) {
        section.addCell([name](Descriptor& descriptor, const ui::TableViewCell::Ptr& cell,
                               const std::optional<ui::IndexPath>&) {
            descriptor.cellStyle = ui::TableViewCellStyle::value1;
            if (cell) {
                cell->setAccessoryType(ui::TableViewCellAccessoryType::none);
                cell->textLabel()->setText(name);
                cell->detailTextLabel()->setText(VersionInfo::versionBuild());
            }
        });
    });
    if (!aboutViewInfo().contains("ReviewURL")) {
        return;
    }
    // A review address that is no URL leaves out the rows that need it: the
    // review and the recommendation, which links to it.
    const bool reviewable = reviewURL().has_value();
    addSection([&](JMStaticContentTableViewSection& section, std::size_t) {
        section.addCell(row("Contact Us", ui::TableViewCellStyle::value1),
                        tap([](MHAboutViewController& s) {
                            s.composeMailTo(s.mailToRecipients(), s.mailBody(), s.mailSubject());
                        }));
        if (reviewable) {
            section.addCell(row("Review In The App Store", ui::TableViewCellStyle::defaultStyle),
                            tap([](MHAboutViewController& s) { s.openURL(s.reviewURL()); }));
        }
    });
    if (proVersionURL()) {
        addSection([&](JMStaticContentTableViewSection& section, std::size_t) {
            section.addCell(row("Buy Ad-Free Version", ui::TableViewCellStyle::defaultStyle),
                            tap([](MHAboutViewController& s) { s.openURL(s.proVersionURL()); }));
        });
    }
    if (reviewable) {
        addSection([&](JMStaticContentTableViewSection& section, std::size_t) {
            section.addCell(row("Recommend to Friends", ui::TableViewCellStyle::defaultStyle),
                            tap([](MHAboutViewController& s) { s.recommend(); }));
        });
    }
    addSection([&](JMStaticContentTableViewSection& section, std::size_t) {
        section.addCell(row("More Apps From The Developer", ui::TableViewCellStyle::defaultStyle),
                        tap([](MHAboutViewController& s) { s.openURL(s.developerURL()); }));
    });
}

void MHAboutViewController::composeMailTo(const std::vector<std::string>& recipients,
                                          const std::string& body, const std::string& subject) {
    auto composer = services::MailComposeViewController::make();
    if (!composer) {
        ui::AlertView::make("Uh oh...", "Sorry, this device is not able to send e-mail", {}, "OK")
            ->show();
        return;
    }
    composer->setMailComposeDelegate(
        std::static_pointer_cast<services::MailComposeViewControllerDelegate>(
            std::static_pointer_cast<MHAboutViewController>(shared_from_this())));
    composer->setToRecipients(recipients);
    composer->setMessageBody(body, false);
    composer->setSubject(subject);
    presentViewController(composer, true);
}

void MHAboutViewController::mailComposeControllerDidFinish(
    services::MailComposeViewController&, services::MailComposeResult,
    const std::optional<foundation::Error>&) {
    dismissViewController(true);
}

void MHAboutViewController::recommend() {
    auto sheet = std::make_shared<ui::ActivityViewController>(
        std::vector<ui::ActivityItem>{recommendationText()});
    auto table = tableView();
    sheet->popoverPresentationController().setSourceView(table);
    const auto size = table->frame().size;
    sheet->popoverPresentationController().setSourceRect(
        graphics::Rect(size.width, size.height, 10, 10));
    presentViewController(sheet, true, [] {});
}

void MHAboutViewController::openURL(const std::optional<foundation::URL>& url) {
    if (url) {
        ui::Application::shared().openURL(url->absoluteString());
    }
}

void MHAboutViewController::navigateTo(const foundation::URL& url) {
    auto web = std::make_shared<web::WebView>(view()->bounds());
    web->loadRequest(net::URLRequest(url));
    auto screen = std::make_shared<ui::ViewController>();
    screen->setTitle("What's New");
    screen->setView(web);
    if (auto navigation = navigationController()) {
        navigation->pushViewController(screen, true);
    }
}

void MHAboutViewController::displayChangelog() {
    const auto name = changelogFileName();
    const auto path = name ? foundation::Bundle::main().pathForResource(*name) : std::nullopt;
    if (path) {
        navigateTo(foundation::URL::fileURL(*path));
    }
}
