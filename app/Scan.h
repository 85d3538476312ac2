#pragma once

// The record of one scan as the scan-result screen shows it: an identifier
// (-1 for every scan the application makes), the code's text and its time.

#include <cstdint>
#include <string>

#include "platform/foundation/Date.h"

class Scan {
  public:
    // initWithIdent:text:stamp:
    Scan(std::int32_t ident, std::string text, foundation::Date stamp)
        : ident_(ident), text_(std::move(text)), stamp_(stamp) {}

    std::int64_t ident() const { return ident_; }
    void setIdent(std::int64_t ident) { ident_ = ident; }
    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    foundation::Date stamp() const { return stamp_; }
    void setStamp(foundation::Date stamp) { stamp_ = stamp; }

  private:
    std::int64_t ident_;
    std::string text_;
    foundation::Date stamp_;
};
