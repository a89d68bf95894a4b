// The File Mode tick: hands the worker the markers kept so far, so that it finds cheaply what the
// server has changed and reads only that; then applies what came back and shows the state of the
// link. Files that stay unusable, or a share that does not answer, for longer than the time-out
// are reported once.
#include <memory>
#include <string>
#include <utility>

#include "link_file/FileLink.h"
#include "link_file/FileModel.h"
#include "link_file/NetworkFiles.h"
#include "link_file/TickReading.h"
#include "model/FileWork.h"
#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "model/StatusTexts.h"

namespace dazi {

namespace {

RefreshMarkers KeptMarkers(const SwitcherState& s) {
  return {s.StatusFileStamp,     s.ServerStatusByte,  s.CrosspointSerial,
          s.AlphaFileStamp,      s.InhibitFileStamp,  {s.InputCount(), s.OutputCount()},
          s.Inhibit().Outputs(), s.Inhibit().Inputs()};
}

void ApplyCrosspoints(Panel& panel, const CrosspointFile& file) {
  SwitcherState& s = panel.State;
  StoreCrosspoints(s, file);
  s.CrosspointSerial = file.Serial;
  ShowRoutedSourceFromFiles(panel);
  PutSpinnersOnTheSelection(panel);
}

void ApplyAlphas(Panel& panel, Stamped<AlphaFile> alphas) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  AlphaFile& file = alphas.Content;
  // The fixed file names a 256 x 256 switcher and carries no type of its own.
  if (!file.Counted) file.SwitcherType = s.SwitcherType;
  ApplyAlphaFile(panel, std::move(file));
  s.AlphaFileStamp = std::move(alphas.Stamp);
  if (ShowNoChannels(panel)) return;

  ShowRoutedSourceFromFiles(panel);
  // ApplyAlphaFile kept both selections inside their lists.
  view.txtPresetDisp = {*s.Inputs().Alpha(s.SelectedInput), s.PresetColor};
  view.txtOutputDisp = {*s.Outputs().Alpha(s.SelectedOutput), s.ActiveColor};
}

// Puts what the worker read into the model, in the order the tick reads the files.
TickEnd ApplyReading(Panel& panel, TickReading reading) {
  SwitcherState& s = panel.State;
  if (reading.Status) {
    if (s.ServerStatusByte == 1 && reading.Status->Content != 1)
      ++panel.View.SelectorEpoch;  // the link went down
    s.ServerStatusByte = reading.Status->Content;
    s.StatusFileStamp = std::move(reading.Status->Stamp);
  }
  if (reading.Crosspoints) ApplyCrosspoints(panel, *reading.Crosspoints);
  if (reading.Alphas) ApplyAlphas(panel, std::move(*reading.Alphas));
  if (reading.Inhibits) {
    s.ReplaceInhibits(std::move(reading.Inhibits->Content));
    s.InhibitFileStamp = std::move(reading.Inhibits->Stamp);
  }
  return reading.End;
}

void ShowLinkState(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  if (s.ServerStatusByte == 1) {
    s.FileFailTicks = 0;
    s.FileLinkDown = false;
    view.Caption = kCaptionConnected;
    view.StatusPanel2 = panel.Settings.ServerPath;
    view.StatusPanel1 = kStatusLinkOkNoBlank;
  } else if (s.ServerStatusByte == 0) {
    view.Caption = kCaptionNotConnected;
    view.StatusPanel1 = kStatusLinkNc;
    view.StatusPanel2 = kStatusNoServer;
  }
}

const std::string& OutageText() {
  static const std::string text =
      std::string("Error Reading ZOR Server Network Data Files!") + "\r" + "\r" +
      "Please verify the ZOR Server Software is running " + "and that the network connection" +
      "\r" + "to that computer is functional. Until the Server connection " +
      "is reestablished this" + "\r" + "software control panel will not function.";
  return text;
}

// The message box is modal and the timer ticks on under it: a tick that fails meanwhile must
// not open a second one. Showing it is the tick's last act, so nothing of this tick runs on
// over what the ticks under the box changed.
void FailurePath(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  if (++s.FileFailTicks <= panel.Settings.FileMissLimit) return;
  s.FileFailTicks = 0;
  if (s.FileLinkDown) return;
  s.FileLinkDown = true;
  ++view.SelectorEpoch;
  view.Caption = kCaptionNotConnected;
  view.StatusPanel1 = kStatusLinkNc;
  view.StatusPanel2 = kStatusNoServer;
  if (s.OutageMessageOpen) return;
  const ScopedValue open(s.OutageMessageOpen, true);
  panel.Ui.MessageBox(OutageText(), kErrorReadingNetworkFiles, MsgIcon::Critical, MsgButtons::Ok);
}

// A share that stays unusable fails every tick alike: the link log is told each new trouble once.
void NoteTrouble(Panel& panel, std::string trouble) {
  std::string& last = panel.FileLink.LastTrouble;
  if (trouble == last) return;
  if (!trouble.empty()) LogFailure(panel.Log, "refresh tick", trouble);
  last = std::move(trouble);
}

void EndTick(Panel& panel, TickEnd end) {
  switch (end) {
    case TickEnd::LinkState:
      ShowLinkState(panel);
      break;
    case TickEnd::Failed:
      FailurePath(panel);
      break;
    case TickEnd::Quiet:
      break;
  }
}

}  // namespace

void FileRefreshTick(Panel& panel) {
  if (panel.Settings.ServerPath.empty()) return;
  FileLinkState& link = panel.FileLink;
  if (link.Waiting) return;  // a full load or a Take waits for the worker
  // The last tick's reading has not come back: this tick fails as one that finds no files, and
  // nothing more is queued behind it.
  if (link.TickRunning) {
    NoteTrouble(panel, "the share has not answered the last tick yet");
    return FailurePath(panel);
  }

  const std::shared_ptr<ServerDirectory> directory = CurrentDirectory(panel);
  const RefreshMarkers kept = KeptMarkers(panel.State);
  auto reading = std::make_shared<TickReading>();
  link.TickRunning = true;
  const uint64_t generation = link.Generation;
  panel.FileWork->Run(
      [directory, kept, reading] { *reading = ReadTick(*directory, kept); },
      [&panel, directory, generation, reading] {
        FileLinkState& now = panel.FileLink;
        if (now.Generation != generation) return;
        now.TickRunning = false;
        // Settings changed meanwhile: the reading is of another directory.
        if (panel.Settings.LinkMode != FileMode || panel.Settings.ServerPath != directory->Path)
          return;
        NoteTrouble(panel, std::move(reading->Trouble));
        EndTick(panel, ApplyReading(panel, std::move(*reading)));
      });
}

}  // namespace dazi
