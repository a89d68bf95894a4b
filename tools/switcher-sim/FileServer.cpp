#include "FileServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "DataFiles.h"
#include "Log.h"

namespace sim {
namespace {

enum Part { kStatus, kAlphas, kMap, kInhibits };

struct DataFile {
  const char* name;
  Part part;
  bool fixed;  // one of the fixed 256 x 256 files
};

constexpr std::array<DataFile, 7> kDataFiles = {{
    {"Status.ndf", kStatus, false},
    {"lalpha.ndf", kAlphas, false},
    {"lxptmap.ndf", kMap, false},
    {"linhbt.ndf", kInhibits, false},
    {"Alpha.ndf", kAlphas, true},
    {"Xptmap.ndf", kMap, true},
    {"Inhbt.ndf", kInhibits, true},
}};

constexpr int kShortCommandBytes = 2;  // xpt00001.wcf: source byte, destination byte
constexpr int kLongCommandBytes = 4;   // xpt00002.wcf: source LE16, destination LE16

bool ServedIn(const DataFile& file, FileSet set) {
  return file.part == kStatus || set == FileSet::kBoth || file.fixed == (set == FileSet::kFixed);
}

std::optional<size_t> FindDataFile(const std::string& name) {
  const QString wanted = QString::fromStdString(name);
  for (size_t i = 0; i < kDataFiles.size(); ++i) {
    if (wanted.compare(kDataFiles[i].name, Qt::CaseInsensitive) == 0) return i;
  }
  return std::nullopt;
}

std::string ServedNames(FileSet set) {
  std::string names;
  for (const auto& file : kDataFiles) {
    if (ServedIn(file, set)) names += std::string(names.empty() ? "" : ", ") + file.name;
  }
  return names;
}

int Int16At(const QByteArray& bytes, int at) {
  return static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1])
                                                                    << 8);
}

}  // namespace

std::string DataFileNameError(const std::string& name, FileSet set) {
  const auto index = FindDataFile(name);
  if (index && ServedIn(kDataFiles[*index], set)) return {};
  return "'" + name + "' is not a data file served here (" + ServedNames(set) + ")";
}

FileServer::FileServer(const Router& router, FileOptions options, TakeRoute take)
    : router_(router),
      options_(std::move(options)),
      take_(std::move(take)),
      dir_(QDir(QString::fromStdString(options_.dir)).absolutePath()),
      status_(static_cast<uint8_t>(options_.status)) {
  for (const auto& name : options_.removed) {
    if (const auto index = FindDataFile(name)) files_[*index].removed = true;
  }
  for (const auto& [name, bytes] : options_.cut) {
    if (const auto index = FindDataFile(name)) {
      files_[*index].cutTo = bytes ? *bytes : std::max<size_t>(Content(*index).size(), 1) - 1;
    }
  }
  QObject::connect(&pollTimer_, &QTimer::timeout, [this] { Poll(); });
  QObject::connect(&switchTimer_, &QTimer::timeout, [this] { SwitchLayouts(); });
}

bool FileServer::Served(size_t index) const {
  return ServedIn(kDataFiles.at(index), options_.set);
}

void FileServer::Start() {
  if (!QDir().mkpath(dir_)) Trouble("cannot make the directory " + dir_.toStdString());
  // Go on from the serial a panel may have read from an earlier run in this directory.
  for (size_t i = 0; i < kDataFiles.size(); ++i) {
    QFile file(QDir(dir_).filePath(kDataFiles[i].name));
    char first = 0;
    if (kDataFiles[i].part == kMap && Served(i) && QFileInfo(file).isFile() &&
        file.open(QIODevice::ReadOnly) && file.read(&first, 1) == 1) {
      serial_ = static_cast<uint8_t>(first);
      break;
    }
  }
  serial_ = NextSerial(serial_);
  if (options_.switchLayoutsMs > 0) options_.set = FileSet::kFixed;
  MarkAllDue();
  LogLine("files: serving " + dir_.toStdString() + " (" + ServedNames(options_.set) +
          "; command files polled every " + std::to_string(options_.pollMs) + " ms" +
          (options_.frozen ? "; frozen" : "") + ")");
  Flush();
  pollTimer_.start(options_.pollMs);
  if (options_.switchLayoutsMs > 0) switchTimer_.start(options_.switchLayoutsMs);
}

