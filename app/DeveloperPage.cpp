#include "app/DeveloperPage.h"

#include <mutex>

#include "model/AESCrypt.h"
#include "platform/foundation/URL.h"
#include "platform/net/URLConnection.h"
#include "platform/net/URLRequest.h"
#include "ui/TFHpple/TFHpple.h"

namespace {

std::mutex& urlMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::string& urlStorage() {
    static auto* url = new std::string("http://www.morvane.example/");
    return *url;
}

}  // namespace

std::string DeveloperPage::url() {
    std::lock_guard lock(urlMutex());
    return urlStorage();
}

void DeveloperPage::setURL(std::string url) {
    std::lock_guard lock(urlMutex());
    urlStorage() = std::move(url);
}

std::optional<std::string> DeveloperPage::appsAddress(
    const foundation::Data& body, const std::optional<net::URLResponse>& response,
    const std::optional<net::URLError>& error) {
    if (error || !response)
        return std::nullopt;
    if (response->statusCode() != 200 && response->statusCode() != 304)
        return std::nullopt;
    auto document = TFHpple::hppleWithHTMLData(body);
    auto matches = document->searchWithXPathQuery(kParagraphQuery);
    if (matches.empty())
        return std::nullopt;
    auto child = matches.front()->firstChild();
    auto text = child ? child->content() : std::nullopt;
    if (!text)
        return std::nullopt;
    auto plain = AESCrypt::decrypt(*text, kPassword);
    if (!plain || plain->empty())
        return std::nullopt;
    return plain;
}

std::optional<std::string> DeveloperPage::loadSynchronously() {
    auto address = foundation::URL::fromString(url());
    if (!address)
        return std::nullopt;
    auto result = net::URLConnection::sendSynchronousRequest(net::URLRequest(*address));
    return appsAddress(result.data, result.response, result.error);
}
