#include "platform/ui/TypeName.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace ui {

std::string typeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : type.name();
    auto anonymous = name.find("(anonymous namespace)::");
    if (anonymous != std::string::npos) {
        name.erase(anonymous, 23);
    }
    if (name.rfind("ui::", 0) == 0) {
        name.erase(0, 4);
    }
    return name;
}

}  // namespace ui
