// Runs the File Mode link over a server directory in memory that the input rewrites at will:
// files of every layout with arbitrary content, spelled in either case, appearing and vanishing
// between ticks, changing between the look at a stamp and the read or in the middle of a stream,
// the directory itself going away or refusing writes; the timer ticking on under message boxes.
// The panel must stay sound: every index inside its table, the selectors on their lists, at
// most one outage message on the screen, and a command file that says what the Take asked.
//
// Input: a list of steps, each an opcode byte and its operands (see Step below).

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "link_file/MemoryFileSystem.h"
#include "link_file/NetworkFiles.h"
#include "model/NullPorts.h"
#include "model/Panel.h"
#include "panel/MainForm.h"
#include "panel/TakeAndSalvo.h"

namespace {

using dazi::FileBytes;

constexpr const char* kServer = "/srv/zor/";
constexpr const char* kDataFiles[] = {"Status.ndf", "lalpha.ndf", "Alpha.ndf", "lxptmap.ndf",
                                      "Xptmap.ndf", "linhbt.ndf", "Inhbt.ndf"};
constexpr size_t kFileKinds = std::size(kDataFiles);
// What a generated file of each kind is sized to, so that short inputs reach the fixed layouts.
constexpr size_t kGeneratedSize[] = {1, 0, 4608, 0, 257, 0, 65536};
constexpr const char* kServerPaths[] = {"/srv/zor/", "/srv/ZOR/", "/srv/zor", "C:\\zor\\"};

// Names the broken rule before aborting, so that a crash report says what went wrong.
#define Check(condition)                                                    \
  do {                                                                      \
    if (!(condition)) {                                                     \
      std::fprintf(stderr, "broken: %s (line %d)\n", #condition, __LINE__); \
      std::abort();                                                         \
    }                                                                       \
  } while (false)

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return offset_ >= size_; }
  uint8_t Byte() { return offset_ < size_ ? data_[offset_++] : 0; }
  int Word() {
    const int low = Byte();
    return low | Byte() << 8;
  }
  int Int16() { return static_cast<int16_t>(Word()); }
  FileBytes Take(size_t count) {
    count = std::min(count, size_ - offset_);
    FileBytes bytes(data_ + offset_, data_ + offset_ + count);
    offset_ += count;
    return bytes;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
};

std::string Spelled(size_t kind, bool upper) {
  std::string name = kDataFiles[kind % kFileKinds];
  if (upper) std::transform(name.begin(), name.end(), name.begin(), ::toupper);
  return kServer + name;
}

// Answers every box with OK; while one is open the timer ticks on, as it does under a modal box.
class TickingUi : public dazi::QuietUi {
 public:
  dazi::MsgResult MessageBox(const std::string& text, const std::string& title, dazi::MsgIcon,
                             dazi::MsgButtons) override {
    if (title == dazi::kErrorReadingNetworkFiles) {
      Check(!outageOpen_);
      outageOpen_ = true;
    }
    if (panel && depth_ == 0) {
      ++depth_;
      for (int k = 0; k < ticksUnderBox; ++k) dazi::tmrFileCheck_Timer(*panel);
      --depth_;
    }
    if (title == dazi::kErrorReadingNetworkFiles) outageOpen_ = false;
    lastText = text;
    return dazi::MsgResult::Ok;
  }
  dazi::Panel* panel = nullptr;
  int ticksUnderBox = 0;
  std::string lastText;

 private:
  bool outageOpen_ = false;
  int depth_ = 0;
};

void CheckSound(const dazi::Panel& panel) {
  const dazi::SwitcherState& s = panel.State;
  const auto count = [](const auto& list) { return static_cast<int>(list.size()); };
  Check(!s.SelectorsBusy);
  for (const dazi::ChannelTable* table : {&s.Inputs(), &s.Outputs()}) {
    Check(table->size() == table->Count() && count(table->Channels()) == table->Count());
    // Positions exist once names have arrived, one per channel.
    Check(table->Positions().empty() || count(table->Positions()) == table->Count());
  }
  Check(s.SelectedInput >= 0 && s.SelectedInput < std::max(s.InputCount(), 1));
  Check(s.SelectedOutput >= 0 && s.SelectedOutput < std::max(s.OutputCount(), 1));
  // While a display reads "NoSystem" its spinner turns without moving the selection.
  if (panel.View.txtInputDisp.Text != dazi::kNoSystem)
    Check(panel.View.cmdInSel.Value() == s.SelectedInput);
  if (panel.View.txtOutputDisp.Text != dazi::kNoSystem)
    Check(panel.View.cmdoutSel.Value() == s.SelectedOutput);
  Check(panel.View.cmdInSel.Max() <= std::max(s.InputCount() - 1, 0));
  Check(panel.View.cmdoutSel.Max() <= std::max(s.OutputCount() - 1, 0));
}

// A meddling armed by the input: on the n-th time a call reaches the file, it is removed, cut
// to half its length, or rewritten with one byte changed.
struct Meddling {
  std::string path;
  int countdown = 0;
  int action = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  TickingUi ui;
  dazi::IdleSocket socket;
  dazi::MemoryFileSystem files;
  dazi::Panel panel(ui, socket);
  dazi::InitVariables(panel);
  panel.Files = &files;
  panel.Settings.ServerPath = kServer;
  panel.Settings.InputDisplayList.assign(64, '1');
  panel.Settings.OutputDisplayList.assign(64, '1');
  panel.Settings.FileMissLimit = 2;
  files.AddDirectory(kServer);
  ui.panel = &panel;

