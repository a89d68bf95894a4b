// The server directory's files, reached by their names whatever case the directory spells them
// in. A name is looked up by listing the directory only when it is not known yet or when the
// file known under it has gone; a tick where nothing moved lists nothing.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "link_file/FileSystem.h"

namespace dazi {

struct Panel;
struct ServerFileNames;

inline constexpr const char* kStatusFile = "Status.ndf";
inline constexpr const char* kCountedAlphaFile = "lalpha.ndf";
inline constexpr const char* kFixedAlphaFile = "Alpha.ndf";
inline constexpr const char* kCountedCrosspointFile = "lxptmap.ndf";
inline constexpr const char* kFixedCrosspointFile = "Xptmap.ndf";
inline constexpr const char* kCountedInhibitFile = "linhbt.ndf";
inline constexpr const char* kFixedInhibitFile = "Inhbt.ndf";
inline constexpr const char* kShortCommandFile = "xpt00001.wcf";
inline constexpr const char* kLongCommandFile = "xpt00002.wcf";

// One per tick, full load or Take: the directory is listed at most once in its course.
class ServerFiles {
 public:
  explicit ServerFiles(Panel& panel);

  // Forgets every name found so far: the next look-up lists the directory.
  static void Forget(Panel& panel);

  // Runs `use(name)` on the first of the two names the directory holds. When that fails, the
  // file may have gone or the other may have come: looks again, once. Returns the name used
  // (null when neither could be used) and what `use` returned.
  template <typename Use>
  auto Either(const char* preferred, const char* fallback, Use use)
      -> std::pair<const char*, decltype(use(preferred))>;

  std::optional<std::string> Stamp(const char* name);
  std::optional<FileBytes> ReadHead(const char* name, size_t limit);
  bool ReadStream(const char* name, StreamReader& reader);
  // Writes over the start of the file, creating it under `name` when the directory has none.
  bool WriteAtStart(const char* name, const FileBytes& bytes);

 private:
  // The path of the file as last found; lists the directory when it was never listed for the
  // present server path.
  std::optional<std::string> Known(const char* name);
  void List();
  // Runs `use` on the file's path; when the file cannot be found or used, lists the directory
  // (once per ServerFiles) and tries again.
  template <typename Use>
  auto Retrying(const char* name, Use use) -> decltype(use(std::string()));

  ServerFileNames& names_;
  FileSystemPort& files_;
  const std::string& serverPath_;
  std::string directory_;  // the server path up to its last '/'
  std::string prefix_;     // what follows that '/', put before every name
  bool listed_ = false;
};

template <typename Use>
auto ServerFiles::Either(const char* preferred, const char* fallback, Use use)
    -> std::pair<const char*, decltype(use(preferred))> {
  for (bool lookedAgain = false;; lookedAgain = true) {
    const char* name = Known(preferred) ? preferred : Known(fallback) ? fallback : nullptr;
    if (name) {
      if (auto result = use(name)) return {name, std::move(result)};
    }
    if (lookedAgain) return {nullptr, {}};
    if (!listed_) List();
  }
}

}  // namespace dazi
