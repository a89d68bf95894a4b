// A server directory held in memory, for tests, fuzzing and benchmarks. It counts every call
// and lets its user change the files at any moment, also in the middle of a read.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "model/FileSystem.h"

namespace dazi {

class MemoryFileSystem final : public FileSystemPort {
 public:
  struct Calls {
    int Listings = 0;
    int Stamps = 0;
    int Opens = 0;  // reads of a file's head and streams
    int Writes = 0;
    uint64_t BytesRead = 0;
  };

  // Gives the file new content and a new stamp, creating its directory when needed.
  void Put(const std::string& path, FileBytes bytes);
  void Remove(const std::string& path);
  // Something the directory lists under this name that is not a regular file: a folder, or a
  // link to nowhere.
  void PutOther(const std::string& path);
  void AddDirectory(const std::string& directory);
  // Removes the directory and every file in it.
  void RemoveDirectory(const std::string& directory);
  void SetWritable(const std::string& directory, bool writable);
  // The file's content; null when there is no such file.
  const FileBytes* Content(const std::string& path) const;

  Calls Count;
  size_t ChunkSize = 4096;
  // Files that cannot be opened, as while the server holds them locked; their stamps still show.
  std::set<std::string> Locked;
  // Runs whenever a call reaches a path, before anything is looked at, and between the chunks
  // of a stream.
  std::function<void(const std::string& path)> Meddle;

  bool ListDirectory(const std::string& directory,
                     const std::function<void(std::string_view)>& entry) override;
  std::optional<std::string> Stamp(const std::string& path) override;
  std::optional<FileBytes> ReadHead(const std::string& path, size_t limit) override;
  bool ReadStream(const std::string& path, StreamReader& reader) override;
  bool WriteAtStart(const std::string& path, const FileBytes& bytes) override;

 private:
  struct File {
    std::shared_ptr<const FileBytes> Bytes;
    uint64_t Version = 0;
  };
  void Touch(const std::string& path);
  const File* Find(const std::string& path) const;

  std::map<std::string, File> files_;
  std::set<std::string> others_;
  std::map<std::string, bool> directories_;  // writable or not
  uint64_t nextVersion_ = 1;
};

}  // namespace dazi
