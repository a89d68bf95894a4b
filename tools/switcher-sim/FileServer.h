// The simulator's File Mode side: keeps the network data files of the router in a directory as a
// Server Module would, and carries out the command files panels leave there. Every file is
// written whole under a temporary name and renamed into place. A directory that vanishes or
// cannot be written is logged and retried on every poll; it never stops the simulator.
#pragma once

#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "DataFiles.h"
#include "Router.h"

namespace sim {

enum class FileSet { kCounted, kFixed, kBoth };

struct FileOptions {
  std::string dir;  // empty: no File Mode side
  FileSet set = FileSet::kCounted;
  int pollMs = 50;
  int status = 1;
  bool frozen = false;
  FileLayout layout;
  // Every this many ms the server changes layout, fixed and counted in turn, as one restarted
  // with the other layout would: the fixed files it leaves behind stay as they were, the counted
  // ones are removed. 0: never.
  int switchLayoutsMs = 0;
  std::vector<std::string> removed;                                // data file names
  std::vector<std::pair<std::string, std::optional<size_t>>> cut;  // name, bytes (none: one short)
};

// Why `name` is not a data file served with this set (names compared without regard to case), or
// empty when it is.
std::string DataFileNameError(const std::string& name, FileSet set);

class FileServer {
 public:
  // Carries out a route as a panel's crosspoint change would; returns why not, or empty.
  using TakeRoute = std::function<std::string(int output, int input)>;

  FileServer(const Router& router, FileOptions options, TakeRoute take);

  // Makes the directory if it is missing, starts the serial after the one already there, writes
  // every file and starts watching for command files.
  void Start();
  // The routes changed: writes the map with a new serial.
  void MapChanged();

  // Fault switches. Each returns what it did (or why not) for the console's log; the files follow
  // at the next Flush().
  std::string SetStatus(int status);
  std::string Remove(const std::string& name);
  std::string Restore(const std::string& name);
  std::string Cut(const std::string& name, std::optional<size_t> bytes);
  std::string Freeze(bool on);

  // Writes (or removes) every file that is due, unless frozen. False when the directory is
  // missing or a file could not be written; what failed is kept for the next try.
  bool Flush();

 private:
  struct FileState {
    bool pending = false;
    bool removed = false;
    std::optional<size_t> cutTo;  // the next write keeps only this many bytes
  };

  void Poll();
  void SwitchLayouts();
  bool TakeCommandFiles();
  void CarryOut(const QString& name, const QByteArray& head, int width);
  // Marks every served file of the kind (status, alphas, map, inhibits) as due.
  void MarkDue(int part);
  void MarkAllDue();
  bool WriteFile(size_t index);
  bool Served(size_t index) const;
  std::vector<uint8_t> Content(size_t index) const;
  // Logs a problem once until the directory is usable again.
  void Trouble(const std::string& text);
  std::string FrozenNote() const;
  void Healthy();

  const Router& router_;
  FileOptions options_;
  TakeRoute take_;
  QString dir_;
  QTimer pollTimer_;
  QTimer switchTimer_;
  std::array<FileState, 7> files_{};
  uint8_t serial_ = 0;
  uint8_t status_ = 1;
  std::set<std::string> troubles_;
  std::set<QString> shortCommands_;  // command files found too short on the last poll
};

}  // namespace sim
