// The full load of the network data files, at start-up and after the settings change.
#include "link_file/NetworkFiles.h"

#include <atomic>
#include <memory>
#include <string>
#include <utility>

#include "link_file/FileLink.h"
#include "link_file/FileModel.h"
#include "link_file/FullLoadReading.h"
#include "model/FileWork.h"
#include "model/Panel.h"
#include "model/ScopedValue.h"
#include "model/Selection.h"
#include "model/StatusTexts.h"

namespace dazi {

namespace {

constexpr const char* kStatusError = "Error Reading Status Information File!";
constexpr const char* kAlphaError = "Error Reading Alpha Information File!";
constexpr const char* kCrosspointError = "Error Reading Crosspoint Map Information File!";
constexpr const char* kInhibitError = "Error Reading Inhibit Information File!";
constexpr int kFixedCrosspointOutputs = 256;

// A load that stops leaves the names and the map for the first good tick to read again, so
// that the panel does not go on showing "NoSystem" once the files are back.
bool Stop(Panel& panel) {
  panel.State.AlphaFileStamp.clear();
  panel.State.CrosspointSerial = -1;
  return false;
}

// Tells the operator which file the load failed on, and the link log why.
bool Fail(Panel& panel, const char* message, const char* why) {
  LogFailure(panel.Log, "full load failed", why);
  Stop(panel);
  panel.Ui.MessageBox(message, kErrorReadingFile, MsgIcon::Critical, MsgButtons::Ok);
  return false;
}

void ApplyCrosspoints(Panel& panel, const CrosspointFile& file) {
  SwitcherState& s = panel.State;
  s.ReplaceRoutes(file.Counted ? file.Sources.size() : static_cast<size_t>(s.OutputCount()));
  StoreCrosspoints(s, file);
  s.CrosspointSerial = file.Serial;
}

void ShowFirstEntries(Panel& panel) {
  const SwitcherState& s = panel.State;
  MainView& view = panel.View;
  view.txtOutputDisp.Color = s.ActiveColor;
  view.txtPresetDisp.Color = s.PresetColor;
  {
    const ScopedValue busy(panel.State.SelectorsBusy, true);
    view.cmdoutSel.SetValue(0);
    view.cmdInSel.SetValue(s.SelectedInput);
  }
  if (ShowNoChannels(panel)) return;
  view.txtOutputDisp.Text = *s.Outputs().Alpha(0);
  ShowRoutedSourceFromFiles(panel);
  view.txtPresetDisp.Text = *s.Inputs().Alpha(0);
}

const char* MessageOf(LoadStep step) {
  switch (step) {
    case LoadStep::Status:
      return kStatusError;
    case LoadStep::Alphas:
      return kAlphaError;
    case LoadStep::Crosspoints:
      return kCrosspointError;
    case LoadStep::Inhibits:
    case LoadStep::Done:
      break;
  }
  return kInhibitError;
}

// The reading is read on the worker while the panel waits, the window repainting; a share that
// stops answering fails the load at the step it had reached.
struct Load {
  FullLoadReading Reading;
  std::atomic<LoadStep> Step = LoadStep::Status;
  bool Finished = false;
};

std::shared_ptr<Load> ReadOnWorker(Panel& panel) {
  FileLinkState& link = panel.FileLink;
  const std::chrono::milliseconds bound = ShareAnswerBound(panel.Settings);
  // A worker stuck in a share that stopped answering would hold this load back for good.
  if (panel.FileWork->BusyFor() > bound) {
    panel.FileWork->Replace();
    link.WriteStuck = false;
  }
  ++link.Generation;  // readings asked for before this load no longer count
  link.TickRunning = false;
  link.Directory.reset();  // the directory is looked at afresh
  const std::shared_ptr<ServerDirectory> directory = CurrentDirectory(panel);
  auto load = std::make_shared<Load>();
  panel.FileWork->Run([directory, load] { load->Reading = ReadEverything(*directory, load->Step); },
                      [load] { load->Finished = true; });
  AwaitFileWork(panel, load->Finished, bound, &directory->Progress);
  return load;
}

}  // namespace

bool ReadNetworkFiles(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  if (panel.Settings.LinkMode == TCPIPMode) return true;
  if (panel.Settings.ServerPath.empty()) return false;

  const std::shared_ptr<Load> load = ReadOnWorker(panel);
  if (panel.Unloading) return false;
  if (!load->Finished)
    return Fail(panel, MessageOf(load->Step), "the share stopped answering; given up");
  FullLoadReading& reading = load->Reading;

  if (!reading.Status) return Fail(panel, kStatusError, "Status.ndf missing or unreadable");
  s.StatusFileStamp = std::move(reading.Status->Stamp);
  s.ServerStatusByte = reading.Status->Content;
  if (s.ServerStatusByte == 0) {
    view.StatusPanel1 = kStatusLinkNc;
    view.Caption = kCaptionNotConnected;
    return Stop(panel);
  }

  if (!reading.Alphas)
    return Fail(panel, kAlphaError,
                "lalpha.ndf and Alpha.ndf missing, unreadable or not in their layout");
  ApplyAlphaFile(panel, std::move(reading.Alphas->Content));
  s.AlphaFileStamp = std::move(reading.Alphas->Stamp);
  // The fixed map names 256 outputs; a smaller switcher cannot hold them.
  if (!reading.Crosspoints)
    return Fail(panel, kCrosspointError,
                "lxptmap.ndf and Xptmap.ndf missing, unreadable or not in their layout");
  if (!reading.Crosspoints->Counted && s.OutputCount() < kFixedCrosspointOutputs)
    return Fail(panel, kCrosspointError, "Xptmap.ndf names 256 outputs; the switcher has fewer");
  ApplyCrosspoints(panel, *reading.Crosspoints);
  if (!reading.Inhibits)
    return Fail(panel, kInhibitError,
                "linhbt.ndf and Inhbt.ndf missing, unreadable or not in their layout");
  s.ReplaceInhibits(std::move(reading.Inhibits->Content));
  s.InhibitFileStamp = std::move(reading.Inhibits->Stamp);

  s.SelectedOutput = 0;
  s.SelectedInput = 0;
  ShowFirstEntries(panel);
  view.StatusPanel2 = " " + panel.Settings.ServerPath;
  if (s.ServerStatusByte == 1) {
    view.StatusPanel1 = kStatusLinkOk;
    view.Caption = kCaptionConnected;
  }
  return true;
}

}  // namespace dazi
