#include "link_file/ServerFiles.h"

#include <algorithm>
#include <string_view>

#include "core/Panel.h"

namespace dazi {

namespace {

constexpr const char* kKnownNames[] = {
    kStatusFile,          kCountedAlphaFile,   kFixedAlphaFile,   kCountedCrosspointFile,
    kFixedCrosspointFile, kCountedInhibitFile, kFixedInhibitFile, kShortCommandFile,
    kLongCommandFile};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// Where a name stands against the ones already found for it: the exact spelling first, then
// the smallest, so that the same directory always gives the same file.
bool Better(std::string_view candidate, const std::string& kept, const std::string& spelled) {
  if (kept == spelled) return false;
  return candidate == spelled || candidate < kept;
}

}  // namespace

ServerFiles::ServerFiles(Panel& panel)
    : names_(panel.State.ServerFiles),
      files_(*panel.Files),
      serverPath_(panel.Settings.ServerPath) {
  // The path and a name are joined as they stand; a path without '/' names nowhere.
  const size_t slash = serverPath_.rfind('/');
  if (slash != std::string::npos) {
    directory_ = serverPath_.substr(0, slash + 1);
    prefix_ = serverPath_.substr(slash + 1);
  }
}

void ServerFiles::Forget(Panel& panel) {
  panel.State.ServerFiles = ServerFileNames{};
}

void ServerFiles::List() {
  listed_ = true;
  names_.ListedFor = serverPath_;
  names_.RealName.clear();
  if (directory_.empty()) return;
  std::map<std::string, std::string> wanted;  // lower-case -> as spelled here
  for (const char* name : kKnownNames) wanted.emplace(Lower(prefix_ + name), prefix_ + name);
  files_.ListDirectory(directory_, [&](std::string_view entry) {
    const auto spelled = wanted.find(Lower(entry));
    if (spelled == wanted.end()) return;
    const auto kept = names_.RealName.find(spelled->first);
    if (kept == names_.RealName.end())
      names_.RealName.emplace(spelled->first, entry);
    else if (Better(entry, kept->second, spelled->second))
      kept->second = entry;
  });
}

std::optional<std::string> ServerFiles::Known(const char* name) {
  if (names_.ListedFor.empty() || names_.ListedFor != serverPath_) List();
  const auto found = names_.RealName.find(Lower(prefix_ + name));
  if (found == names_.RealName.end()) return std::nullopt;
  return directory_ + found->second;
}

template <typename Use>
auto ServerFiles::Retrying(const char* name, Use use) -> decltype(use(std::string())) {
  for (;;) {
    if (const std::optional<std::string> path = Known(name)) {
      if (auto result = use(*path)) return result;
    }
    if (listed_) return {};
    List();
  }
}

std::optional<std::string> ServerFiles::Stamp(const char* name) {
  return Retrying(name, [this](const std::string& path) { return files_.Stamp(path); });
}

std::optional<FileBytes> ServerFiles::ReadHead(const char* name, size_t limit) {
  return Retrying(name,
                  [this, limit](const std::string& path) { return files_.ReadHead(path, limit); });
}

bool ServerFiles::ReadStream(const char* name, StreamReader& reader) {
  return Retrying(
      name, [this, &reader](const std::string& path) { return files_.ReadStream(path, reader); });
}

bool ServerFiles::WriteAtStart(const char* name, const FileBytes& bytes) {
  if (directory_.empty()) return false;
  const std::optional<std::string> known = Known(name);
  return files_.WriteAtStart(known ? *known : directory_ + prefix_ + name, bytes);
}

}  // namespace dazi
