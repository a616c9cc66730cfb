#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>

#include "platform/clock.h"
#include "platform/text_encoding.h"

namespace dravok {

namespace {

std::string& folder_override() {
    static std::string f;
    return f;
}

bool is_ascii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::string real_program_folder() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string p(buf, static_cast<std::size_t>(n));
    auto slash = p.rfind('/');
    if (slash == std::string::npos) return "./";
    return utf8_to_cp1252(p.substr(0, slash + 1));
}

std::optional<std::size_t>& write_limit() {
    static std::optional<std::size_t> limit;
    return limit;
}

std::function<void()>& rename_hook() {
    static std::function<void()> hook;
    return hook;
}

bool rename_path(const std::string& from, const std::string& to) {
    if (rename_hook()) rename_hook()();
    return std::rename(from.c_str(), to.c_str()) == 0;
}

// The temporary file of a write, made new: a regular file left by an earlier write is removed
// first, and anything else in its place (a link, a FIFO, a folder) makes the write fail at once
// rather than be written through or waited on. -1 on failure.
int create_part_file(const std::string& tmp) {
    struct stat st;
    if (::lstat(tmp.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode) || ::unlink(tmp.c_str()) != 0) return -1;
    }
    return ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
}

bool write_all(int fd, const uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

bool stat_path(std::string_view path, struct stat& st) {
    return ::stat(system_path(path).c_str(), &st) == 0;
}

} // namespace

std::string system_path(std::string_view path) {
    if (is_ascii(path)) return std::string(path);
    return cp1252_to_utf8(path);
}

std::string program_folder() {
    if (!folder_override().empty()) return folder_override();
    static const std::string real = real_program_folder();
    return real;
}

void set_program_folder(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    folder_override() = std::move(folder);
}

bool file_exists(std::string_view path) {
    struct stat st;
    return stat_path(path, st) && S_ISREG(st.st_mode);
}

bool entry_exists(std::string_view path) {
    struct stat st;
    return ::lstat(system_path(path).c_str(), &st) == 0;
}

bool folder_exists(std::string_view path) {
    struct stat st;
    return stat_path(path, st) && S_ISDIR(st.st_mode);
}

bool delete_file(std::string_view path) {
    std::string p = system_path(path);
    struct stat st;
    if (::lstat(p.c_str(), &st) != 0) return true;
    if (S_ISDIR(st.st_mode)) return false;
    if (::unlink(p.c_str()) == 0) return true;
    // A read-only file loses its read-only mark before it is deleted.
    ::chmod(p.c_str(), st.st_mode | S_IWUSR);
    return ::unlink(p.c_str()) == 0 || errno == ENOENT;
}

bool rename_file(std::string_view from, std::string_view to) {
    return rename_path(system_path(from), system_path(to));
}

bool delete_folder(std::string_view path) {
    return ::rmdir(system_path(path).c_str()) == 0 || !folder_exists(path);
}

bool create_folder(std::string_view path) {
    std::string p = system_path(path);
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    if (::mkdir(p.c_str(), 0755) == 0) return true;
    return folder_exists(path);
}

bool create_folders(std::string_view path) {
    std::string p(path);
    for (std::size_t i = 1; i <= p.size(); ++i) {
        if (i == p.size() || p[i] == '/') {
            std::string part = p.substr(0, i);
            if (!folder_exists(part) && !create_folder(part)) return false;
        }
    }
    return folder_exists(path);
}

