#include "platform/foundation/SharedLibrary.h"

#include <dlfcn.h>

#include "platform/foundation/Log.h"

namespace foundation {

bool SharedLibrary::open(const char* name, std::string component) {
    name_ = name;
    component_ = std::move(component);
    handle_ = dlopen(name, RTLD_LAZY | RTLD_LOCAL);
    if (handle_ == nullptr) {
        Log::write(component_, "cannot load " + name_ + ": " + dlerror());
    }
    return handle_ != nullptr;
}

void* SharedLibrary::lookup(const char* symbol) const {
    void* found = handle_ == nullptr ? nullptr : dlsym(handle_, symbol);
    if (found == nullptr && handle_ != nullptr) {
        Log::write(component_, name_ + " lacks " + symbol);
    }
    return found;
}

}  // namespace foundation
