#include "link_file/MemoryFileSystem.h"

#include <algorithm>

namespace dazi {

namespace {

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

void MemoryFileSystem::Put(const std::string& path, FileBytes bytes) {
  directories_.emplace(DirectoryOf(path), true);
  others_.erase(path);
  files_[path] = {std::make_shared<const FileBytes>(std::move(bytes)), nextVersion_++};
}

void MemoryFileSystem::Remove(const std::string& path) {
  files_.erase(path);
  others_.erase(path);
}

void MemoryFileSystem::PutOther(const std::string& path) {
  files_.erase(path);
  directories_.emplace(DirectoryOf(path), true);
  others_.insert(path);
}

void MemoryFileSystem::AddDirectory(const std::string& directory) {
  directories_.emplace(directory, true);
}

void MemoryFileSystem::RemoveDirectory(const std::string& directory) {
  directories_.erase(directory);
  std::erase_if(files_, [&](const auto& file) { return DirectoryOf(file.first) == directory; });
}

void MemoryFileSystem::SetWritable(const std::string& directory, bool writable) {
  if (auto it = directories_.find(directory); it != directories_.end()) it->second = writable;
}

const FileBytes* MemoryFileSystem::Content(const std::string& path) const {
  const File* file = Find(path);
  return file ? file->Bytes.get() : nullptr;
}

void MemoryFileSystem::Touch(const std::string& path) {
  if (Meddle) Meddle(path);
}

const MemoryFileSystem::File* MemoryFileSystem::Find(const std::string& path) const {
  const auto it = files_.find(path);
  return it == files_.end() ? nullptr : &it->second;
}

bool MemoryFileSystem::ListDirectory(const std::string& directory,
                                     const std::function<void(std::string_view)>& entry) {
  ++Count.Listings;
  Touch(directory);
  if (!directories_.contains(directory)) return false;
  for (const auto& [path, file] : files_) {
    if (DirectoryOf(path) == directory) entry(std::string_view(path).substr(directory.size()));
  }
  for (const std::string& path : others_) {
    if (DirectoryOf(path) == directory) entry(std::string_view(path).substr(directory.size()));
  }
  return true;
}

std::optional<std::string> MemoryFileSystem::Stamp(const std::string& path) {
  ++Count.Stamps;
  Touch(path);
  const File* file = Find(path);
  if (!file) return std::nullopt;
  return "v" + std::to_string(file->Version) + " " + std::to_string(file->Bytes->size());
}

std::optional<FileBytes> MemoryFileSystem::ReadHead(const std::string& path, size_t limit) {
  ++Count.Opens;
  Touch(path);
  const File* file = Find(path);
  if (!file || Locked.contains(path)) return std::nullopt;
  const size_t n = std::min(limit, file->Bytes->size());
  Count.BytesRead += n;
  return FileBytes(file->Bytes->begin(), file->Bytes->begin() + static_cast<std::ptrdiff_t>(n));
}

bool MemoryFileSystem::ReadStream(const std::string& path, StreamReader& reader) {
  ++Count.Opens;
  Touch(path);
  const File* file = Find(path);
  if (!file || Locked.contains(path)) return false;
  // An open file outlives its removal; a rewrite in place shows from the next chunk on.
  std::shared_ptr<const FileBytes> bytes = file->Bytes;
  uint64_t version = file->Version;
  if (!reader.Begin(bytes->size())) return true;
  for (size_t offset = 0; offset < bytes->size();) {
    const size_t n = std::min(std::max<size_t>(ChunkSize, 1), bytes->size() - offset);
    Count.BytesRead += n;
    if (!reader.Take(bytes->data() + offset, n)) return true;
    offset += n;
    Touch(path);
    if (const File* now = Find(path); now && now->Version != version) {
      bytes = now->Bytes;
      version = now->Version;
    }
  }
  return true;
}

bool MemoryFileSystem::WriteAtStart(const std::string& path, const FileBytes& bytes) {
  ++Count.Writes;
  Touch(path);
  const auto directory = directories_.find(DirectoryOf(path));
  if (directory == directories_.end() || !directory->second || Locked.contains(path)) return false;
  const File* file = Find(path);
  FileBytes content = file ? *file->Bytes : FileBytes{};
  if (content.size() < bytes.size()) content.resize(bytes.size());
  std::copy(bytes.begin(), bytes.end(), content.begin());
  Put(path, std::move(content));
  return true;
}

}  // namespace dazi
