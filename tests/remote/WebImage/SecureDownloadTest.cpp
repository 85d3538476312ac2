// The HTTPS server needs cpp-httplib's OpenSSL support, which its pkg-config
// flags turn on.
#include <gtest/gtest.h>
#include <httplib.h>

#include <thread>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/net/URLError.h"
#include "remote/WebImage/SDWebImageDownloader.h"
#include "tests/remote/WebImage/SelfSignedCertificate.h"

namespace {

// A server whose certificate no authority signed: only a download that allows
// invalid certificates may take its image.
TEST(SecureDownloadTest, UntrustedServersAreRefusedUnlessTheDownloadAllowsThem) {
    const auto certificate =
        testing_support::SelfSignedCertificate::writeTo(foundation::ApplicationHome::temporary());
    httplib::SSLServer server(certificate.certificatePath.c_str(), certificate.keyPath.c_str());
    ASSERT_TRUE(server.is_valid());
    const auto png = *graphics::PNGCodec::encode(*graphics::Bitmap::make(3, 2, {1, 2, 3, 255}));
    server.Get("/icon.png", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(png.begin(), png.end()), "image/png");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running()) {
        std::this_thread::yield();
    }
    const auto url =
        foundation::URL::fromString("https://127.0.0.1:" + std::to_string(port) + "/icon.png");

    auto downloader = SDWebImageDownloader::make();
    const struct {
        SDImageDownloadOptions options;
        bool loads;
    } cases[] = {{0, false}, {SDImageDownloadOption::allowInvalidSSLCertificates, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        int calls = 0;
        graphics::Image::Ptr image;
        std::optional<foundation::Error> error;
        downloader->downloadImageWithURL(
            url, c.options, nullptr,
            [&](graphics::Image::Ptr i, std::shared_ptr<const foundation::Data>,
                const std::optional<foundation::Error>& e, bool) {
                foundation::DispatchQueue::main()->async([&, i, e] {
                    image = i;
                    error = e;
                    ++calls;
                });
            });
        ASSERT_TRUE(foundation::RunLoop::main().runUntil([&] { return calls == 1; }, 20));
        EXPECT_EQ(image != nullptr, c.loads);
        if (!c.loads) {
            ASSERT_TRUE(error);
            EXPECT_EQ(error->code, net::URLErrorCode::serverCertificateUntrusted);
        }
    }
    server.stop();
    thread.join();
}

}  // namespace
