#pragma once

// UPC-E to UPC-A expansion, shared by the classifier and the product parser.

#include <string>

// Expands a 7- or 8-digit UPC-E text beginning with 0 or 1 (number system,
// six digits, and the check digit when there are 8) to its UPC-A form (11 or
// 12 digits). Any other text is returned unchanged.
std::string UPCEExpansion(const std::string& text);
