#include "base/files.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pondaro {

namespace {

std::string quoted(const fs::path& path) {
    std::string text = "'";
    text += path.lexically_normal().string();
    text += '\'';
    return text;
}

std::string describe(const fs::path& path, const std::string& what) { return what + " " + quoted(path); }

std::string reason(int err) { return std::string("(") + std::strerror(err) + "):"; }

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (suffix.size() > text.size()) return false;
    auto tail = text.substr(text.size() - suffix.size());
    for (size_t i = 0; i < suffix.size(); ++i) {
        char a = tail[i], b = suffix[i];
        if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = char(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

std::string sizeText(long long bytes) {
    if (bytes >= (1LL << 20) && bytes % (1LL << 20) == 0) return std::to_string(bytes >> 20) + " MB";
    return std::to_string(bytes) + " bytes";
}

const char* whatItIs(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    return "not a regular file";
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd) {
        close();
        fd_ = fd;
    }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now, reporting whether the last writes reached the file.
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

// Opens a file to read it whole, refusing what is not a regular file of at most the
// limit. O_NONBLOCK makes opening a pipe return at once instead of waiting for a writer.
Status openForReading(const fs::path& path, const FileLimit& limit, Links links, FileDescriptor& out, long long& size) {
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (links == Links::Refused) flags |= O_NOFOLLOW;
    int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        const int err = errno;
        struct stat info {};
        if (err == ELOOP && links == Links::Refused && ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
            return Status::failure("Not read: " + quoted(path) + " is a link, not a file (links in the program's folders are not followed).");
        if (err == EISDIR) return Status::failure(describe(path, "Not a file:"));
        return Status::failure(describe(path, "Cannot open " + reason(err)));
    }
    FileDescriptor file(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) return Status::failure(describe(path, "Cannot read " + reason(errno)));
    if (S_ISDIR(info.st_mode)) return Status::failure(describe(path, "Not a file:"));
    if (!S_ISREG(info.st_mode))
        return Status::failure("Not read: " + quoted(path) + " is " + whatItIs(info.st_mode) + ", not a file.");
    if (info.st_size > limit.maxBytes)
        return Status::failure("Not read: " + quoted(path) + " holds " + std::to_string(info.st_size) +
                               " bytes, more than " + limit.kind + " can (at most " + sizeText(limit.maxBytes) + ").");
    size = info.st_size;
    out.reset(file.release());
    return Status::success();
}

// Temporary files are named "." + target name + ".tmp" + process id, in the target's
// folder (a rename across folders could cross file systems).
constexpr std::string_view kTemporaryMark = ".tmp";

Status createTemporary(const fs::path& target, FileDescriptor& out, fs::path& temp) {
    temp = temporaryFileFor(target);
    // O_NOFOLLOW: a link someone put under this name is never written through. A file
    // of this name is this program's own, left by a write cut short: it is reused.
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return Status::failure(describe(target, "Cannot write " + reason(errno)));
    out.reset(fd);
    return Status::success();
}

bool writeAll(int fd, const char* p, size_t left) {
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        left -= size_t(w);
    }
    return true;
}

// Ends a write into `temp`: flushed to the disk when durable, closed, renamed over the
// target. On failure the temporary file is removed and the target is as it was.
Status finishTemporary(FileDescriptor& file, const fs::path& temp, const fs::path& target, WriteMode mode) {
    auto fail = [&](const std::string& what, int err) {
        file.close();
        ::unlink(temp.c_str());
        return Status::failure(describe(target, what + " " + reason(err)));
    };
    if (mode == WriteMode::Durable && ::fsync(file.get()) != 0 && errno != EINVAL) return fail("Cannot write", errno);
    if (!file.close()) return fail("Cannot write", errno);
    if (std::rename(temp.c_str(), target.c_str()) != 0) return fail("Cannot replace", errno);
    return Status::success();
}

// The process id in a temporary file's name, or -1 when the name is no temporary file's.
long long temporaryWriter(std::string_view name) {
    if (name.size() < 2 || name[0] != '.') return -1;
    const size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string_view::npos || mark < 2) return -1;
    const std::string_view id = name.substr(mark + kTemporaryMark.size());
    if (id.empty() || id.size() > 18) return -1;
    for (char c : id)
        if (c < '0' || c > '9') return -1;
    return std::stoll(std::string(id));
}

} // namespace

fs::path temporaryFileFor(const fs::path& path) {
    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::string name = ".";
    name += path.filename().string();
    name += kTemporaryMark;
    name += std::to_string(::getpid());
    return folder / name;
}

Status readFile(const fs::path& path, std::string& contents, const FileLimit& limit, Links links) {
    FileDescriptor file;
    long long size = 0;
    if (Status s = openForReading(path, limit, links, file, size); !s) return s;
    contents.clear();
    contents.reserve(size_t(size));
    char buffer[1 << 16];
    while (true) {
        ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return Status::failure(describe(path, "Cannot read " + reason(errno)));
        }
        if (n == 0) break;
        // A file that grows while it is read is still held to the limit.
        if ((long long)(contents.size() + size_t(n)) > limit.maxBytes)
            return Status::failure("Not read: " + quoted(path) + " holds more than " + limit.kind + " can (at most " +
                                   sizeText(limit.maxBytes) + ").");
        contents.append(buffer, size_t(n));
    }
    return Status::success();
}

