// A library loaded at run time from a file named by its path, its functions
// looked up by name. Each operating system implements it in its own folder.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace ik {

class DynamicLibrary {
public:
    // The library at `path` (UTF-8), or null when the system cannot load it.
    static std::unique_ptr<DynamicLibrary> open(const std::string& path);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // The exported function of that name, or null.
    void* function(const char* name) const;

private:
    explicit DynamicLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

// The file name the system gives a library called `stem`: "libSTEM.so", "STEM.dll".
std::string dynamicLibraryFileName(std::string_view stem);

}  // namespace ik
