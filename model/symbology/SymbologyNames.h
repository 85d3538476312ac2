#pragma once

// The display names of the scanner's symbology numbers, kept apart from the
// scanner so that what only shows stored codes needs no scanner to name them.

#include <string>

class SymbologyNames {
  public:
    // The name of a symbology number, looked up on its low 8 bits; "UNKNOWN"
    // for numbers outside the table.
    static std::string nameForType(int type);
};
