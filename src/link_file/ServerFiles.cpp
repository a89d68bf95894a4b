#include "link_file/ServerFiles.h"

#include <algorithm>
#include <string_view>


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

// Passes a stream on, counting its pieces as answers of the directory.
class CountingReader final : public StreamReader {
 public:
  CountingReader(StreamReader& reader, std::atomic<uint64_t>& progress)
      : reader_(reader), progress_(progress) {}
  bool Begin(uint64_t size) override {
    ++progress_;
    return reader_.Begin(size);
  }
  bool Take(const uint8_t* data, size_t count) override {
    ++progress_;
    return reader_.Take(data, count);
  }

 private:
  StreamReader& reader_;
  std::atomic<uint64_t>& progress_;
};

}  // namespace

ServerFiles::ServerFiles(ServerDirectory& directory) : dir_(directory) {
  // The path and a name are joined as they stand; a path without '/' names nowhere.
  const size_t slash = dir_.Path.rfind('/');
  if (slash != std::string::npos) {
    directory_ = dir_.Path.substr(0, slash + 1);
    prefix_ = dir_.Path.substr(slash + 1);
  }
}

void ServerFiles::List() {
  listed_ = true;
  dir_.Listed = true;
  dir_.RealName.clear();
  if (directory_.empty()) return;
  std::map<std::string, std::string> wanted;  // lower-case -> as spelled here
  for (const char* name : kKnownNames) wanted.emplace(Lower(prefix_ + name), prefix_ + name);
  dir_.Files.ListDirectory(directory_, [&](std::string_view entry) {
    const auto spelled = wanted.find(Lower(entry));
    if (spelled == wanted.end()) return;
    const auto kept = dir_.RealName.find(spelled->first);
    if (kept == dir_.RealName.end())
      dir_.RealName.emplace(spelled->first, entry);
    else if (Better(entry, kept->second, spelled->second))
      kept->second = entry;
  });
  ++dir_.Progress;
}

std::optional<std::string> ServerFiles::Known(const char* name) {
  if (!dir_.Listed) List();
  const auto found = dir_.RealName.find(Lower(prefix_ + name));
  if (found == dir_.RealName.end()) return std::nullopt;
  return directory_ + found->second;
}

bool ServerFiles::IsRegularFile(const char* name) {
  const std::optional<std::string> path = Known(name);
  const bool regular = path && dir_.Files.Stamp(*path).has_value();
  ++dir_.Progress;
  return regular;
}

void ServerFiles::NoteFallback(const char* preferred, bool inUse) {
  if (inUse)
    dir_.FallbacksInUse.insert(preferred);
  else
    dir_.FallbacksInUse.erase(preferred);
}

void ServerFiles::LookForPreferred() {
  if (dir_.FallbacksInUse.empty() || directory_.empty()) return;
  auto it = dir_.FallbacksInUse.begin();
  std::advance(it, static_cast<std::ptrdiff_t>(dir_.NextPreferredLook++ %
                                               dir_.FallbacksInUse.size()));
  // Spelled as the server spells it; a listing then finds it in whatever case it has.
  if (dir_.Files.Stamp(directory_ + prefix_ + *it)) dir_.Listed = false;
  ++dir_.Progress;
}

template <typename Use>
auto ServerFiles::Retrying(const char* name, Use use) -> decltype(use(std::string())) {
  for (;;) {
    if (const std::optional<std::string> path = Known(name)) {
      auto result = use(*path);
      ++dir_.Progress;
      if (result) return result;
    }
    if (listed_) return {};
    List();
  }
}

std::optional<std::string> ServerFiles::Stamp(const char* name) {
  return Retrying(name, [this](const std::string& path) { return dir_.Files.Stamp(path); });
}

std::optional<FileBytes> ServerFiles::ReadHead(const char* name, size_t limit) {
  return Retrying(
      name, [this, limit](const std::string& path) { return dir_.Files.ReadHead(path, limit); });
}

bool ServerFiles::ReadStream(const char* name, StreamReader& reader) {
  CountingReader counted(reader, dir_.Progress);
  return Retrying(name, [this, &counted](const std::string& path) {
    return dir_.Files.ReadStream(path, counted);
  });
}

bool ServerFiles::WriteAtStart(const char* name, const FileBytes& bytes) {
  if (directory_.empty()) return false;
  const std::optional<std::string> known = Known(name);
  const bool written = dir_.Files.WriteAtStart(known ? *known : directory_ + prefix_ + name, bytes);
  ++dir_.Progress;
  return written;
}

}  // namespace dazi
