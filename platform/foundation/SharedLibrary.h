#pragma once

// A shared library opened while the program runs, for the functions it is
// asked for: a dependency that only some roads need is loaded by the first of
// them instead of at every launch.

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

  private:
    void* lookup(const char* symbol) const;

    void* handle_ = nullptr;
    std::string name_;
    std::string component_;
};

}  // namespace foundation
