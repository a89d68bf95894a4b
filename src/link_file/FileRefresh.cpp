// The File Mode tick: finds cheaply what the server has changed, reads only that, and shows the
// state of the link. Files that stay unusable for longer than the time-out are reported once.
#include <string>
#include <utility>

#include "core/MainForm.h"
#include "core/Panel.h"
#include "link_file/FileModel.h"
#include "link_file/NetworkFileReads.h"
#include "link_file/NetworkFiles.h"
#include "link_tcp/Connection.h"

namespace dazi {

namespace {

constexpr int kFixedInhibitRows = 256;

// How a tick ends: on to the link state, through the failure path, or quietly.
enum class TickEnd { LinkState, Failed, Quiet };

// A marker is kept only once its file was read whole, so a read that fails is tried again on
// the next tick.
TickEnd RefreshStatus(Panel& panel, ServerFiles& files) {
  SwitcherState& s = panel.State;
  const std::optional<std::string> stamp = files.Stamp(kStatusFile);
  if (!stamp) return TickEnd::Failed;
  if (*stamp == s.StatusFileStamp) return TickEnd::LinkState;
  const std::optional<uint8_t> status = ReadStatusByte(files);
  if (!status) return TickEnd::Failed;
  if (s.ServerStatusByte == 1 && *status != 1) ++panel.View.SelectorEpoch;  // the link went down
  s.ServerStatusByte = *status;
  s.StatusFileStamp = *stamp;
  return TickEnd::LinkState;
}

// The crosspoint file is opened every tick for its first byte; the map is read only when the
// server has changed that byte.
TickEnd RefreshCrosspoints(Panel& panel, ServerFiles& files) {
  SwitcherState& s = panel.State;
  const auto [name, head] = files.Either(kCountedCrosspointFile, kFixedCrosspointFile,
                                         [&](const char* n) { return files.ReadHead(n, 1); });
  if (!name || head->empty()) return TickEnd::Failed;
  if (head->front() == s.CrosspointSerial) return TickEnd::LinkState;
  const std::optional<CrosspointFile> file = ReadCrosspointMap(files, name);
  if (!file) return TickEnd::Failed;
  StoreCrosspoints(s.CrosspointMap, *file, s.InputCount);
  s.CrosspointSerial = file->Serial;
  ShowRoutedSourceFromFiles(panel);
  PutSpinnersOnTheSelection(panel);
  return TickEnd::LinkState;
}

// Sets `reparsed` when the names were read again, which changes how a later error ends the tick.
TickEnd RefreshAlphas(Panel& panel, ServerFiles& files, bool& reparsed) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  const auto [name, stamp] = files.Either(kCountedAlphaFile, kFixedAlphaFile,
                                          [&](const char* n) { return files.Stamp(n); });
  if (!name) return TickEnd::Failed;
  if (*stamp == s.AlphaFileStamp) return TickEnd::LinkState;
  std::optional<AlphaFile> file = ReadAlphaTables(files, name);
  if (!file) return TickEnd::Failed;
  // The fixed file names a 256 x 256 switcher and carries no type of its own.
  if (!file->Counted) file->SwitcherType = s.SwitcherType;
  ApplyAlphaFile(panel, std::move(*file));
  s.AlphaFileStamp = *stamp;
  reparsed = true;

  ShowRoutedSourceFromFiles(panel);
  view.txtPresetDisp = {s.InputAlpha.empty() ? view.txtPresetDisp.Text
                                             : s.InputAlpha[static_cast<size_t>(s.SelectedInput)],
                        s.PresetColor};
  view.txtOutputDisp = {s.OutputAlpha.empty()
                            ? view.txtOutputDisp.Text
                            : s.OutputAlpha[static_cast<size_t>(s.SelectedOutput)],
                        s.ActiveColor};
  RebuildInputPositions(s);
  return TickEnd::LinkState;
}

// The inhibit rows land in the map as it stands; pairs outside it are passed over.
TickEnd RefreshInhibits(Panel& panel, ServerFiles& files, bool reparsed) {
  SwitcherState& s = panel.State;
  const auto [name, stamp] = files.Either(kCountedInhibitFile, kFixedInhibitFile,
                                          [&](const char* n) { return files.Stamp(n); });
  if (!name) return TickEnd::Failed;
  // Once the names were read again, a file that fails from here on ends the tick quietly.
  const TickEnd readError = reparsed ? TickEnd::Quiet : TickEnd::Failed;
  if (*stamp == s.InhibitFileStamp) return TickEnd::LinkState;
  // A read that fails part-way leaves rows of the new map beside rows of the old one; the stamp
  // is not kept, so the next tick reads the whole file again.
  InhibitFileReader reader =
      name == std::string(kCountedInhibitFile)
          ? InhibitFileReader::Counted(s.Inhibit, false)
          : InhibitFileReader::Fixed(s.Inhibit, kFixedInhibitRows, kFixedInhibitRows, false);
  if (!files.ReadStream(name, reader) || !reader.Complete()) return readError;
  s.InhibitFileStamp = *stamp;
  return TickEnd::LinkState;
}

TickEnd Refresh(Panel& panel) {
  ServerFiles files(panel);
  TickEnd end = RefreshStatus(panel, files);
  if (end != TickEnd::LinkState || panel.State.ServerStatusByte != 1) return end;
  end = RefreshCrosspoints(panel, files);
  if (end != TickEnd::LinkState) return end;
  bool reparsed = false;
  end = RefreshAlphas(panel, files, reparsed);
  if (end != TickEnd::LinkState) return end;
  return RefreshInhibits(panel, files, reparsed);
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
  s.OutageMessageOpen = true;
  panel.Ui.MessageBox(OutageText(), kErrorReadingNetworkFiles, MsgIcon::Critical, MsgButtons::Ok);
  panel.State.OutageMessageOpen = false;
}

}  // namespace

void FileRefreshTick(Panel& panel) {
  if (panel.Settings.ServerPath.empty()) return;
  switch (Refresh(panel)) {
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

}  // namespace dazi
