#pragma once

// The first contents of a new store and the symbologies the classifier names:
// ClassificationNames (groups of names, each ended by nullptr, the list ended
// by an empty group), DefaultActions (name, URL prefix, up to two
// classification names) and SymbologyNames (ended by the row with code 0).

#include <cstdint>

extern const char* const ClassificationNames[];

struct DefaultActionRow {
    const char* name;
    const char* url;
    const char* firstClassification;
    // nullptr when the Action has one classification only.
    const char* secondClassification;
};
inline constexpr int kDefaultActionCount = 10;
extern const DefaultActionRow DefaultActions[kDefaultActionCount];

struct SymbologyNameRow {
    std::int32_t code;
    const char* name;
};
extern const SymbologyNameRow SymbologyNames[];
