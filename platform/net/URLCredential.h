#pragma once

// What a client answers an authentication challenge with: a user name and
// password kept for as long as its persistence says, or the trust of a
// server whose certificate failed the check.

#include <string>

namespace net {

enum class URLCredentialPersistence { none = 0, forSession = 1, permanent = 2 };

class URLCredential {
  public:
    // credentialWithUser:password:persistence:
    URLCredential(std::string user, std::string password, URLCredentialPersistence persistence)
        : user_(std::move(user)), password_(std::move(password)), persistence_(persistence) {}
    // credentialForTrust: , for a server-trust challenge only.
    static URLCredential forTrust() {
        URLCredential credential({}, {}, URLCredentialPersistence::none);
        credential.forTrust_ = true;
        return credential;
    }

    const std::string& user() const { return user_; }
    const std::string& password() const { return password_; }
    URLCredentialPersistence persistence() const { return persistence_; }
    bool isForTrust() const { return forTrust_; }

    friend bool operator==(const URLCredential&, const URLCredential&) = default;

  private:
    std::string user_;
    std::string password_;
    URLCredentialPersistence persistence_;
    bool forTrust_ = false;
};

}  // namespace net
