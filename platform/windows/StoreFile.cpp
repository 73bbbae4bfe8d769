#include "platform/StoreFile.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

#include "platform/SystemPaths.h"

namespace ik {

namespace fs = std::filesystem;

namespace {

// A handle closed on every way out.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    bool close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int64_t ticks(const LARGE_INTEGER& time) { return time.QuadPart; }

std::optional<FileStamp> stampOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandle(file, &info) ||
        !GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic))
        return std::nullopt;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    const auto join = [](DWORD high, DWORD low) { return (uint64_t{high} << 32) | low; };
    // Windows counts in 100 ns steps.
    return FileStamp{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                     static_cast<int64_t>(join(info.nFileSizeHigh, info.nFileSizeLow)),
                     ticks(basic.LastWriteTime) * 100, ticks(basic.ChangeTime) * 100};
}

// Opens a regular file for reading as other programs let us; a folder, a
// device or a pipe is refused.
HANDLE openRegular(const std::string& path, DWORD access) {
    const HANDLE file =
        CreateFileW(utf8Path(path).c_str(), access, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

bool writeAll(HANDLE file, const std::string& content) {
    size_t done = 0;
    while (done < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// Six letters or digits, as the POSIX build's temporary files have.
bool isTemporarySuffix(const std::wstring& suffix) {
    if (suffix.size() != 6) return false;
    for (wchar_t c : suffix) {
        const bool letterOrDigit = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9');
        if (!letterOrDigit) return false;
    }
    return true;
}

std::wstring temporarySuffix(unsigned seed) {
    static const wchar_t kDigits[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::wstring suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += kDigits[seed % 62];
        seed /= 62;
    }
    return suffix;
}

// The temporary file, created new and opened with no sharing at all: that is
// what tells a later clean-up that it is still being written.
HANDLE createLockedTemporary(const fs::path& path, fs::path& temporary) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        const unsigned seed = (GetCurrentProcessId() * 2654435761u) ^ (GetTickCount() * 40503u) ^ (++counter * 97u);
        temporary = path;
        temporary += L"." + temporarySuffix(seed);
        const HANDLE file =
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

FileKind kindOf(const std::string& path) {
    Handle file(
        CreateFileW(utf8Path(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return FileKind::Missing;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return FileKind::Other;
    return FileKind::Regular;
}

std::optional<FileStamp> regularFileStamp(const std::string& path) {
    Handle file(openRegular(path, 0));
    if (!file.valid()) return std::nullopt;
    return stampOf(file.get());
}

std::optional<FileContent> readRegularFile(const std::string& path) {
    Handle file(openRegular(path, GENERIC_READ));
    if (!file.valid()) return std::nullopt;
    const auto stamp = stampOf(file.get());
    if (!stamp) return std::nullopt;
    FileContent content{*stamp, {}};
    content.text.reserve(static_cast<size_t>(stamp->size));
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        content.text.append(buffer, got);
    }
    return content;
}

std::optional<std::string> followLinks(const std::string& path) {
    // The system's own limit on links in one path.
    constexpr int kMaxLinks = 63;
    fs::path current = utf8Path(path);
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        std::error_code error;
        const fs::path target = fs::read_symlink(current, error);
        if (error) return utf8String(current);  // no link (or nothing at all): the chain ends here
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return std::nullopt;
}

std::optional<Replaced> replaceFile(const std::string& path, const std::string& content) {
    const fs::path target = utf8Path(path);
    // A clean-up of another start may take a temporary file between its
    // closing and its move; such a write is simply made again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        fs::path temporary;
        Handle file(createLockedTemporary(target, temporary));
        if (!file.valid()) return std::nullopt;
        const bool written = writeAll(file.get(), content) && FlushFileBuffers(file.get());
        if (!file.close() || !written) {
            DeleteFileW(temporary.c_str());
            return std::nullopt;
        }
        // The old file's read-only mark is kept by refusing: Windows does not
        // replace a read-only file, and the store then says so.
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            Handle now(openRegular(path, 0));
            return Replaced{now.valid() ? stampOf(now.get()) : std::nullopt};
        }
        const DWORD failure = GetLastError();
        DeleteFileW(temporary.c_str());
        if (failure != ERROR_FILE_NOT_FOUND) return std::nullopt;
    }
    return std::nullopt;
}

void removeStaleTemporaries(const std::string& path) {
    const fs::path file = utf8Path(path);
    const fs::path folder = file.parent_path().empty() ? fs::path(L".") : file.parent_path();
    const std::wstring prefix = file.filename().wstring() + L".";
    std::error_code error;
    for (fs::directory_iterator entries(folder, error), end; !error && entries != end; entries.increment(error)) {
        const std::wstring name = entries->path().filename().wstring();
        if (name.compare(0, prefix.size(), prefix) != 0 || !isTemporarySuffix(name.substr(prefix.size()))) continue;
        // A write in progress holds the file with no sharing, so this opening
        // fails; a killed one let go of it, and closing it removes it.
        Handle stale(CreateFileW((folder / name).c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!stale.valid()) continue;
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(stale.get(), &info) ||
            (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
            // Not a file of ours: opened for deletion, it must not be removed.
            FILE_DISPOSITION_INFO keep{FALSE};
            SetFileInformationByHandle(stale.get(), FileDispositionInfo, &keep, sizeof keep);
        }
    }
}

}  // namespace ik