void FileServer::SwitchLayouts() {
  const bool toCounted = options_.set == FileSet::kFixed;
  options_.set = toCounted ? FileSet::kCounted : FileSet::kFixed;
  if (!toCounted) {
    for (size_t i = 0; i < kDataFiles.size(); ++i) {
      if (kDataFiles[i].part != kStatus && !kDataFiles[i].fixed)
        QFile::remove(QDir(dir_).filePath(kDataFiles[i].name));
    }
  }
  serial_ = NextSerial(serial_);
  MarkAllDue();
  LogLine(std::string("files: now writing the ") + (toCounted ? "counted" : "fixed") + " files");
  Flush();
}

void FileServer::MapChanged() {
  serial_ = NextSerial(serial_);
  MarkDue(kMap);
  Flush();
}

std::string FileServer::SetStatus(int status) {
  status_ = static_cast<uint8_t>(status);
  MarkDue(kStatus);
  return "status byte " + std::to_string(status_) + FrozenNote();
}

std::string FileServer::Remove(const std::string& name) {
  if (auto error = DataFileNameError(name, options_.set); !error.empty()) {
    return "refused (" + error + ")";
  }
  const size_t index = *FindDataFile(name);
  files_[index].removed = true;
  files_[index].pending = true;
  return std::string(kDataFiles[index].name) + " removed until restored" + FrozenNote();
}

std::string FileServer::Restore(const std::string& name) {
  if (auto error = DataFileNameError(name, options_.set); !error.empty()) {
    return "refused (" + error + ")";
  }
  const size_t index = *FindDataFile(name);
  files_[index] = FileState{};
  // A restored map comes with a new serial so that readers take it in.
  if (kDataFiles[index].part == kMap) serial_ = NextSerial(serial_);
  MarkDue(kDataFiles[index].part);
  return std::string(kDataFiles[index].name) + " written whole again" + FrozenNote();
}

std::string FileServer::Cut(const std::string& name, std::optional<size_t> bytes) {
  if (auto error = DataFileNameError(name, options_.set); !error.empty()) {
    return "refused (" + error + ")";
  }
  const size_t index = *FindDataFile(name);
  const size_t whole = Content(index).size();
  const size_t keep = std::min(bytes.value_or(std::max<size_t>(whole, 1) - 1), whole);
  files_[index].removed = false;
  files_[index].cutTo = keep;
  files_[index].pending = true;
  // A cut map carries a new serial, so a reader reads on into the cut.
  if (kDataFiles[index].part == kMap) serial_ = NextSerial(serial_);
  return std::string(kDataFiles[index].name) + " rewritten with " + std::to_string(keep) + " of " +
         std::to_string(whole) + " bytes until its next change" + FrozenNote();
}

std::string FileServer::FrozenNote() const {
  return options_.frozen ? " (frozen: at freeze off)" : "";
}

std::string FileServer::Freeze(bool on) {
  options_.frozen = on;
  return on ? "frozen: no file is written, command files are left alone"
            : "thawed: writing what changed";
}

void FileServer::MarkDue(int part) {
  for (size_t i = 0; i < kDataFiles.size(); ++i) {
    if (kDataFiles[i].part == part) files_[i].pending = true;
  }
}

void FileServer::MarkAllDue() {
  for (auto& file : files_) file.pending = true;
}

std::vector<uint8_t> FileServer::Content(size_t index) const {
  const DataFile& file = kDataFiles.at(index);
  switch (file.part) {
    case kStatus:
      return EncodeStatusFile(status_);
    case kAlphas:
      return file.fixed ? EncodeFixedAlphaFile(router_, options_.layout)
                        : EncodeCountedAlphaFile(router_, options_.layout);
    case kMap:
      return file.fixed ? EncodeFixedMapFile(router_, serial_)
                        : EncodeCountedMapFile(router_, serial_, options_.layout);
    case kInhibits:
      return file.fixed ? EncodeFixedInhibitFile(router_) : EncodeCountedInhibitFile(router_);
  }
  return {};
}

