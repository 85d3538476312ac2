#include "model/BarcodeEmail.h"

#include <algorithm>

#include "model/Classifier.h"
#include "model/symbology/SymbologyNames.h"
#include "platform/foundation/PercentEncoding.h"
#include "platform/ui/AlertView.h"

namespace {

// The reader library's page for the phone.
constexpr const char* kReaderLibraryPage = "http://zbar.example.org/iphone";

// Scanned data and titles are not trusted: a field that a spreadsheet would
// take for a formula gets a leading apostrophe, which makes it plain text.
std::string spreadsheetText(const std::string& text) {
    if (!text.empty() && (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@')) {
        return "'" + text;
    }
    return text;
}

}  // namespace

std::shared_ptr<BarcodeEmail> BarcodeEmail::make(store::Context& context,
                                                 const std::string& intro) {
    auto actions = Action::actionsInContext(context);
    auto classes = Classification::classesInContext(context);
    auto html = XMLWriter::make();
    if (!actions || !classes || !html) {
        return nullptr;
    }
    std::shared_ptr<BarcodeEmail> email(new BarcodeEmail());
    email->allActions_ = std::move(*actions);
    email->allClasses_ = std::move(*classes);
    email->html_ = std::move(html);
    email->csv_ = std::make_unique<CSVWriter>(email->allActions_.size() + 4);
    email->htmlDate_ = std::make_unique<foundation::DateFormatter>();
    email->htmlDate_->setDateStyle(foundation::DateFormatter::Style::Long);
    email->htmlDate_->setTimeStyle(foundation::DateFormatter::Style::Short);
    email->csvDate_ = std::make_unique<foundation::DateFormatter>();
    email->csvDate_->setDateFormat("yyyy'/'MM'/'dd' 'HH':'mm':'ss");
    email->csvTZ_ = std::make_unique<foundation::DateFormatter>();
    email->csvTZ_->setDateFormat("Z");
    email->startHTML(intro);
    email->csv_->setHeaderColumns(
        {"Symbology", "Data", "Date", "Time Zone", "Description", "Links"});
    return email;
}

BarcodeEmail::~BarcodeEmail() {
    cleanup();
}

void BarcodeEmail::startHTML(const std::string& intro) {
    if (!html_) {
        return;
    }
    html_->startDocument();
    html_->startElement("html");
    html_->startElement("body");
    html_->startElement("p");
    html_->writeText(intro);
    html_->writeText(" I scanned with ");
    html_->startElement("a");
    html_->writeAttribute("href", kReaderLibraryPage);
    html_->writeText("ZBar");
    html_->endElement();
    html_->writeText(" on my iPhone.");
    html_->endElement();
}

void BarcodeEmail::endHTML() {
    if (!html_) {
        return;
    }
    html_->writeEmptyElement("hr");
    html_->endDocument();
}

void BarcodeEmail::addBarcode(Barcode& barcode) {
    if (!html_ || !csv_) {
        return;
    }
    std::vector<std::string> row;
    row.reserve(allActions_.size() + 4);
    const std::string symbology = SymbologyNames::nameForType(barcode.type());
    const std::string data = barcode.data();
    const std::string name = barcode.name();
    const foundation::Date date = barcode.date();

    html_->writeEmptyElement("hr");
    html_->startElement("p");
    html_->writeAttribute("style", "padding: .25em");
    if (!name.empty()) {
        html_->writeText(name);
        html_->writeEmptyElement("br");
    }
    html_->writeText(symbology);
    row.push_back(symbology);
    html_->writeText(": ");
    html_->writeText(data);
    row.push_back(spreadsheetText(data));
    html_->writeEmptyElement("br");
    html_->startElement("span");
    html_->writeAttribute("style", "font-size: small");
    html_->writeText("scanned on: ");
    html_->writeText(htmlDate_->stringFromDate(date));
    html_->endElement();
    html_->endElement();
    row.push_back(csvDate_->stringFromDate(date));
    row.push_back(csvTZ_->stringFromDate(date));
    row.push_back(spreadsheetText(name));

    html_->startElement("ul");
    const auto classification =
        Classifier::sharedClassifier().classifyBarcode(barcode.type(), data);
    if (classification) {
        for (const auto& action : allActions_) {
            // The Action's link takes the value of its first Classification, in
            // Classification order, that the code has a value for.
            const auto bound = action->classes();
            for (const auto& cls : allClasses_) {
                const bool belongs = std::any_of(bound.begin(), bound.end(), [&](const auto& b) {
                    return b->objectID() == cls->objectID();
                });
                const auto value =
                    belongs ? classification->find(cls->name()) : classification->end();
                if (value != classification->end()) {
                    addAction(*action, value->second, row);
                    break;
                }
            }
        }
    }
    html_->endElement();
    csv_->writeRowWithColumns(row);
}

void BarcodeEmail::addAction(Action& action, const std::string& value,
                             std::vector<std::string>& columns) {
    if (!html_) {
        return;
    }
    const std::string link = action.url() + foundation::addingPercentEscapes(value);
    const std::string title = action.name();
    html_->startElement("li");
    html_->startElement("a");
    html_->writeAttribute("href", link);
    html_->writeText(title);
    html_->endElement();
    html_->endElement();
    columns.push_back("=HYPERLINK(\"" + link + "\",\"" + title + "\")");
}

services::MailComposeViewController::Ptr BarcodeEmail::mailerWithSubject(
    const std::string& subject) {
    if (!html_ || !csv_) {
        return nullptr;
    }
    endHTML();
    auto mailer = services::MailComposeViewController::make();
    if (mailer) {
        self_ = shared_from_this();
        mailer->setMailComposeDelegate(self_);
        mailer->setSubject(subject);
        mailer->setMessageBody(html_->buffer().value_or(""), true);
        mailer->addAttachmentData(csv_->data().value_or(foundation::Data{}),
                                  "application/octet-stream", "barcodes.csv");
    }
    cleanup();
    return mailer;
}

void BarcodeEmail::mailComposeControllerDidFinish(services::MailComposeViewController& controller,
                                                  services::MailComposeResult result,
                                                  const std::optional<foundation::Error>& error) {
    controller.setMailComposeDelegate({});
    controller.dismissModalViewController(true);
    if (result == services::MailComposeResult::failed) {
        // The platform's error value carries no failure reason: the message stays empty.
        auto alert =
            ui::AlertView::make(error ? error->localizedDescription : "", "", {}, "Dismiss");
        alert->show();
    }
    auto last = std::move(self_);
}

void BarcodeEmail::cleanup() {
    allActions_.clear();
    allClasses_.clear();
    htmlDate_.reset();
    csvDate_.reset();
    csvTZ_.reset();
    html_.reset();
    csv_.reset();
}
