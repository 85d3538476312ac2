#pragma once

// Turns the history into an e-mail: an HTML body listing every code with its
// links, and the attachment "barcodes.csv" with one row per code, handed to
// the mail composer. Lives until the composer reports how it finished.

#include <memory>
#include <string>
#include <vector>

#include "model/Action.h"
#include "model/Barcode.h"
#include "model/CSVWriter.h"
#include "model/Classification.h"
#include "model/XMLWriter.h"
#include "platform/foundation/DateFormatter.h"
#include "platform/services/MailComposeViewController.h"
#include "platform/store/Context.h"

class BarcodeEmail : public services::MailComposeViewControllerDelegate,
                     public std::enable_shared_from_this<BarcodeEmail> {
  public:
    // Reads the context's Actions and Classifications and starts both outputs
    // with `intro`; nullptr when any part cannot be made.
    static std::shared_ptr<BarcodeEmail> make(store::Context& context, const std::string& intro);
    ~BarcodeEmail();
    BarcodeEmail(const BarcodeEmail&) = delete;
    BarcodeEmail& operator=(const BarcodeEmail&) = delete;

    // Appends one code to the body and one row to the attachment.
    void addBarcode(Barcode& barcode);
    // Appends the Action's link for `value` to the body's list and, as a
    // spreadsheet hyperlink, to `columns`.
    void addAction(Action& action, const std::string& value, std::vector<std::string>& columns);

    // Finishes both outputs and hands them to a new composer: the subject,
    // the HTML body and the attachment "barcodes.csv". The exporter keeps
    // itself alive as the composer's delegate until the composer finishes.
    // nullptr, and the exporter spent, when mail cannot be sent.
    services::MailComposeViewController::Ptr mailerWithSubject(const std::string& subject);

    void startHTML(const std::string& intro);
    void endHTML();
    // Lets go of the Actions, Classifications, formatters and writers.
    void cleanup();

    // Dismisses the composer; a failed send shows an alert with the error.
    void mailComposeControllerDidFinish(services::MailComposeViewController& controller,
                                        services::MailComposeResult result,
                                        const std::optional<foundation::Error>& error) override;

  private:
    BarcodeEmail() = default;

    std::vector<std::shared_ptr<Action>> allActions_;
    std::vector<std::shared_ptr<Classification>> allClasses_;
    std::unique_ptr<foundation::DateFormatter> htmlDate_;
    std::unique_ptr<foundation::DateFormatter> csvDate_;
    std::unique_ptr<foundation::DateFormatter> csvTZ_;
    std::unique_ptr<XMLWriter> html_;
    std::unique_ptr<CSVWriter> csv_;
    // Set while a composer of ours is open.
    std::shared_ptr<BarcodeEmail> self_;
};