bool FileServer::Flush() {
  if (options_.frozen) return false;
  if (!QFileInfo(dir_).isDir()) {
    // Whatever was there is gone with it: everything is written again when it comes back.
    Trouble("the directory " + dir_.toStdString() + " is missing; retrying");
    MarkAllDue();
    return false;
  }
  bool ok = true;
  for (size_t i = 0; i < files_.size(); ++i) {
    if (!files_[i].pending || !Served(i)) continue;
    if (WriteFile(i)) {
      files_[i].pending = false;
    } else {
      ok = false;
    }
  }
  return ok;
}

bool FileServer::WriteFile(size_t index) {
  FileState& state = files_[index];
  const std::string name = kDataFiles[index].name;
  const QString path = QDir(dir_).filePath(kDataFiles[index].name);
  if (state.removed) {
    if (!QFileInfo::exists(path)) return true;
    if (!QFile::remove(path)) {
      Trouble("cannot remove " + name + "; retrying");
      return false;
    }
    LogLine("files: " + name + " removed");
    return true;
  }
  std::vector<uint8_t> bytes = Content(index);
  const size_t whole = bytes.size();
  if (state.cutTo) bytes.resize(std::min(*state.cutTo, whole));
  // Written beside its final name and renamed into place: a reader sees the old or the new file.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()) ||
      !file.commit()) {
    Trouble("cannot write " + name + " (" + file.errorString().toStdString() + "); retrying");
    return false;
  }
  std::string what = std::to_string(bytes.size()) + (bytes.size() == 1 ? " byte" : " bytes");
  if (kDataFiles[index].part == kStatus && !bytes.empty()) {
    what += ", status " + std::to_string(bytes[0]);
  }
  if (kDataFiles[index].part == kMap && !bytes.empty())
    what += ", serial " + std::to_string(serial_);
  if (state.cutTo) what += ", cut from " + std::to_string(whole);
  LogLine("files: " + name + " written (" + what + ")");
  state.cutTo.reset();
  return true;
}

void FileServer::Poll() {
  if (options_.frozen) return;
  if (Flush() && TakeCommandFiles()) Healthy();
}

bool FileServer::TakeCommandFiles() {
  const QDir dir(dir_);
  std::set<QString> shortNow;
  bool ok = true;
  for (const QString& name : dir.entryList(QDir::Files)) {
    const QString lower = name.toLower();
    const int width = lower == "xpt00001.wcf"   ? kShortCommandBytes
                      : lower == "xpt00002.wcf" ? kLongCommandBytes
                                                : 0;
    if (width == 0) continue;
    // The panel writes over the start of the file without shortening it: only the head counts.
    // Only a plain file is opened: a pipe of that name would block the simulator.
    QFile file(dir.filePath(name));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
      Trouble("cannot read " + name.toStdString() + "; retrying");
      ok = false;
      continue;
    }
    const QByteArray head = file.read(width);
    file.close();
    // A short file may be one the panel is still writing: it gets one more poll.
    if (head.size() < width && !shortCommands_.count(name)) {
      shortNow.insert(name);
      continue;
    }
    if (!QFile::remove(file.fileName())) {
      Trouble("cannot remove " + name.toStdString() + "; not carried out, retrying");
      ok = false;
      continue;
    }
    CarryOut(name, head, width);
  }
  shortCommands_ = std::move(shortNow);
  return ok;
}

void FileServer::CarryOut(const QString& name, const QByteArray& head, int width) {
  const std::string what = "files: " + name.toStdString();
  if (head.size() < width) {
    return LogLine(what + ": " + std::to_string(head.size()) + " byte(s), too short; removed");
  }
  const bool bytes = width == kShortCommandBytes;
  const int input = bytes ? static_cast<uint8_t>(head[0]) : Int16At(head, 0);
  const int output = bytes ? static_cast<uint8_t>(head[1]) : Int16At(head, 2);
  const std::string refusal = take_(output, input);
  LogLine(what + " output " + std::to_string(output) + " input " + std::to_string(input) + ": " +
          (refusal.empty() ? "done" : "refused (" + refusal + "); removed"));
}

void FileServer::Trouble(const std::string& text) {
  if (troubles_.insert(text).second) LogLine("files: " + text);
}

void FileServer::Healthy() {
  if (troubles_.empty()) return;
  troubles_.clear();
  LogLine("files: the directory is usable again");
}

}  // namespace sim
