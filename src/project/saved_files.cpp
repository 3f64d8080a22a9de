#include "project/saved_files.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

// The path as the save and the reader both spell it. Another spelling of the same file
// only makes a save write it again.
const std::string& key(const fs::path& file) { return file.native(); }

std::string pictureContent(uint64_t pixels) { return "picture " + std::to_string(pixels); }

std::string projectFileContent(uint64_t values) { return "project file " + std::to_string(values); }

std::string copyContent(const fs::path& source, const FileStamp& s) {
    return "copy " + std::to_string(s.size) + ' ' + std::to_string(s.modifiedNanoseconds) + ' ' +
           std::to_string(s.inode) + ' ' + key(source);
}

} // namespace

bool SavedFiles::holds(const fs::path& file, const std::string& content) const {
    auto it = files_.find(key(file));
    if (it == files_.end() || it->second.content != content) return false;
    const auto now = fileStamp(file);
    return now && *now == it->second.stamp;
}

void SavedFiles::record(const fs::path& file, std::string content, const std::optional<FileStamp>& stamp) {
    if (!stamp) {
        forget(file);
        return;
    }
    files_.insert_or_assign(key(file), Entry{std::move(content), *stamp});
}

bool SavedFiles::holdsPicture(const fs::path& file, uint64_t pixels) const {
    return holds(file, pictureContent(pixels));
}

bool SavedFiles::holdsCopyOf(const fs::path& file, const fs::path& source, const FileStamp& sourceStamp) const {
    return holds(file, copyContent(source, sourceStamp));
}

void SavedFiles::recordPicture(const fs::path& file, uint64_t pixels, const FileStamp& stamp) {
    record(file, pictureContent(pixels), stamp);
}

void SavedFiles::recordPicture(const fs::path& file, uint64_t pixels) {
    record(file, pictureContent(pixels), fileStamp(file));
}

bool SavedFiles::holdsProjectFile(const fs::path& file, uint64_t values) const {
    return holds(file, projectFileContent(values));
}

void SavedFiles::recordProjectFile(const fs::path& file, uint64_t values) {
    record(file, projectFileContent(values), fileStamp(file));
}

void SavedFiles::recordCopy(const fs::path& file, const fs::path& source, const FileStamp& sourceStamp) {
    record(file, copyContent(source, sourceStamp), fileStamp(file));
}

void SavedFiles::takeFrom(SavedFiles&& other) {
    for (auto& [file, entry] : other.files_) files_.insert_or_assign(file, std::move(entry));
    other.files_.clear();
}

void SavedFiles::forget(const fs::path& file) { files_.erase(key(file)); }

} // namespace pondaro
