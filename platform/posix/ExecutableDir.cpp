#include <filesystem>
#include <system_error>

#include "platform/SystemPaths.h"

namespace ik {

namespace fs = std::filesystem;

std::string executableDir() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return fs::current_path(error).string();
    }
    return exe.parent_path().string();
}

}  // namespace ik
