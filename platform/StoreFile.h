// The file-system side of the score store. Only a regular file is ever read
// (a FIFO would block the read, a device like /dev/zero would never end it); a
// write replaces the file in one step through a locked temporary file beside
// it; a later start removes the temporary files that killed writes left.
// Each operating system implements it in its own folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ik {

// What tells one state of a file from the next: a replacement gives a new
// file identity, an edit in place a new size or modification time.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

enum class FileKind { Missing, Regular, Other };

// What the name holds after following links. A name the system cannot even
// look at (no search permission, a loop of links) holds nothing readable and
// counts as Missing; a write there fails on its own.
FileKind kindOf(const std::string& path);
// The stamp of the regular file under the name, if it holds one.
std::optional<FileStamp> regularFileStamp(const std::string& path);

struct FileContent {
    FileStamp stamp;
    std::string text;
};

// The whole file when the name holds a readable regular file.
std::optional<FileContent> readRegularFile(const std::string& path);

// Where the chain of symbolic links that starts at `path` ends (`path` itself
// when it is no link); nothing for a loop of links.
std::optional<std::string> followLinks(const std::string& path);

// A replacement the system accepted, with the new file's stamp when it can
// still be read.
struct Replaced {
    std::optional<FileStamp> stamp;
};

// Replaces the file `path` (no link) with `content` so that a crash at any
// moment leaves the old or the new file under the name; keeps the old file's
// permissions. Nothing when a step is refused (then no litter is left and the
// old file is as it was).
std::optional<Replaced> replaceFile(const std::string& path, const std::string& content);

// Removes the temporary files "<path>.XXXXXX" of this user that no write
// holds any more: what a write killed between creating and renaming left.
void removeStaleTemporaries(const std::string& path);

}  // namespace ik
