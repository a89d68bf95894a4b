// How File Mode reaches the server directory: a handful of plain file operations, so that the
// same behaviour runs over the computer's file system or over files held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dazi {

using FileBytes = std::vector<uint8_t>;

// Takes a file's content as it streams in, so that a large file is never held whole.
class StreamReader {
 public:
  virtual ~StreamReader() = default;
  // The file's size as found on opening it. False: stop reading.
  virtual bool Begin(uint64_t size) = 0;
  // The next bytes of the file. False: enough read, stop.
  virtual bool Take(const uint8_t* data, size_t count) = 0;
};

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;
  // Calls `entry` with the name of every entry of the directory ("/srv/zor/"). False when the
  // directory cannot be listed.
  virtual bool ListDirectory(const std::string& directory,
                             const std::function<void(std::string_view name)>& entry) = 0;
  // A text that changes whenever the regular file is rewritten, even within the same second.
  // Empty when there is no such file.
  virtual std::optional<std::string> Stamp(const std::string& path) = 0;
  // Opens the regular file, reads up to `limit` bytes from its start and closes it. Empty when
  // it cannot be opened or read.
  virtual std::optional<FileBytes> ReadHead(const std::string& path, size_t limit) = 0;
  // Opens the regular file, streams it from its start to `reader` and closes it. False when it
  // cannot be opened or a read fails; stopping early is not a failure.
  virtual bool ReadStream(const std::string& path, StreamReader& reader) = 0;
  // Writes `bytes` over the start of the file, creating it when absent and never shortening it.
  virtual bool WriteAtStart(const std::string& path, const FileBytes& bytes) = 0;
};

// The computer's own file system, one for the whole program.
FileSystemPort& RealFileSystem();

}  // namespace dazi
