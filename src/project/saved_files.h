#pragma once
// What a Save knows of the files it writes into the project folder and of the project
// file: for each file as it was last read or written, what it holds and its stamp at
// that moment. A picture is known by a fingerprint of the pixels it was encoded from,
// a media file by the file it was copied from and that file's stamp, the project file
// by a fingerprint of every value written into it (known only once a Save wrote it:
// what Open reads is not always what a Save writes).
//
// A Save skips a file only when it would write the same content again and the file is
// still the one recorded. It does not rely on being told of changes: a picture edited
// by any operation has other pixels, a file changed, replaced or removed outside the
// studio has another stamp or none, a renamed sprite or another project name gives
// another path, any value of the project file changed gives another fingerprint; each
// of these is written again.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

#include "base/file_stamp.h"

namespace pondaro {

class SavedFiles {
public:
    // The file holds the project file with this fingerprint (projectFileFingerprint),
    // as recorded.
    bool holdsProjectFile(const std::filesystem::path& file, uint64_t values) const;
    // The file holds the picture with this pixel fingerprint, as recorded.
    bool holdsPicture(const std::filesystem::path& file, uint64_t pixels) const;
    // The file holds a copy of `source` as the source is now (`sourceStamp`).
    bool holdsCopyOf(const std::filesystem::path& file, const std::filesystem::path& source,
                     const FileStamp& sourceStamp) const;

    // The file, in the state `stamp` describes, holds the picture: taken before a
    // picture is read, so that a change made while it is read is not mistaken for it.
    void recordPicture(const std::filesystem::path& file, uint64_t pixels, const FileStamp& stamp);
    // The file, as it is now, holds the picture / the copy (just written).
    void recordPicture(const std::filesystem::path& file, uint64_t pixels);
    void recordProjectFile(const std::filesystem::path& file, uint64_t values);
    void recordCopy(const std::filesystem::path& file, const std::filesystem::path& source,
                    const FileStamp& sourceStamp);
    void forget(const std::filesystem::path& file);
    // Adds what `other` knows, which is newer where both know a file.
    void takeFrom(SavedFiles&& other);
    void clear() { files_.clear(); }

private:
    struct Entry {
        std::string content;
        FileStamp stamp;
    };
    bool holds(const std::filesystem::path& file, const std::string& content) const;
    void record(const std::filesystem::path& file, std::string content, const std::optional<FileStamp>& stamp);

    std::unordered_map<std::string, Entry> files_;
};

} // namespace pondaro
