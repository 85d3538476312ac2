#pragma once

// A row in a sectioned list: the position the store's fetched results, the
// tables, their data sources and their delegates talk in.

#include <compare>
#include <string>

namespace foundation {

struct IndexPath {
    int section = 0;
    int row = 0;

    static IndexPath forRow(int row, int section) { return IndexPath{section, row}; }

    std::string description() const {
        return "{" + std::to_string(section) + ", " + std::to_string(row) + "}";
    }

    friend bool operator==(const IndexPath&, const IndexPath&) = default;
    friend auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

}  // namespace foundation
