#pragma once

// A product of the store, as a products request or the product sheet knows it.

#include <string>

namespace services {

struct Product {
    std::string productIdentifier;
    std::string localizedTitle;
    std::string localizedDescription;
    double price = 0;

    friend bool operator==(const Product&, const Product&) = default;
};

}  // namespace services
