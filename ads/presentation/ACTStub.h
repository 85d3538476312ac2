#pragma once

// What the component calls on the application's conversion-tracking
// reporter, a class it finds by the name "ACTConversionReporter" in the class
// registry: a reporter registered without a factory for this type does not
// answer these calls.

#include <memory>
#include <optional>
#include <string>

class ACTStub {
  public:
    virtual ~ACTStub() = default;
    virtual void initWithProductID(const std::optional<std::string>& productID,
                                   const std::optional<std::string>& value, bool isRepeatable) = 0;
    // Whether the conversion was reported.
    virtual bool report() = 0;
};
