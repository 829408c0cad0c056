#include "platform/module.h"

#include <dlfcn.h>

namespace platform {

Module* loadModule(const std::filesystem::path& file, std::string& problem) {
    // Everything resolved now, so that a missing library is told here and
    // not when a function is first called; its names kept to itself.
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        problem = why != nullptr ? why : "it does not load";
    }
    return static_cast<Module*>(handle);
}

void* moduleFunction(Module* module, const char* name) { return ::dlsym(module, name); }

}  // namespace platform
