#pragma once
// File helpers over std::filesystem and the system calls. None of them throws:
// failures come back as a Status or a false result, so no exception crosses into the
// callers.
//
// Files that come from the program's folders (projects, extensions, settings) may be
// anything a user or another program put there. So reading takes a regular file only
// (a pipe, device or socket is refused at once, never waited on) and never more bytes
// than its kind can need; a link as the last part of such a path is not followed. And
// nothing is written through a link: files are replaced by renaming a new file over
// them, which replaces a link itself and leaves what it pointed to alone.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace pondaro {

namespace fs = std::filesystem;

// What one kind of file may hold at most; a larger one is refused with a message
// naming the kind, before anything of it is read.
struct FileLimit {
    const char* kind;  // "a project file", "a picture", ...
    long long maxBytes;
};

// The last part of a path may be a link only where the user chose the file in a file
// dialog: files of the program's own folders are read only when they are files there.
enum class Links { Refused, Followed };

// Reads a whole file: a regular file of at most limit.maxBytes.
Status readFile(const fs::path& path, std::string& contents, const FileLimit& limit, Links links = Links::Refused);

// Durable writes wait until the bytes are on the disk before the rename; fast ones
// (for the many frame images of a save) only guard against a half-written file.
enum class WriteMode { Durable, Fast };

// Writes to a temporary file in the same folder and renames it over the target, so the
// old file stays whole until the new one is complete, and a link at the target is
// replaced, not written through. On failure the target is left as it was and no
// temporary file stays behind.
Status writeFileAtomic(const fs::path& path, std::string_view contents, WriteMode mode = WriteMode::Durable);

// A file written piece by piece, for a text too large to hold whole before it is
// written, the way writeFileAtomic writes: the pieces go into the temporary file beside
// the target, and only commit() renames it over the target. Destroyed without a
// commit, it removes the temporary file and the target stays as it was. A failed
// write is kept and reported by commit(), which then leaves the target alone too.
class StreamedFile {
public:
    explicit StreamedFile(const fs::path& path, WriteMode mode = WriteMode::Durable);
    ~StreamedFile();
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    void write(std::string_view bytes);
    Status commit();

private:
    void abandon();

    fs::path path_, temp_;
    WriteMode mode_;
    int fd_ = -1;
    Status status_ = Status::success();
};

// The temporary file writeFileAtomic writes first: a hidden name beside the target,
// one per program, that carries the program's process id. So two programs writing in
// one folder never share it, a link someone put under that name is not followed, and
// one left by a program that was stopped midway can be told from one being written
// (removeLeftoverTemporaryFiles).
fs::path temporaryFileFor(const fs::path& path);

// Copies a regular file of at most limit.maxBytes (a link is not followed) the way
// writeFileAtomic writes: into a temporary file beside the target, then renamed over
// it. Copying a file onto itself keeps it. Fails when the source is missing or refused.
Status copyFileOver(const fs::path& from, const fs::path& to, const FileLimit& limit, WriteMode mode = WriteMode::Fast);

// True when both are regular files of at most limit.maxBytes with the same bytes (read
// a piece at a time, whatever their size).
bool sameFileContents(const fs::path& a, const fs::path& b, const FileLimit& limit);

// The temporary files of writes whose program is no longer running (stopped by a
// crash or a kill before its rename) are removed from the folder; so are those of
// this program, which never leaves one between two calls. Returns how many went.
int removeLeftoverTemporaryFiles(const fs::path& folder);

// True while a program with this process id runs (other than this one).
bool otherProgramRunning(long long processId);

// A folder the program reads or writes below its own folder `root` must lie inside
// it: a folder that is, or lies under, a link leading elsewhere is refused with a
// message naming `label` (as the user sees the path). A folder that does not exist
// yet passes when the folders it would be created in lie inside.
Status checkFolderInside(const fs::path& folder, const fs::path& root, const std::string& label);

bool isDirectory(const fs::path& path);
bool isRegularFile(const fs::path& path);
// True when something (a file, folder or link, even a broken one) has this name.
bool pathExists(const fs::path& path);
// Size of a regular file, or -1 when there is none.
long long fileSize(const fs::path& path);
// Creates the folder (and its parents) unless it is already a directory.
bool ensureDirectory(const fs::path& path);
// Removes a file or a folder with everything in it; true when nothing is left. A link
// is removed itself; what it points to is left alone.
bool removeAll(const fs::path& path);
// Names (not paths) of the regular files in a folder whose name ends with the
// suffix (compared ignoring letter case), in directory order.
std::vector<std::string> listFiles(const fs::path& folder, std::string_view suffix);

} // namespace pondaro
