#pragma once

// The text message composer: recipients, subject and body as the caller
// sets them; whether texts can be sent is a setting; the user's finish is
// simulated and goes to the delegate.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ViewController.h"

namespace services {

enum class MessageComposeResult { cancelled = 0, sent = 1, failed = 2 };

class MessageComposeViewController;

class MessageComposeViewControllerDelegate {
  public:
    virtual ~MessageComposeViewControllerDelegate() = default;
    virtual void messageComposeViewControllerDidFinish(MessageComposeViewController& controller,
                                                       MessageComposeResult result) = 0;
};

class MessageComposeViewController : public ui::ViewController {
  public:
    using Ptr = std::shared_ptr<MessageComposeViewController>;

    static bool canSendText();
    static void setCanSendText(bool can);

    std::shared_ptr<MessageComposeViewControllerDelegate> messageComposeDelegate() const {
        return delegate_.lock();
    }
    void setMessageComposeDelegate(const std::weak_ptr<MessageComposeViewControllerDelegate>& d) {
        delegate_ = d;
    }
    const std::vector<std::string>& recipients() const { return recipients_; }
    void setRecipients(std::vector<std::string> recipients) { recipients_ = std::move(recipients); }
    const std::string& subject() const { return subject_; }
    void setSubject(std::string subject) { subject_ = std::move(subject); }
    const std::string& body() const { return body_; }
    void setBody(std::string body) { body_ = std::move(body); }

    void finish(MessageComposeResult result);

  private:
    std::weak_ptr<MessageComposeViewControllerDelegate> delegate_;
    std::vector<std::string> recipients_;
    std::string subject_;
    std::string body_;
};

}  // namespace services