Status writeFileAtomic(const fs::path& path, std::string_view contents, WriteMode mode) {
    FileDescriptor file;
    fs::path temp;
    if (Status s = createTemporary(path, file, temp); !s) return s;
    if (!writeAll(file.get(), contents.data(), contents.size())) {
        const int err = errno;
        file.close();
        ::unlink(temp.c_str());
        return Status::failure(describe(path, "Cannot write " + reason(err)));
    }
    return finishTemporary(file, temp, path, mode);
}

StreamedFile::StreamedFile(const fs::path& path, WriteMode mode) : path_(path), mode_(mode) {
    FileDescriptor file;
    status_ = createTemporary(path, file, temp_);
    fd_ = file.release();
}

StreamedFile::~StreamedFile() { abandon(); }

void StreamedFile::abandon() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(temp_.c_str());
    fd_ = -1;
}

void StreamedFile::write(std::string_view bytes) {
    if (fd_ < 0 || writeAll(fd_, bytes.data(), bytes.size())) return;
    status_ = Status::failure(describe(path_, "Cannot write " + reason(errno)));
    abandon();
}

Status StreamedFile::commit() {
    if (fd_ < 0) return status_;
    FileDescriptor file(fd_);
    fd_ = -1;
    return status_ = finishTemporary(file, temp_, path_, mode_);
}

Status copyFileOver(const fs::path& from, const fs::path& to, const FileLimit& limit, WriteMode mode) {
    FileDescriptor source;
    long long size = 0;
    if (Status s = openForReading(from, limit, Links::Refused, source, size); !s) return s;
    struct stat in {}, out {};
    if (::fstat(source.get(), &in) == 0 && ::lstat(to.c_str(), &out) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
        return Status::success();  // the same file

    FileDescriptor target;
    fs::path temp;
    if (Status s = createTemporary(to, target, temp); !s) return s;
    long long copied = 0;
    char buffer[1 << 16];
    while (true) {
        ssize_t n = ::read(source.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || (n > 0 && copied + n > limit.maxBytes) || (n > 0 && !writeAll(target.get(), buffer, size_t(n)))) {
            const int err = n < 0 || copied + n <= limit.maxBytes ? errno : EFBIG;
            target.close();
            ::unlink(temp.c_str());
            return Status::failure(describe(to, "Cannot copy " + quoted(from) + " to " + reason(err)));
        }
        if (n == 0) break;
        copied += n;
    }
    return finishTemporary(target, temp, to, mode);
}

bool sameFileContents(const fs::path& a, const fs::path& b, const FileLimit& limit) {
    FileDescriptor fa, fb;
    long long sa = 0, sb = 0;
    if (!openForReading(a, limit, Links::Refused, fa, sa) || !openForReading(b, limit, Links::Refused, fb, sb) || sa != sb)
        return false;
    std::string x(1 << 16, '\0'), y(1 << 16, '\0');
    while (true) {
        auto fill = [](int fd, std::string& buffer) {
            size_t got = 0;
            while (got < buffer.size()) {
                ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) return n < 0 ? -1L : long(got);
                got += size_t(n);
            }
            return long(got);
        };
        const long nx = fill(fa.get(), x), ny = fill(fb.get(), y);
        if (nx < 0 || nx != ny || x.compare(0, size_t(nx), y, 0, size_t(ny)) != 0) return false;
        if (nx < long(x.size())) return true;
    }
}

int removeLeftoverTemporaryFiles(const fs::path& folder) {
    int removed = 0;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const long long writer = temporaryWriter(name);
        if (writer < 0 || otherProgramRunning(writer)) continue;
        std::error_code ec2;
        if (!it->is_regular_file(ec2) && !it->is_symlink(ec2)) continue;
        if (fs::remove(it->path(), ec2)) ++removed;
    }
    return removed;
}

bool otherProgramRunning(long long processId) {
    if (processId <= 0 || processId > 0x7fffffff || processId == (long long)::getpid()) return false;
    return ::kill(pid_t(processId), 0) == 0 || errno == EPERM;
}

Status checkFolderInside(const fs::path& folder, const fs::path& root, const std::string& label) {
    std::error_code ec;
    const fs::path base = fs::canonical(root.empty() ? fs::path(".") : root, ec);
    if (ec) return Status::failure("The program's folder " + quoted(root) + " cannot be found.");
    // The parts of the path that exist have their links resolved; the rest is taken as
    // written (the callers only append checked names).
    const fs::path real = fs::weakly_canonical(folder, ec);
    if (ec) return Status::failure("The folder '" + label + "' cannot be used (" + ec.message() + ").");
    const fs::path inside = real.lexically_relative(base);
    if (inside.empty() || *inside.begin() == "..")
        return Status::failure("The folder '" + label + "' leads outside the program's folder (to " + quoted(real) +
                               "), so it is neither read nor written. Replace the link with a real folder.");
    return Status::success();
}

bool isDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool isRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool pathExists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

long long fileSize(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return -1;
    auto size = fs::file_size(path, ec);
    return ec ? -1 : static_cast<long long>(size);
}

bool ensureDirectory(const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return true;
    fs::create_directories(path, ec);
    return fs::is_directory(path, ec);
}

bool removeAll(const fs::path& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    return !fs::exists(fs::symlink_status(path, ec));
}

std::vector<std::string> listFiles(const fs::path& folder, std::string_view suffix) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        if (!it->is_regular_file(ec2)) continue;
        std::string name = it->path().filename().string();
        if (endsWithIgnoringCase(name, suffix)) names.push_back(name);
    }
    return names;
}

} // namespace pondaro
