#pragma once

// The "About" screen: the application's name and version and, when the
// about information allows it, rows to write to the maker, review the
// application, buy the ad-free version, recommend it and see the maker's
// other applications. The about information is the "MHAboutViewInfo"
// dictionary of "AboutInfo.plist" in the Library folder, read once per run.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"
#include "platform/services/MailComposeViewController.h"
#include "ui/JMStaticContentTableViewController/JMStaticContentTableViewController.h"

class MHAboutViewController : public JMStaticContentTableViewController,
                              public services::MailComposeViewControllerDelegate {
  public:
    using Ptr = std::shared_ptr<MHAboutViewController>;

    static constexpr const char* kFileName = "AboutInfo.plist";
    static constexpr const char* kInfoKey = "MHAboutViewInfo";
    static constexpr const char* kRecommendation =
        "This is the best Quorvex app I've ever used! Download now while it's free!";

    MHAboutViewController();

    // The about information of this run: read on the first call, empty when
    // the file is missing or holds no dictionary there.
    static const foundation::Value& aboutViewInfo();
    // Forgets what was read, as a new run of the application would.
    static void forgetAboutViewInfo();

    // Entries that are missing or not text count as absent.
    std::string appName() const;
    std::optional<std::string> contactEmail() const;
    std::optional<std::string> changelogFileName() const;
    std::optional<foundation::URL> reviewURL() const;
    std::optional<foundation::URL> developerURL() const;
    std::optional<foundation::URL> proVersionURL() const;

    std::vector<std::string> mailToRecipients() const;
    std::string mailBody() const;
    std::string mailSubject() const;
    static std::string deviceInfo();
    // The recommendation and the review address (the recommendation alone
    // when the address is no URL).
    std::string recommendationText() const;

    void composeMailTo(const std::vector<std::string>& recipients, const std::string& body,
                       const std::string& subject);
    void openURL(const std::optional<foundation::URL>& url);
    void navigateTo(const foundation::URL& url);
    void displayChangelog();
    void recommend();

    void viewDidLoad() override;
    void mailComposeControllerDidFinish(services::MailComposeViewController& controller,
                                        services::MailComposeResult result,
                                        const std::optional<foundation::Error>& error) override;

  protected:
    std::weak_ptr<MHAboutViewController> weakSelf();
};
