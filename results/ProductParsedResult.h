#pragma once

// A product code (EAN-8, EAN-13, UPC-A, UPC-E) and its normalized form.

#include <string>

#include "results/ParsedResult.h"

class ProductParsedResult : public ParsedResult {
  public:
    ProductParsedResult(std::string productID, std::string normalizedProductID)
        : productID(std::move(productID)), normalizedProductID(std::move(normalizedProductID)) {}

    std::string productID;
    std::string normalizedProductID;

    std::string stringForDisplay() const override { return productID; }
    std::string className() const override { return "ProductParsedResult"; }
};
