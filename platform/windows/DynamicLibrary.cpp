#include "platform/DynamicLibrary.h"

#include <windows.h>

#include <system_error>

#include "platform/SystemPaths.h"

namespace ik {

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string& path) {
    // The library's own dependencies are looked for beside it first, never in
    // the working folder; no "cannot find" box of the system's.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(utf8Path(path), error);
    if (error) return nullptr;
    HMODULE module =
        LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    SetErrorMode(previous);
    if (!module) return nullptr;
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(module));
}

DynamicLibrary::~DynamicLibrary() { FreeLibrary(static_cast<HMODULE>(handle_)); }

void* DynamicLibrary::function(const char* name) const {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

std::string dynamicLibraryFileName(std::string_view stem) { return std::string(stem) + ".dll"; }

}  // namespace ik