  Meddling meddling;
  files.Meddle = [&](const std::string& path) {
    if (path != meddling.path || meddling.countdown <= 0 || --meddling.countdown > 0) return;
    const FileBytes* bytes = files.Content(path);
    if (!bytes || meddling.action == 0) {
      files.Remove(path);
      return;
    }
    FileBytes changed = *bytes;
    if (meddling.action == 1) changed.resize(changed.size() / 2);
    if (meddling.action == 2 && !changed.empty()) changed[changed.size() / 2] ^= 0x5A;
    files.Put(path, std::move(changed));
  };

  for (int steps = 0; !in.Empty() && steps < 64; ++steps) {
    const uint8_t op = in.Byte();
    const size_t kind = ((op >> 4) & 7) % kFileKinds;
    const bool upper = op & 0x80;
    switch (op & 0x0F) {
      case 0: {  // a file with the bytes that follow
        const size_t length = static_cast<size_t>(in.Word() & 0x3FFF);
        files.Put(Spelled(kind, upper), in.Take(length));
        break;
      }
      case 1: {  // a file of the kind's fixed size, a short pattern repeated
        const FileBytes pattern = in.Take(1 + in.Byte() % 16);
        FileBytes bytes(kGeneratedSize[kind] ? kGeneratedSize[kind] : 4 + in.Byte() * 64);
        for (size_t k = 0; k < bytes.size() && !pattern.empty(); ++k)
          bytes[k] = pattern[k % pattern.size()];
        files.Put(Spelled(kind, upper), std::move(bytes));
        break;
      }
      case 2:
        files.Remove(Spelled(kind, upper));
        break;
      case 3:
      case 4:
        dazi::tmrFileCheck_Timer(panel);
        break;
      case 5:
        dazi::ReadNetworkFiles(panel);
        break;
      case 6: {  // a command file; what it says must be what was asked
        const int input = in.Int16();
        const int output = in.Int16();
        const bool written = dazi::WriteCommandFile(panel, input, output);
        if (written && panel.Settings.ServerPath == kServer) {
          const bool shortForm = input < 256 && output < 256;
          const FileBytes* written =
              files.Content(std::string(kServer) + (shortForm ? "xpt00001.wcf" : "xpt00002.wcf"));
          Check(written && written->size() >= (shortForm ? 2u : 4u));
          Check((*written)[0] == static_cast<uint8_t>(input));
          Check((*written)[shortForm ? 1 : 2] == static_cast<uint8_t>(output));
        }
        break;
      }
      case 7:
        dazi::cmdTake_Click(panel);
        break;
      case 8:
        files.RemoveDirectory(kServer);
        break;
      case 9:
        files.AddDirectory(kServer);
        files.SetWritable(kServer, !upper);
        break;
      case 10:
        meddling = {Spelled(kind, upper), 1 + in.Byte() % 6, in.Byte() % 3};
        files.ChunkSize = 1 + in.Byte() * 16;
        break;
      case 11:
        (upper ? panel.View.cmdInSel : panel.View.cmdoutSel).StepUp();
        break;
      case 12:
        (upper ? panel.View.cmdInSel : panel.View.cmdoutSel).StepDown();
        break;
      case 13:
        panel.Settings.FileMissLimit = in.Byte() % 4;
        ui.ticksUnderBox = in.Byte() % 8;
        break;
      case 14:
        panel.Settings.ServerPath = kServerPaths[kind % std::size(kServerPaths)];
        break;
      default:
        for (int k = in.Byte() % 16; k >= 0; --k) dazi::tmrFileCheck_Timer(panel);
        break;
    }
    CheckSound(panel);
  }
  return 0;
}