std::vector<std::string> list_folder(std::string_view folder, std::string_view wildcard, ListKind kind) {
    std::vector<std::string> names;
    std::string dir = system_path(folder.empty() ? std::string_view(".") : folder);
    DIR* d = ::opendir(dir.c_str());
    if (!d) return names;
    std::string pattern(wildcard);
    while (dirent* e = ::readdir(d)) {
        std::string sys_name = e->d_name;
        if (sys_name == "." || sys_name == "..") continue;
        std::string name = is_ascii(sys_name) ? sys_name : utf8_to_cp1252(sys_name);
        if (::fnmatch(pattern.c_str(), name.c_str(), 0) != 0) continue;
        if (kind != ListKind::both) {
            std::string full = dir + (dir.back() == '/' ? "" : "/") + sys_name;
            struct stat st;
            if (::stat(full.c_str(), &st) != 0) continue;
            bool is_dir = S_ISDIR(st.st_mode);
            if ((kind == ListKind::files) == is_dir) continue;
        }
        names.push_back(std::move(name));
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> find_files(std::string_view path_pattern, ListKind kind) {
    auto slash = path_pattern.rfind('/');
    if (slash == std::string_view::npos) return list_folder(".", path_pattern, kind);
    return list_folder(path_pattern.substr(0, slash + 1), path_pattern.substr(slash + 1), kind);
}

std::optional<int64_t> file_size(std::string_view path) {
    struct stat st;
    if (!stat_path(path, st) || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<int64_t>(st.st_size);
}

std::optional<int64_t> file_modification_ns(std::string_view path) {
    struct stat st;
    if (!stat_path(path, st)) return std::nullopt;
    return static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

double file_time_as_datetime(std::string_view path) {
    auto ns = file_modification_ns(path);
    if (!ns) return 0.0;
    int64_t ms = *ns / 1'000'000;
    DateTime t = current_clock().local_time_of(ms);
    // The sub-millisecond part is kept so that two writes within one millisecond still differ.
    return datetime_value(t) + static_cast<double>(*ns % 1'000'000) / 86'400'000'000'000.0;
}

namespace {

// Opened without blocking, so a FIFO in the file's place cannot stop the game. -1 when the file
// is missing, not a regular file or longer than `max_bytes`; else the descriptor and its size.
int open_regular_file(std::string_view path, std::size_t max_bytes, uint64_t& size) {
    const int fd = ::open(system_path(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || uint64_t(st.st_size) > max_bytes) {
        ::close(fd);
        return -1;
    }
    size = uint64_t(st.st_size);
    return fd;
}

} // namespace

std::optional<std::vector<uint8_t>> read_file(std::string_view path, std::size_t max_bytes) {
    uint64_t size = 0;
    const int fd = open_regular_file(path, max_bytes, size);
    if (fd < 0) return std::nullopt;
    // Read straight into the result: no second copy of a file of tens of megabytes. The first
    // read asks for one byte more than the size, so a file that grew is seen and read on.
    std::vector<uint8_t> data(std::size_t(size) + 1);
    std::size_t filled = 0;
    bool ok = true;
    for (;;) {
        if (filled == data.size()) {
            // A file that grows while it is read is held to the same bound.
            if (data.size() > max_bytes) {
                ok = false;
                break;
            }
            data.resize(std::min(max_bytes, data.size() * 2) + 1);
        }
        const ssize_t n = ::read(fd, data.data() + filled, data.size() - filled);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        filled += std::size_t(n);
    }
    ::close(fd);
    if (!ok || filled > max_bytes) return std::nullopt;
    data.resize(filled);
    return data;
}

FileReader::~FileReader() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileReader::open(std::string_view path, std::size_t max_bytes) {
    if (fd_ >= 0) ::close(fd_);
    size_ = 0;
    fd_ = open_regular_file(path, max_bytes, size_);
    return fd_ >= 0;
}

bool FileReader::read_at(uint64_t offset, std::span<uint8_t> out) const {
    if (fd_ < 0) return false;
    std::size_t filled = 0;
    while (filled < out.size()) {
        const ssize_t n = ::pread(fd_, out.data() + filled, out.size() - filled, off_t(offset + filled));
        if (n == 0) return false;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        filled += std::size_t(n);
    }
    return true;
}

std::optional<std::string> read_text_file(std::string_view path) {
    auto bytes = read_file(path);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

namespace {

// Writes through "<path>.part", filled by `fill`, and renames it over the path only when every
// byte went out: a failed write leaves the file it would have replaced whole.
bool write_through_part(std::string_view path, const std::function<bool(int fd)>& fill) {
    const std::string p = system_path(path);
    const std::string tmp = p + ".part";
    const int fd = create_part_file(tmp);
    if (fd < 0) return false;
    bool ok = fill(fd);
    ok = ::close(fd) == 0 && ok;
    if (ok) {
        struct stat st;
        if (::stat(p.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR)) ::chmod(p.c_str(), st.st_mode | S_IWUSR);
        ok = rename_path(tmp, p);
    }
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

} // namespace

bool write_file(std::string_view path, std::span<const uint8_t> bytes) {
    return write_through_part(path, [&](int fd) {
        const std::optional<std::size_t> limit = write_limit();
        const std::size_t allowed = limit ? std::min(*limit, bytes.size()) : bytes.size();
        const bool ok = write_all(fd, bytes.data(), allowed);
        if (allowed == bytes.size()) return ok;
        errno = ENOSPC;
        return false;
    });
}

bool write_file(std::string_view path, std::string_view bytes) {
    return write_file(path,
                      std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

bool write_file_with_tail(std::string_view path, std::string_view head, std::string_view tail_source,
                          uint64_t tail_offset) {
    FileReader source;
    if (!source.open(tail_source) || tail_offset > source.size()) return false;
    return write_through_part(path, [&](int fd) {
        bool ok = write_all(fd, reinterpret_cast<const uint8_t*>(head.data()), head.size());
        std::vector<uint8_t> piece(std::size_t(1) << 20);
        for (uint64_t at = tail_offset; ok && at < source.size();) {
            const std::size_t n = std::size_t(std::min<uint64_t>(piece.size(), source.size() - at));
            ok = source.read_at(at, std::span<uint8_t>(piece.data(), n)) && write_all(fd, piece.data(), n);
            at += n;
        }
        return ok;
    });
}

void set_write_limit_for_tests(std::optional<std::size_t> bytes) {
    write_limit() = bytes;
}

void set_rename_hook_for_tests(std::function<void()> hook) {
    rename_hook() = std::move(hook);
}

} // namespace dravok
