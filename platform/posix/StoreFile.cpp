#include "platform/StoreFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace ik {

namespace {

int64_t nanoseconds(const timespec& time) { return int64_t{time.tv_sec} * 1000000000 + time.tv_nsec; }

FileStamp stampOf(const struct stat& status) {
    return {status.st_dev, status.st_ino, status.st_size, nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

// A descriptor closed on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and tells whether the system accepted it (a delayed write
    // error may only show here).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& content) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = ::write(fd, content.data() + done, content.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool lockExclusive(int fd, int flags) {
    int result;
    do result = ::flock(fd, LOCK_EX | flags);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

// The temporary file, created and locked. The lock is what tells a later
// clean-up that this file is still being written; one that the clean-up took
// away between its creation and the lock has no name any more and is
// replaced by a new one.
int createLockedTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = path + ".XXXXXX";
        const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0) return -1;
        // A file system without locks still gets its writes; the clean-up
        // then leaves its temporary files alone.
        const bool locked = lockExclusive(fd, 0);
        struct stat status {};
        if (!locked || (::fstat(fd, &status) == 0 && status.st_nlink > 0)) return fd;
        ::close(fd);
    }
    return -1;
}

// mkstemp's six characters.
bool isTemporarySuffix(const std::string& suffix) {
    if (suffix.size() != 6) return false;
    for (char c : suffix) {
        const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) return false;
    }
    return true;
}

}  // namespace

FileKind kindOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return FileKind::Missing;
    return S_ISREG(status.st_mode) ? FileKind::Regular : FileKind::Other;
}

std::optional<FileStamp> regularFileStamp(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return stampOf(status);
}

std::optional<FileContent> readRegularFile(const std::string& path) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    FileContent content{stampOf(status), {}};
    content.text.reserve(static_cast<size_t>(status.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        content.text.append(buffer, static_cast<size_t>(got));
    }
    return content;
}

std::optional<std::string> followLinks(const std::string& path) {
    // The system's own limit on links in one path.
    constexpr int kMaxLinks = 40;
    std::string current = path;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error) return current;  // no link (or nothing at all): the chain ends here
        current = target.is_absolute() ? target.string() : folderOf(current) + "/" + target.string();
    }
    return std::nullopt;
}

std::optional<Replaced> replaceFile(const std::string& path, const std::string& content) {
    std::string temporary;
    Descriptor fd(createLockedTemporary(path, temporary));
    if (fd.get() < 0) return std::nullopt;
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const bool written = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), content) && ::fsync(fd.get()) == 0;
    // The rename happens while the lock is held, so no clean-up can take the
    // file away before it has its final name.
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return std::nullopt;
    }
    fd.close();
    // The rename itself is made durable by syncing the folder; a failure here
    // loses nothing that was there before.
    Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    struct stat now {};
    if (::stat(path.c_str(), &now) != 0) return Replaced{};
    return Replaced{stampOf(now)};
}

void removeStaleTemporaries(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string prefix = nameOf(path) + ".";
    std::error_code error;
    for (std::filesystem::directory_iterator entries(folder, error), end; !error && entries != end;
         entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0 || !isTemporarySuffix(name.substr(prefix.size()))) continue;
        const std::string candidate = folder + "/" + name;
        Descriptor fd(::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (fd.get() < 0) continue;
        struct stat held {
        }, named{};
        if (::fstat(fd.get(), &held) != 0 || !S_ISREG(held.st_mode) || held.st_uid != ::geteuid()) continue;
        // A write in progress holds the lock; a killed one released it.
        if (!lockExclusive(fd.get(), LOCK_NB)) continue;
        if (::lstat(candidate.c_str(), &named) != 0 || named.st_ino != held.st_ino || named.st_dev != held.st_dev)
            continue;
        ::unlink(candidate.c_str());
    }
}

}  // namespace ik
