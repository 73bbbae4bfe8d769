#include "platform/SystemPaths.h"

#include <windows.h>

#include <cstdio>
#include <system_error>

namespace ik {

namespace fs = std::filesystem;

namespace {

std::wstring environment(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD got = GetEnvironmentVariableW(name, value.data(), size);
    value.resize(got < size ? got : 0);
    return value;
}

bool isDirectory(const fs::path& dir) {
    const DWORD attributes = GetFileAttributesW(dir.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::string executableDir() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD got = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (got == 0) {
            std::error_code error;
            return utf8String(fs::current_path(error));
        }
        if (got < buffer.size()) {
            buffer.resize(got);
            return utf8String(fs::path(buffer).parent_path());
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string userDataBase() {
    const std::wstring appData = environment(L"APPDATA");
    if (!appData.empty()) return utf8String(fs::path(appData));
    // A profile without the variable (a service account): the profile's own
    // roaming folder, else beside the executable's folder.
    const std::wstring profile = environment(L"USERPROFILE");
    if (!profile.empty()) return utf8String(fs::path(profile) / L"AppData" / L"Roaming");
    return executableDir();
}

std::vector<std::string> systemDataDirs() { return {}; }

std::string temporaryDir() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD got = GetTempPathW(MAX_PATH + 1, buffer);
    if (got == 0 || got > MAX_PATH) return ".";
    return utf8String(fs::path(std::wstring(buffer, got)).lexically_normal());
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return _wfopen(utf8Path(path).c_str(), std::wstring(mode, mode + std::char_traits<char>::length(mode)).c_str());
}

std::string createTemporaryDir(const std::string& parent, const std::string& prefix) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
    for (int attempt = 0; attempt < 64; ++attempt) {
        std::string name = prefix;
        for (int i = 0; i < 6; ++i) {
            seed = seed * 1103515245u + 12345u;
            name += kLetters[(seed >> 16) % 62];
        }
        const fs::path dir = utf8Path(parent) / utf8Path(name);
        // The folder inherits its parent's rights (the temporary folder's are the user's own).
        if (CreateDirectoryW(dir.c_str(), nullptr)) return utf8String(dir);
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

bool fileReadable(const std::string& path) {
    const HANDLE file =
        CreateFileW(utf8Path(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Windows' access rights are lists of rules, so the one true answer is to try:
// create a file of our own there and remove it again.
bool directoryWritable(const std::string& dir) {
    const fs::path folder = utf8Path(dir.empty() ? "." : dir);
    if (!isDirectory(folder)) return false;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path probe =
            folder / (L"~ironkeel-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt));
        const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

bool directoryReadable(const std::string& dir) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((utf8Path(dir.empty() ? "." : dir) / L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

}  // namespace ik
