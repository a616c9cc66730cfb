// File services: existence, deletion, folders, wildcard listings, modification times and whole-
// file reads and writes, and the folder beside the program. Called by the world's loaders and
// savers, the start-up sequence and the self-updater.
//
// Paths are game text (Windows-1252), joined with "/"; they are converted to UTF-8 at the
// system call, and names read from the disk come back as Windows-1252.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravok {

// The folder that holds the executable, with a trailing "/".
std::string program_folder();
// Tests point "beside the program" at a temporary folder; an empty text restores the real one.
void set_program_folder(std::string folder);

bool file_exists(std::string_view path);   // a regular file (or a link to one)
bool folder_exists(std::string_view path); // a directory
bool entry_exists(std::string_view path);  // anything at all, a link not followed
// Removes a file; a read-only file is made writable first. True when it is gone afterwards.
bool delete_file(std::string_view path);
// Removes an empty folder.
bool delete_folder(std::string_view path);
// Renames a file in place of another (atomically replacing it); the modification time goes
// with the file. True on success.
bool rename_file(std::string_view from, std::string_view to);
// Creates one folder (its parent must exist); true when it exists afterwards.
bool create_folder(std::string_view path);
// Creates a folder and any missing parents.
bool create_folders(std::string_view path);

enum class ListKind { files, folders, both };

// Names (without the folder) of the entries of `folder` whose name matches `wildcard`
// ("*" any run, "?" one character, case-sensitive), "." and ".." never; sorted.
std::vector<std::string> list_folder(std::string_view folder, std::string_view wildcard = "*",
                                     ListKind kind = ListKind::files);
// The same with the wildcard as the last part of one path: "Save/*.dsg".
std::vector<std::string> find_files(std::string_view path_pattern, ListKind kind = ListKind::files);

std::optional<int64_t> file_size(std::string_view path);
// Modification time in nanoseconds since 1970-01-01 UTC; nullopt when the file is missing.
std::optional<int64_t> file_modification_ns(std::string_view path);
// Modification time as a local day-count value (see clock.h); 0 when the file is missing.
double file_time_as_datetime(std::string_view path);

// Whole-file reads take regular files only: a FIFO, device or folder in a file's place is refused
// at once, never waited on. Nullopt as well when the file is longer than `max_bytes`.
std::optional<std::vector<uint8_t>> read_file(std::string_view path, std::size_t max_bytes = SIZE_MAX);
std::optional<std::string> read_text_file(std::string_view path);

// A regular file held open for reads at any offset: a large file read a piece at a time as the
// pieces are needed. The same checks as read_file; a read past the end fails.
class FileReader {
  public:
    FileReader() = default;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader();
    // False when the file is missing, not a regular file or longer than `max_bytes`.
    bool open(std::string_view path, std::size_t max_bytes = SIZE_MAX);
    uint64_t size() const { return size_; }
    // Fills `out` from `offset`; false when the file is not open or ends first.
    bool read_at(uint64_t offset, std::span<uint8_t> out) const;

  private:
    int fd_ = -1;
    uint64_t size_ = 0;
};
// Writes the whole file through a temporary name ("<path>.part") and a rename, so a failed write
// never leaves half a file behind. Something other than a regular file at the temporary name (a
// link, a FIFO) fails the write at once. True on success.
bool write_file(std::string_view path, std::span<const uint8_t> bytes);
bool write_file(std::string_view path, std::string_view bytes);
// The same with the bytes of `tail_source` from `tail_offset` on appended, copied a piece at a
// time (the source may be the file being replaced). False as well when the source cannot be read.
bool write_file_with_tail(std::string_view path, std::string_view head, std::string_view tail_source,
                          uint64_t tail_offset);

// Tests: how many bytes each following write may put on disk before it fails as a full disk
// does (ENOSPC); nullopt lifts the limit.
void set_write_limit_for_tests(std::optional<std::size_t> bytes);
// Tests: called before every rename of a file (rename_file and the last step of write_file), so a
// test can stop the program between two of them; an empty function removes it.
void set_rename_hook_for_tests(std::function<void()> hook);

// The path converted for the system (UTF-8), for code that calls a library with a path.
std::string system_path(std::string_view path);

} // namespace dravok
