// The server directory as the operating system shows it. Files are opened without blocking and
// must be regular files, so a pipe or device left under a data file's name cannot stall the tick.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "model/FileSystem.h"

namespace dazi {

namespace {

constexpr size_t kChunkSize = size_t{1} << 20;

// Closes the descriptor when the operation ends, whichever way it ends.
class OpenFile {
 public:
  OpenFile(const std::string& path, int flags)
      : fd_(::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666)) {}
  ~OpenFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  // The size of the open file when it is a regular one.
  std::optional<uint64_t> RegularSize() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<uint64_t>(info.st_size);
  }
  // Reads up to `count` bytes; 0 at the end of the file, -1 on an error.
  ssize_t Read(uint8_t* buffer, size_t count) const {
    ssize_t n;
    do {
      n = ::read(fd_, buffer, count);
    } while (n < 0 && errno == EINTR);
    return n;
  }
  bool WriteAt(const uint8_t* data, size_t count, off_t offset) const {
    while (count > 0) {
      const ssize_t n = ::pwrite(fd_, data, count, offset);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data += n;
      count -= static_cast<size_t>(n);
      offset += n;
    }
    return true;
  }
  // Closing reports the errors a network file system keeps until then.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystemPort {
 public:
  bool ListDirectory(const std::string& directory,
                     const std::function<void(std::string_view)>& entry) override {
    std::error_code error;
    std::filesystem::directory_iterator it(directory, error);
    if (error) return false;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
      entry(it->path().filename().native());
    }
    return !error;
  }

  std::optional<std::string> Stamp(const std::string& path) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    // A server that writes a new file and renames it over the old one changes the inode.
    char text[96];
    std::snprintf(text, sizeof text, "%lld.%09ld %lld %llu",
                  static_cast<long long>(info.st_mtim.tv_sec),
                  static_cast<long>(info.st_mtim.tv_nsec), static_cast<long long>(info.st_size),
                  static_cast<unsigned long long>(info.st_ino));
    return text;
  }

  std::optional<FileBytes> ReadHead(const std::string& path, size_t limit) override {
    OpenFile file(path, O_RDONLY);
    const std::optional<uint64_t> size = file.RegularSize();
    if (!size) return std::nullopt;
    FileBytes bytes(static_cast<size_t>(std::min<uint64_t>(*size, limit)));
    size_t have = 0;
    while (have < bytes.size()) {
      const ssize_t n = file.Read(bytes.data() + have, bytes.size() - have);
      if (n < 0) return std::nullopt;
      if (n == 0) break;  // shortened since it was opened
      have += static_cast<size_t>(n);
    }
    bytes.resize(have);
    return bytes;
  }

  bool ReadStream(const std::string& path, StreamReader& reader) override {
    OpenFile file(path, O_RDONLY);
    const std::optional<uint64_t> size = file.RegularSize();
    if (!size) return false;
    if (!reader.Begin(*size)) return true;
    FileBytes chunk(static_cast<size_t>(std::min<uint64_t>(*size, kChunkSize)) + 1);
    for (;;) {
      const ssize_t n = file.Read(chunk.data(), chunk.size());
      if (n < 0) return false;
      if (n == 0 || !reader.Take(chunk.data(), static_cast<size_t>(n))) return true;
    }
  }

  bool WriteAtStart(const std::string& path, const FileBytes& bytes) override {
    // Never through a link: a command file that is one would have the Take overwrite, or create,
    // whatever file it points to.
    OpenFile file(path, O_WRONLY | O_CREAT | O_NOFOLLOW);
    if (!file.RegularSize()) return false;
    const bool written = file.WriteAt(bytes.data(), bytes.size(), 0);
    return file.Close() && written;
  }
};

}  // namespace

FileSystemPort& RealFileSystem() {
  static PosixFileSystem files;
  return files;
}

}  // namespace dazi
