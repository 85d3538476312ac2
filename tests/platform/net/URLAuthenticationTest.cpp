#include <gtest/gtest.h>

#include <mutex>

#include "platform/crypto/Base64.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/URLConnection.h"
#include "tests/platform/net/RecordingDelegate.h"
#include "tests/support/LocalServer.h"

using net::AuthChallengeAnswer;
using net::AuthChallengeDisposition;
using net::URLCredential;
using net::URLCredentialPersistence;

namespace {

// Answers each challenge with the next of its answers (default handling once
// they run out) and writes the challenges down.
class ChallengeDelegate : public testing_support::RecordingDelegate {
  public:
    std::vector<AuthChallengeAnswer> answers;
    std::vector<net::URLAuthenticationChallenge> challenges;
    bool usesStorage = true;

    bool connectionShouldUseCredentialStorage(net::URLConnection&) override { return usesStorage; }
    AuthChallengeAnswer connectionWillSendRequestForAuthenticationChallenge(
        net::URLConnection&, const net::URLAuthenticationChallenge& challenge) override {
        const std::size_t index = challenges.size();
        challenges.push_back(challenge);
        return index < answers.size() ? answers[index] : AuthChallengeAnswer{};
    }
};

AuthChallengeAnswer send(const std::string& password,
                         URLCredentialPersistence persistence = URLCredentialPersistence::none) {
    return {AuthChallengeDisposition::useCredential, URLCredential("ann", password, persistence)};
}

std::string basic(const std::string& pair) {
    return "Basic " + crypto::Base64::encode(std::span(
                          reinterpret_cast<const std::uint8_t*>(pair.data()), pair.size()));
}

// A server whose /private/<realm> pages open to ann with the password
// "secret", in the realm the path names.
class URLAuthenticationTest : public testing::Test {
  protected:
    void SetUp() override {
        server.server().Get(R"(/private/(\w+))", [this](const httplib::Request& request,
                                                        httplib::Response& response) {
            const std::string sent = request.get_header_value("Authorization");
            {
                std::lock_guard lock(mutex);
                authorizations.push_back(sent);
            }
            if (sent == basic("ann:secret")) {
                response.set_content("ok", "text/plain");
                return;
            }
            response.status = 401;
            response.set_header("WWW-Authenticate",
                                "Basic realm=\"" + request.matches[1].str() + "\"");
            response.set_content("denied", "text/plain");
        });
        server.start();
    }

    std::shared_ptr<ChallengeDelegate> load(const std::string& realm,
                                            std::vector<AuthChallengeAnswer> answers,
                                            bool usesStorage = true) {
        auto delegate = std::make_shared<ChallengeDelegate>();
        delegate->answers = std::move(answers);
        delegate->usesStorage = usesStorage;
        net::URLConnection::make(
            net::URLRequest(*foundation::URL::fromString(server.url("/private/" + realm)),
                            net::URLRequestCachePolicy::reloadIgnoringLocalCacheData),
            delegate);
        EXPECT_TRUE(delegate->waitForEnd());
        return delegate;
    }
    std::vector<std::string> takeAuthorizations() {
        std::lock_guard lock(mutex);
        return std::exchange(authorizations, {});
    }

    testing_support::LocalServer server;
    std::mutex mutex;
    std::vector<std::string> authorizations;
};

TEST_F(URLAuthenticationTest, BasicChallengesAreAnsweredByTheDelegate) {
    const struct {
        const char* realm;
        std::vector<AuthChallengeAnswer> answers;
        int status;  // 0: the load fails
        std::vector<int> failureCounts;
        std::vector<std::string> sent;
    } cases[] = {
        {"right", {send("secret")}, 200, {0}, {"", basic("ann:secret")}},
        {"retried",
         {send("wrong"), send("secret")},
         200,
         {0, 1},
         {"", basic("ann:wrong"), basic("ann:secret")}},
        {"without", {{AuthChallengeDisposition::useCredential, std::nullopt}}, 401, {0}, {""}},
        {"defaulted", {}, 401, {0}, {""}},
        {"refused", {send("wrong"), {}}, 401, {0, 1}, {"", basic("ann:wrong")}},
        {"cancelled",
         {{AuthChallengeDisposition::cancelAuthenticationChallenge, std::nullopt}},
         0,
         {0},
         {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.realm);
        const auto delegate = load(c.realm, c.answers);
        std::vector<int> failureCounts;
        for (const auto& challenge : delegate->challenges) {
            failureCounts.push_back(challenge.previousFailureCount);
            EXPECT_EQ(challenge.protectionSpace.realm, c.realm);
            EXPECT_EQ(challenge.protectionSpace.host, "127.0.0.1");
            EXPECT_EQ(challenge.protectionSpace.port, server.port());
            EXPECT_EQ(challenge.protectionSpace.authenticationMethod,
                      net::URLAuthenticationMethod::httpBasic);
            ASSERT_TRUE(challenge.failureResponse);
            EXPECT_EQ(challenge.failureResponse->statusCode(), 401);
        }
        EXPECT_EQ(failureCounts, c.failureCounts);
        EXPECT_EQ(takeAuthorizations(), c.sent);
        if (c.status == 0) {
            EXPECT_EQ(delegate->events, (std::vector<std::string>{"send", "fail"}));
            ASSERT_TRUE(delegate->error);
            EXPECT_EQ(delegate->error->code, net::URLErrorCode::userCancelledAuthentication);
        } else {
            EXPECT_EQ(delegate->events,
                      (std::vector<std::string>{"send", "response", "data", "finish"}));
            EXPECT_EQ(delegate->responses.at(0).statusCode(), c.status);
            EXPECT_EQ(delegate->body, c.status == 200 ? "ok" : "denied");
        }
    }
}

TEST_F(URLAuthenticationTest, CredentialsKeptForTheSessionGoFirstToLoadsThatUseTheStorage) {
    const AuthChallengeAnswer without{AuthChallengeDisposition::useCredential, std::nullopt};
    load("kept", {send("secret", URLCredentialPersistence::forSession)});
    load("once", {send("secret", URLCredentialPersistence::none)});
    takeAuthorizations();

    const auto stored = load("kept", {without});
    EXPECT_TRUE(stored->challenges.empty());
    EXPECT_EQ(stored->body, "ok");
    EXPECT_EQ(takeAuthorizations(), (std::vector<std::string>{"", basic("ann:secret")}));

    const auto refusing = load("kept", {without}, false);
    EXPECT_EQ(refusing->challenges.size(), 1u);
    EXPECT_EQ(refusing->responses.at(0).statusCode(), 401);

    const auto notKept = load("once", {without});
    ASSERT_EQ(notKept->challenges.size(), 1u);
    EXPECT_FALSE(notKept->challenges[0].proposedCredential);
    EXPECT_EQ(notKept->responses.at(0).statusCode(), 401);
}

}  // namespace
