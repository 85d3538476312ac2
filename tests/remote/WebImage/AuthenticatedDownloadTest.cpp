#include <gtest/gtest.h>

#include <mutex>

#include "platform/crypto/Base64.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/net/URLError.h"
#include "remote/WebImage/SDWebImageDownloader.h"
#include "tests/support/LocalServer.h"

namespace {

std::string basic(const std::string& pair) {
    return "Basic " + crypto::Base64::encode(std::span(
                          reinterpret_cast<const std::uint8_t*>(pair.data()), pair.size()));
}

// Images under /auth/<realm>/ open to ann with the password "secret".
class AuthenticatedDownloadTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto data =
            *graphics::PNGCodec::encode(*graphics::Bitmap::make(3, 3, {5, 6, 7, 255}));
        png.assign(data.begin(), data.end());
        server.server().Get(R"(/auth/(\w+)/icon.png)", [this](const httplib::Request& request,
                                                              httplib::Response& response) {
            const std::string sent = request.get_header_value("Authorization");
            {
                std::lock_guard lock(mutex);
                authorizations.push_back(sent);
            }
            if (sent == basic("ann:secret")) {
                response.set_content(png, "image/png");
                return;
            }
            response.status = 401;
            response.set_header("WWW-Authenticate",
                                "Basic realm=\"" + request.matches[1].str() + "\"");
        });
        server.start();
    }

    // The image, or the error code of the download.
    std::pair<graphics::Image::Ptr, long> download(const SDWebImageDownloader::Ptr& downloader,
                                                   const std::string& realm) {
        std::optional<std::pair<graphics::Image::Ptr, long>> outcome;
        downloader->downloadImageWithURL(
            foundation::URL::fromString(server.url("/auth/" + realm + "/icon.png")), 0, nullptr,
            [&](graphics::Image::Ptr image, std::shared_ptr<const foundation::Data>,
                const std::optional<foundation::Error>& error, bool) {
                foundation::DispatchQueue::main()->async(
                    [&, image, code = error ? error->code : 0L] { outcome.emplace(image, code); });
            });
        EXPECT_TRUE(foundation::RunLoop::main().runUntil([&] { return outcome.has_value(); }, 20));
        return outcome.value_or(std::pair<graphics::Image::Ptr, long>{});
    }
    std::vector<std::string> takeAuthorizations() {
        std::lock_guard lock(mutex);
        return std::exchange(authorizations, {});
    }

    std::string png;
    testing_support::LocalServer server;
    std::mutex mutex;
    std::vector<std::string> authorizations;
};

TEST_F(AuthenticatedDownloadTest, DownloadsSendTheDownloadersCredentialOnce) {
    const net::URLCredential given("ann", "secret", net::URLCredentialPersistence::none);
    const struct {
        const char* realm;
        std::optional<net::URLCredential> credential;
        std::optional<std::string> username;
        std::optional<std::string> password;
        bool loads;
        std::vector<std::string> sent;
    } cases[] = {
        {"none", std::nullopt, std::nullopt, std::nullopt, false, {""}},
        {"pair", std::nullopt, "ann", "secret", true, {"", basic("ann:secret")}},
        {"given", given, "ann", "wrong", true, {"", basic("ann:secret")}},
        {"wrong", std::nullopt, "ann", "wrong", false, {"", basic("ann:wrong")}},
        {"useronly", std::nullopt, "ann", std::nullopt, false, {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.realm);
        auto downloader = SDWebImageDownloader::make();
        downloader->urlCredential = c.credential;
        downloader->username = c.username;
        downloader->password = c.password;
        const auto [image, code] = download(downloader, c.realm);
        EXPECT_EQ(image != nullptr, c.loads);
        EXPECT_EQ(code, c.loads ? 0 : 401);
        EXPECT_EQ(takeAuthorizations(), c.sent);
    }
}

// A user name and password make a credential kept for the session: later
// downloads from the same realm need none of their own.
TEST_F(AuthenticatedDownloadTest, AUserNameAndPasswordServeTheRealmForTheSession) {
    auto first = SDWebImageDownloader::make();
    first->username = "ann";
    first->password = "secret";
    ASSERT_NE(download(first, "session").first, nullptr);
    EXPECT_NE(download(SDWebImageDownloader::make(), "session").first, nullptr);
    EXPECT_EQ(download(SDWebImageDownloader::make(), "other").second, 401);
}

}  // namespace
