#pragma once
// File helpers over std::filesystem. None of them throws: failures come back as a
// Status or a false result, so no exception crosses into the callers.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

namespace pondaro {

namespace fs = std::filesystem;

// Reads a whole file. Fails when it is missing or unreadable.
Status readFile(const fs::path& path, std::string& contents);

// Durable writes wait until the bytes are on the disk before the rename; fast ones
// (for the many frame images of a save) only guard against a half-written file.
enum class WriteMode { Durable, Fast };

// Writes to a temporary file in the same folder, flushes it and renames it over
// the target, so the old file stays whole until the new one is complete. On failure
// the target is left as it was and no temporary file stays behind.
Status writeFileAtomic(const fs::path& path, std::string_view contents, WriteMode mode = WriteMode::Durable);

// The temporary file writeFileAtomic writes first: a hidden name beside the target,
// one per program, so two programs writing in one folder never share it and a
// write cut short by a crash leaves one stray file, which the next write reuses.
fs::path temporaryFileFor(const fs::path& path);

// Copies a file, overwriting the target. Fails when the source is missing.
bool copyFileOver(const fs::path& from, const fs::path& to);

bool isDirectory(const fs::path& path);
bool isRegularFile(const fs::path& path);
// Size of a regular file, or -1 when there is none.
long long fileSize(const fs::path& path);
// Creates the folder (and its parents) unless it is already a directory.
bool ensureDirectory(const fs::path& path);
// Removes a file or a folder with everything in it; true when nothing is left.
bool removeAll(const fs::path& path);
// Names (not paths) of the regular files in a folder whose name ends with the
// suffix (compared ignoring letter case), in directory order.
std::vector<std::string> listFiles(const fs::path& folder, std::string_view suffix);

} // namespace pondaro
