#pragma once

// The mail composer: recipients, subject, body (plain or HTML) and
// attachments, recorded as the caller sets them (the composer keeps its own
// copies). Whether mail can be sent is a setting of the host and tests; the
// user's finish (sent, saved, cancelled, failed) is simulated and goes to the
// delegate, which dismisses the composer.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Data.h"
#include "platform/foundation/Error.h"
#include "platform/ui/ViewController.h"

namespace services {

enum class MailComposeResult { cancelled = 0, saved = 1, sent = 2, failed = 3 };

struct MailAttachment {
    foundation::Data data;
    std::string mimeType;
    std::string fileName;
};

class MailComposeViewController;

class MailComposeViewControllerDelegate {
  public:
    virtual ~MailComposeViewControllerDelegate() = default;
    virtual void mailComposeControllerDidFinish(MailComposeViewController& controller,
                                                MailComposeResult result,
                                                const std::optional<foundation::Error>& error) = 0;
};

class MailComposeViewController : public ui::ViewController {
  public:
    using Ptr = std::shared_ptr<MailComposeViewController>;

    static bool canSendMail();
    static void setCanSendMail(bool can);
    // nullptr when mail cannot be sent, as the platform's initialiser gives.
    static Ptr make();

    std::shared_ptr<MailComposeViewControllerDelegate> mailComposeDelegate() const {
        return delegate_.lock();
    }
    void setMailComposeDelegate(const std::weak_ptr<MailComposeViewControllerDelegate>& d) {
        delegate_ = d;
    }

    const std::vector<std::string>& toRecipients() const { return to_; }
    void setToRecipients(std::vector<std::string> recipients) { to_ = std::move(recipients); }
    const std::vector<std::string>& ccRecipients() const { return cc_; }
    void setCcRecipients(std::vector<std::string> recipients) { cc_ = std::move(recipients); }
    const std::vector<std::string>& bccRecipients() const { return bcc_; }
    void setBccRecipients(std::vector<std::string> recipients) { bcc_ = std::move(recipients); }
    const std::string& subject() const { return subject_; }
    void setSubject(std::string subject) { subject_ = std::move(subject); }
    const std::string& messageBody() const { return body_; }
    bool isHTML() const { return html_; }
    void setMessageBody(std::string body, bool isHTML) {
        body_ = std::move(body);
        html_ = isHTML;
    }
    const std::vector<MailAttachment>& attachments() const { return attachments_; }
    void addAttachmentData(foundation::Data data, std::string mimeType, std::string fileName) {
        attachments_.push_back({std::move(data), std::move(mimeType), std::move(fileName)});
    }

    // The user finishes; the delegate hears it (nothing when it is gone).
    void finish(MailComposeResult result, std::optional<foundation::Error> error = std::nullopt);

  private:
    std::weak_ptr<MailComposeViewControllerDelegate> delegate_;
    std::vector<std::string> to_;
    std::vector<std::string> cc_;
    std::vector<std::string> bcc_;
    std::string subject_;
    std::string body_;
    bool html_ = false;
    std::vector<MailAttachment> attachments_;
};

}  // namespace services
