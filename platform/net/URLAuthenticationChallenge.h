#pragma once

// One request of a server for credentials, and a delegate's answer to it.

#include <optional>

#include "platform/net/AuthChallengeDisposition.h"
#include "platform/net/URLCredential.h"
#include "platform/net/URLProtectionSpace.h"
#include "platform/net/URLResponse.h"

namespace net {

struct URLAuthenticationChallenge {
    URLProtectionSpace protectionSpace;
    // How many credentials this load already sent to the space and had refused.
    int previousFailureCount = 0;
    // The stored credential for the space, when the load may use stored ones.
    std::optional<URLCredential> proposedCredential;
    // The server's answer that asked for credentials (none for server trust).
    std::optional<URLResponse> failureResponse;
};

// useCredential with a credential sends it; useCredential without one goes on
// without a credential, as performDefaultHandling and rejectProtectionSpace
// do once the stored credential was tried; cancelAuthenticationChallenge ends
// the load with an error.
struct AuthChallengeAnswer {
    AuthChallengeDisposition disposition = AuthChallengeDisposition::performDefaultHandling;
    std::optional<URLCredential> credential;
};

}  // namespace net
