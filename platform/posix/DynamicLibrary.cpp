#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

namespace ik {

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::~DynamicLibrary() { dlclose(handle_); }

void* DynamicLibrary::function(const char* name) const { return dlsym(handle_, name); }

std::string dynamicLibraryFileName(std::string_view stem) { return "lib" + std::string(stem) + ".so"; }

}  // namespace ik
