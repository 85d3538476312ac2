#pragma once

// The maker's home page as the "Our Apps" road reads it: a paragraph of class
// "special-post" holds, encrypted, the address of the app-store lookup answer
// that the "Our Apps" list shows.

#include <optional>
#include <string>

#include "platform/foundation/Data.h"
#include "platform/net/URLError.h"
#include "platform/net/URLResponse.h"

class DeveloperPage {
  public:
    static constexpr const char* kParagraphQuery = "//p[@class='special-post']";
    static constexpr const char* kPassword = "z3bra9ok";

    // The page's address (plain HTTP; tests point it at a local server).
    static std::string url();
    static void setURL(std::string url);

    // The decrypted text of the page's paragraph: the text content of the
    // first child of the first match. Only a page answered with status 200
    // or 304 is read; a transport error, another status, no match, a
    // paragraph that does not decrypt or decrypts to nothing give nullopt.
    static std::optional<std::string> appsAddress(const foundation::Data& body,
                                                  const std::optional<net::URLResponse>& response,
                                                  const std::optional<net::URLError>& error);

    // Loads the page on the calling thread (never the main thread's queue
    // it would wait for) and reads it as above.
    static std::optional<std::string> loadSynchronously();
};
