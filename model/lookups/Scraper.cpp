#include "model/lookups/Scraper.h"

Scraper::Scraper(std::shared_ptr<store::ManagedObject> object) : object_(std::move(object)) {}

Scraper::~Scraper() {
    if (connection_) {
        connection_->cancel();
    }
}

std::optional<std::string> Scraper::classificationValue(const std::shared_ptr<Barcode>& barcode,
                                                        const std::string& key) {
    if (!barcode) {
        return std::nullopt;
    }
    if (!barcode->classification()) {
        barcode->setClassification(
            Classifier::sharedClassifier().classifyBarcode(barcode->type(), barcode->data()));
    }
    const auto& classification = barcode->classification();
    if (!classification || !classification->contains(key)) {
        return std::nullopt;
    }
    return classification->at(key);
}

bool Scraper::start(const net::URLRequest& request) {
    if (!request.url()) {
        object_.reset();
        return false;
    }
    connection_ = net::URLConnection::make(request, shared_from_this());
    return true;
}

void Scraper::abort() {
    if (connection_) {
        connection_->cancel();
    }
}
