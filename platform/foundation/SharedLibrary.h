#pragma once

// A shared library opened while the program runs, for the functions it is
// asked for: a dependency that only some roads need is loaded by the first of
// them instead of at every launch.

#include <optional>
#include <string>

namespace foundation {

class SharedLibrary {
  public:
    // Opens the library (kept open for the rest of the process); false, with a
    // line under `component` in the log, when it cannot be opened.
    bool open(const char* name, std::string component);

    // Looks `symbol` up into `function`; false (logged) when it is missing.
    template <class Function>
    bool find(const char* symbol, Function& function) const {
        function = reinterpret_cast<Function>(lookup(symbol));
        return function != nullptr;
    }

    // Opens the library and fills a table of its functions: `fill(find, table)`
    // calls find(symbol, table.member) for each of them (see
    // FOUNDATION_FIND_FUNCTION). Nullopt, logged, when the library or one of
    // the functions is missing.
    template <class Table, class Fill>
    static std::optional<Table> loadTable(const char* name, std::string component, Fill fill) {
        SharedLibrary library;
        if (!library.open(name, std::move(component))) {
            return std::nullopt;
        }
        Table table;
        bool complete = true;
        fill([&](const char* symbol,
                 auto& function) { complete = library.find(symbol, function) && complete; },
             table);
        if (!complete) {
            return std::nullopt;
        }
        return table;
    }

  private:
    void* lookup(const char* symbol) const;

    void* handle_ = nullptr;
    std::string name_;
    std::string component_;
};

}  // namespace foundation

// The step of a function list (an X-macro) inside a loadTable fill function:
// looks the function `name` up into `table.name`.
#define FOUNDATION_FIND_FUNCTION(name) find(#name, table.name);
