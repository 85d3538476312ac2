#pragma once

// An HTML or XML document held as bytes, answering XPath queries with element
// objects. The bytes are parsed anew for every query; malformed markup gives
// what the parser can recover, or no elements.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Data.h"
#include "ui/TFHpple/TFHppleElement.h"

class TFHpple {
  public:
    // `encoding` names the bytes' character encoding ("UTF-8", "ISO-8859-1");
    // without one the parser detects it.
    TFHpple(foundation::Data data, std::optional<std::string> encoding, bool isXML);
    TFHpple(foundation::Data data, bool isXML);

    static std::shared_ptr<TFHpple> hppleWithData(foundation::Data data,
                                                  std::optional<std::string> encoding, bool isXML);
    static std::shared_ptr<TFHpple> hppleWithData(foundation::Data data, bool isXML);
    static std::shared_ptr<TFHpple> hppleWithHTMLData(foundation::Data data,
                                                      std::optional<std::string> encoding);
    static std::shared_ptr<TFHpple> hppleWithHTMLData(foundation::Data data);
    static std::shared_ptr<TFHpple> hppleWithXMLData(foundation::Data data,
                                                     std::optional<std::string> encoding);
    static std::shared_ptr<TFHpple> hppleWithXMLData(foundation::Data data);

    // The matched elements in document order; empty when the bytes do not
    // parse, the query is invalid or nothing matches.
    std::vector<std::shared_ptr<TFHppleElement>> searchWithXPathQuery(std::string_view query) const;
    // The first matched element, or nullptr.
    std::shared_ptr<TFHppleElement> peekAtSearchWithXPathQuery(std::string_view query) const;

    const foundation::Data& data() const { return data_; }
    const std::optional<std::string>& encoding() const { return encoding_; }
    bool isXML() const { return isXML_; }

  private:
    foundation::Data data_;
    std::optional<std::string> encoding_;
    bool isXML_;
};
