#pragma once

// A screen that can save itself into the saved screen stack ("State" in the
// user defaults) and be rebuilt from it at the next launch. The dictionary
// holds "class" (the screen's class name) and the screen's own keys.

#include <memory>

#include "platform/foundation/Value.h"

namespace store {
class Context;
}

class PersistentState {
  public:
    virtual ~PersistentState() = default;

    // The screen's dictionary; null when it has nothing to save now (the
    // stack walk ends there).
    virtual foundation::Value saveState() = 0;
    // Takes a saved dictionary; answers whether the screen took it.
    virtual bool restoreState(const foundation::Value& state) = 0;
    // setContext: : the store's context, given before restoreState. Screens
    // that do not keep one ignore it.
    virtual void setContext(const std::shared_ptr<store::Context>& context) {}
};
