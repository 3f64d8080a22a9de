#include "base/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace pondaro {

namespace {

std::string describe(const fs::path& path, const std::string& what) {
    return what + " '" + path.string() + "'";
}

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

} // namespace

Status readFile(const fs::path& path, std::string& contents) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) return Status::failure(describe(path, "Not a file:"));
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return Status::failure(describe(path, std::string("Cannot open (") + std::strerror(errno) + "):"));
    contents.clear();
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) contents.append(buffer, n);
    bool bad = std::ferror(f);
    std::fclose(f);
    if (bad) return Status::failure(describe(path, "Cannot read"));
    return Status::success();
}

fs::path temporaryFileFor(const fs::path& path) {
    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    return folder / ("." + path.filename().string() + ".tmp" + std::to_string(::getpid()));
}

Status writeFileAtomic(const fs::path& path, std::string_view contents, WriteMode mode) {
    const fs::path temp = temporaryFileFor(path);
    // A link of that name is not followed: the bytes go nowhere but beside the target.
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0644);
    if (fd < 0) return Status::failure(describe(path, std::string("Cannot write (") + std::strerror(errno) + "):"));
    const char* p = contents.data();
    size_t left = contents.size();
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return Status::failure(describe(path, std::string("Cannot write (") + std::strerror(err) + "):"));
        }
        p += w;
        left -= size_t(w);
    }
    if (mode == WriteMode::Durable && ::fsync(fd) != 0 && errno != EINVAL) {
        int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return Status::failure(describe(path, std::string("Cannot write (") + std::strerror(err) + "):"));
    }
    if (::close(fd) != 0) {
        ::unlink(temp.c_str());
        return Status::failure(describe(path, "Cannot write"));
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        return Status::failure(describe(path, std::string("Cannot replace (") + std::strerror(err) + "):"));
    }
    return Status::success();
}

bool copyFileOver(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) return false;
    if (fs::equivalent(from, to, ec)) return true;
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) && !ec;
}

bool isDirectory(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool isRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
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
