// A share whose server hangs: while stopped, every call (or every call on the paths chosen)
// waits inside the file system until the test lets it go on.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

#include "model/FileSystem.h"

namespace dazi::testing {

class BlockingFileSystem final : public FileSystemPort {
 public:
  explicit BlockingFileSystem(FileSystemPort& files) : files_(files) {}

  // From now on, calls on the paths `which` accepts (all paths without it) wait.
  void Stop(std::function<bool(const std::string& path)> which = {}) {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    which_ = std::move(which);
  }
  void Go() {
    std::lock_guard lock(mutex_);
    stopped_ = false;
    went_.notify_all();
  }
  // Calls waiting now.
  int Waiting() {
    std::lock_guard lock(mutex_);
    return waiting_;
  }

  bool ListDirectory(const std::string& directory,
                     const std::function<void(std::string_view)>& entry) override {
    Gate(directory);
    return files_.ListDirectory(directory, entry);
  }
  std::optional<std::string> Stamp(const std::string& path) override {
    Gate(path);
    return files_.Stamp(path);
  }
  std::optional<FileBytes> ReadHead(const std::string& path, size_t limit) override {
    Gate(path);
    return files_.ReadHead(path, limit);
  }
  bool ReadStream(const std::string& path, StreamReader& reader) override {
    Gate(path);
    return files_.ReadStream(path, reader);
  }
  bool WriteAtStart(const std::string& path, const FileBytes& bytes) override {
    Gate(path);
    return files_.WriteAtStart(path, bytes);
  }

 private:
  void Gate(const std::string& path) {
    std::unique_lock lock(mutex_);
    if (!stopped_ || (which_ && !which_(path))) return;
    ++waiting_;
    went_.wait(lock, [this] { return !stopped_; });
    --waiting_;
  }

  FileSystemPort& files_;
  std::mutex mutex_;
  std::condition_variable went_;
  bool stopped_ = false;
  std::function<bool(const std::string&)> which_;
  int waiting_ = 0;
};

}  // namespace dazi::testing
