// The full load of the network data files, at start-up and after the settings change.
#include "link_file/NetworkFiles.h"

#include <string>
#include <utility>
#include <vector>

#include "core/MainForm.h"
#include "core/Panel.h"
#include "core/Selection.h"
#include "link_file/FileModel.h"
#include "link_file/NetworkFileReads.h"
#include "link_tcp/Connection.h"

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

bool Fail(Panel& panel, const char* message) {
  Stop(panel);
  panel.Ui.MessageBox(message, kErrorReadingFile, MsgIcon::Critical, MsgButtons::Ok);
  return false;
}

bool LoadAlphaFile(Panel& panel, ServerFiles& files) {
  const auto [name, stamp] = files.Either(kCountedAlphaFile, kFixedAlphaFile,
                                          [&](const char* n) { return files.Stamp(n); });
  if (!name) return false;
  std::optional<AlphaFile> file = ReadAlphaTables(files, name);
  if (!file) return false;
  ApplyAlphaFile(panel, std::move(*file));
  panel.State.AlphaFileStamp = *stamp;
  return true;
}

bool LoadCrosspoints(Panel& panel, ServerFiles& files) {
  SwitcherState& s = panel.State;
  const auto [name, file] =
      files.Either(kCountedCrosspointFile, kFixedCrosspointFile,
                   [&](const char* n) { return ReadCrosspointMap(files, n); });
  if (!name) return false;
  // The fixed map names 256 outputs; a smaller switcher cannot hold them.
  if (!file->Counted && s.OutputCount < kFixedCrosspointOutputs) return false;
  s.CrosspointMap.assign(file->Counted ? file->Sources.size() : static_cast<size_t>(s.OutputCount),
                         OutputRoute{});
  StoreCrosspoints(s.CrosspointMap, *file, s.InputCount);
  s.CrosspointSerial = file->Serial;
  return true;
}

bool LoadInhibits(Panel& panel, ServerFiles& files) {
  SwitcherState& s = panel.State;
  const auto [name, stamp] = files.Either(kCountedInhibitFile, kFixedInhibitFile,
                                          [&](const char* n) { return files.Stamp(n); });
  if (!name) return false;
  // Read in place: a map beside the old one would double the memory of a large switcher. The
  // map is re-created only once the file is known to hold what its counts promise.
  InhibitFileReader reader =
      name == std::string(kCountedInhibitFile)
          ? InhibitFileReader::Counted(s.Inhibit, true)
          : InhibitFileReader::Fixed(s.Inhibit, s.OutputCount, s.InputCount, true);
  if (!files.ReadStream(name, reader) || !reader.Complete()) return false;
  s.InhibitFileStamp = *stamp;
  return true;
}

void ShowFirstEntries(Panel& panel) {
  const SwitcherState& s = panel.State;
  MainView& view = panel.View;
  view.txtOutputDisp.Color = s.ActiveColor;
  if (!s.OutputAlpha.empty()) view.txtOutputDisp.Text = s.OutputAlpha.front();
  WhileSelectorsBusy(panel, [&] { view.cmdoutSel.SetValue(0); });
  ShowRoutedSourceFromFiles(panel);
  view.txtPresetDisp.Color = s.PresetColor;
  if (!s.InputAlpha.empty()) view.txtPresetDisp.Text = s.InputAlpha.front();
  WhileSelectorsBusy(panel, [&] { view.cmdInSel.SetValue(s.SelectedInput); });
}

}  // namespace

bool ReadAlphaFile(Panel& panel) {
  ServerFiles files(panel);
  return LoadAlphaFile(panel, files);
}

bool ReadNetworkFiles(Panel& panel) {
  SwitcherState& s = panel.State;
  MainView& view = panel.View;
  if (panel.Settings.LinkMode == TCPIPMode) return true;
  if (panel.Settings.ServerPath.empty()) return false;

  ServerFiles::Forget(panel);  // the directory is looked at afresh
  ServerFiles files(panel);
  const std::optional<std::string> stamp = files.Stamp(kStatusFile);
  const std::optional<uint8_t> status = stamp ? ReadStatusByte(files) : std::nullopt;
  if (!status) return Fail(panel, kStatusError);
  s.StatusFileStamp = *stamp;
  s.ServerStatusByte = *status;
  if (s.ServerStatusByte == 0) {
    view.StatusPanel1 = kStatusLinkNc;
    view.Caption = kCaptionNotConnected;
    return Stop(panel);
  }

  if (!ReadAlphaFile(panel)) return Fail(panel, kAlphaError);
  if (!LoadCrosspoints(panel, files)) return Fail(panel, kCrosspointError);
  if (!LoadInhibits(panel, files)) return Fail(panel, kInhibitError);

  RebuildInputPositions(s);
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
