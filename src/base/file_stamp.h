#pragma once
// What identifies one state of a file without reading it: its size, the time of its
// last change and the file itself (a file replaced by renaming a new one over it is
// another file). Writing a file in any way gives it another stamp.
#include <filesystem>
#include <optional>

namespace pondaro {

struct FileStamp {
    long long size = 0;
    long long modifiedNanoseconds = 0;
    unsigned long long inode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of a regular file (a link is not followed), or none.
std::optional<FileStamp> fileStamp(const std::filesystem::path& path);

} // namespace pondaro
