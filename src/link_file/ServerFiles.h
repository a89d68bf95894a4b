// The server directory's files, reached by their names whatever case the directory spells them
// in. A name is looked up by listing the directory only when it is not known yet or when the
// file known under it has gone; a tick where nothing moved lists nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "model/FileSystem.h"

namespace dazi {

inline constexpr const char* kStatusFile = "Status.ndf";
inline constexpr const char* kCountedAlphaFile = "lalpha.ndf";
inline constexpr const char* kFixedAlphaFile = "Alpha.ndf";
inline constexpr const char* kCountedCrosspointFile = "lxptmap.ndf";
inline constexpr const char* kFixedCrosspointFile = "Xptmap.ndf";
inline constexpr const char* kCountedInhibitFile = "linhbt.ndf";
inline constexpr const char* kFixedInhibitFile = "Inhbt.ndf";
inline constexpr const char* kShortCommandFile = "xpt00001.wcf";
inline constexpr const char* kLongCommandFile = "xpt00002.wcf";

// The server directory as File Mode's worker sees it: where it is, how it is reached, and the
// names found in it so far. Made afresh for every full load; only work on the worker touches it.
struct ServerDirectory {
  ServerDirectory(FileSystemPort& files, std::string path) : Files(files), Path(std::move(path)) {}

  FileSystemPort& Files;
  const std::string Path;  // ends in '/'
  // Counts every answer the directory gives (each call, each piece of a stream): the panel's
  // thread reads it to tell a share that is slow from one that has stopped answering.
  std::atomic<uint64_t> Progress = 0;
  bool Listed = false;
  std::map<std::string, std::string> RealName;  // lower-case name -> name in the directory
  std::set<std::string> FallbacksInUse;         // preferred names whose fallback was used
  size_t NextPreferredLook = 0;
};

// One per tick, full load or Take: the directory is listed at most once in its course.
class ServerFiles {
 public:
  explicit ServerFiles(ServerDirectory& directory);

  // Runs `use(name)` on the first of the two names that is a regular file of the directory.
  // When that fails, the file may have gone or the other may have come: looks again, once.
  // Returns the name used (null when neither could be used) and what `use` returned.
  template <typename Use>
  auto Either(const char* preferred, const char* fallback, Use use)
      -> std::pair<const char*, decltype(use(preferred))>;

  // While a fallback stands in for a preferred file, the preferred one may appear at any time
  // (the server restarted with the other layout): looks for one of them, one stamp a call, and
  // lists the directory again once it is there.
  void LookForPreferred();

  std::optional<std::string> Stamp(const char* name);
  std::optional<FileBytes> ReadHead(const char* name, size_t limit);
  bool ReadStream(const char* name, StreamReader& reader);
  // Writes over the start of the file, creating it under `name` when the directory has none.
  bool WriteAtStart(const char* name, const FileBytes& bytes);

 private:
  // The path of the file as last found; lists the directory when it was never listed.
  std::optional<std::string> Known(const char* name);
  void List();
  // Runs `use` on the file's path; when the file cannot be found or used, lists the directory
  // (once per ServerFiles) and tries again.
  template <typename Use>
  auto Retrying(const char* name, Use use) -> decltype(use(std::string()));
  // A name the directory lists counts only as a regular file: a folder or a dangling link under
  // a preferred name must not hide a good fallback.
  bool IsRegularFile(const char* name);
  void NoteFallback(const char* preferred, bool inUse);

  ServerDirectory& dir_;
  std::string directory_;  // the server path up to its last '/'
  std::string prefix_;     // what follows that '/', put before every name
  bool listed_ = false;
};

template <typename Use>
auto ServerFiles::Either(const char* preferred, const char* fallback, Use use)
    -> std::pair<const char*, decltype(use(preferred))> {
  for (bool lookedAgain = false;; lookedAgain = true) {
    if (Known(preferred)) {
      if (auto result = use(preferred)) {
        NoteFallback(preferred, false);
        return {preferred, std::move(result)};
      }
    }
    // A preferred file that is there but cannot be used now fails the step: reading the other
    // one instead would show what the server no longer keeps.
    if (!Known(preferred) || !IsRegularFile(preferred)) {
      if (Known(fallback)) {
        if (auto result = use(fallback)) {
          NoteFallback(preferred, true);
          return {fallback, std::move(result)};
        }
      }
    }
    if (lookedAgain) return {nullptr, {}};
    if (!listed_) List();
  }
}

}  // namespace dazi
