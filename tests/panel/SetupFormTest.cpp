#include "panel/SetupForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "link_tcp/Connection.h"
#include "model/SmallRouter.h"
#include "panel/SetupHelp.h"
#include "settings/Drives.h"
#include "settings/PathText.h"
#include "settings/TempDir.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

namespace fs = std::filesystem;

TEST(CheckIPAddressTest, NormalisesFourPartsOrRefuses) {
  const std::string huge(40, '9');
  const std::pair<std::string, std::string> cases[] = {
      {"192.168.001.010", "192.168.1.10"},
      {"300.1.1.1", "255.1.1.1"},
      {"1..2.3", "1.0.2.3"},
      {"...1", "0.0.0.1"},
      {"10.0.0.300", "10.0.0.255"},
      {"1.2.3.4.5", "1.2.3.4"},  // further full stops belong to the last part: 4.5, halves to even
      {"1.2.3.5.5", "1.2.3.6"},
      {"1.2.3.4.51", "1.2.3.5"},
      {huge + ".2.3." + huge, "255.2.3.255"},
      {"-5.x.  7.4a", "0.0.7.4"},
      {"1.2.3", ""},
      {"1.2.3.", ""},
      {"", ""},
      {"1234", ""}};
  for (const auto& [typed, normal] : cases) {
    std::string text = typed;
    EXPECT_EQ(CheckIPAddress(text), !normal.empty()) << typed;
    EXPECT_EQ(text, normal.empty() ? typed : normal) << typed;
  }
}

// The texts themselves are the help table's; what is tested is which text a control gets.
TEST(SetupHelpTest, BoxesShareTheirLabelsTextAndTimeOutsAndRatesFollowTheSelectedMode) {
  SetupForm file;
  SetupForm tcpIp;
  tcpIp.optFile = false;
  tcpIp.optTCPIP = true;
  EXPECT_EQ(SetupHelpText(file, "lblIpPort"), SetupHelpText(file, "txtIpPort"));
  EXPECT_TRUE(SetupHelpText(file, "txtIPTimeOut").ends_with("access the .ndf files."));
  EXPECT_TRUE(SetupHelpText(tcpIp, "LblTimeOut").ends_with("respond to its polls."));
  EXPECT_TRUE(SetupHelpText(file, "lblPollRate").starts_with("Enter the Refresh Rate in milli"));
  EXPECT_TRUE(SetupHelpText(tcpIp, "txtRefresh").starts_with("Enter the Refresh Rate in seconds"));
  for (const char* none : {"drvDrive", "dirDirectory", "lblDirName", "frFileMode", ""})
    EXPECT_EQ(SetupHelpText(file, none), "") << none;

  SetupForm_MouseMove(file, "txtPassword");
  const std::string password = file.lblHelp;
  EXPECT_TRUE(password.starts_with("If desired, enter the Password"));
  SetupForm_MouseMove(file, "dirDirectory");  // no help of its own: the text stays
  EXPECT_EQ(file.lblHelp, password);
}

// The drives come from the mount table alone (listing them asks nothing of a share), without the
// kernel's own file systems.
TEST(DrivesTest, RootAndHomeFirstAndAPathBelongsToItsLongestDrive) {
  EXPECT_EQ(MountPointsIn("proc /proc proc rw 0 0\n/dev/sda1 / ext4 rw 0 0\ntmpfs /run tmpfs rw\n"
                          "/dev/sdb1 /run/media/op/USB\\040KEY vfat rw\ncgroup2 /sys/fs/cgroup "
                          "cgroup2 rw\nsrv:/zor /mnt/zor\\134share nfs4 rw\ngarbage\n"),
            (std::vector<std::string>{"/", "/run/media/op/USB KEY", "/mnt/zor\\share"}));
  const auto drives =
      OrderDrives({"/media/usb", "/", "/home/op/", "/boot", "/media/usb"}, "/home/op");
  EXPECT_EQ(drives, (std::vector<std::string>{"/", "/home/op", "/boot", "/media/usb"}));
  EXPECT_EQ(DriveOf(drives, "/media/usb/zor/"), "/media/usb");
  EXPECT_EQ(DriveOf(drives, "/media/usb2/zor"), "/");
  EXPECT_EQ(DriveOf(drives, "/home/op"), "/home/op");
  EXPECT_EQ(DriveOf(drives, "S:\\Server\\"), "/");
}

class SetupFormTest : public ::testing::Test {
 protected:
  SetupFormTest() {
    panel.State.AppPath = dir.Path();
    fs::create_directories(dir.Path() / "server");
    PanelSettings& s = panel.Settings;
    s.LinkMode = TCPIPMode;
    s.IPAddress = "10.0.0.1";
    s.TCPIPPort = 1250;
    s.ServerPath = (dir.Path() / "server").string() + "/";
    s.Password = u"pw";
    s.IPPollPeriod = 2;
    s.IPAllowedMisses = 9;
    s.StayOnTop = kStayOnTopNo;
    s.HideInhibits = true;
    Open();
  }
  void Open() {
    form.Tag = kInitialTag;
    form.Visible = true;
    SetupForm_Activate(panel, form);
  }
  void Ok() { SetupForm_cmdSelect_Click(panel, form); }
  void ChooseFileMode() {
    form.optTCPIP = false;
    form.optFile = true;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : f.ui.Messages) texts.push_back(m.Title + ": " + m.Text);
    return texts;
  }

  testing::TempDir dir;
  testing::PanelFixture f;
  Panel& panel = f.panel;
  SetupForm form;
};

// The boxes' numbers and the address show in the OK tests' snapshots; Cancel, Escape and the
// refill at the next opening are the dialog's tests.
TEST_F(SetupFormTest, ActivationFillsFromTheSettingsOnlyWhenTagged) {
  EXPECT_TRUE(form.optTCPIP && form.frIPModeVisible && !form.optFile && !form.frFileModeVisible);
  EXPECT_EQ(form.lblHelp, kTcpIpModeHelp);
  EXPECT_EQ(form.txtPassword, u"pw");
  EXPECT_EQ(form.dirDirectory, (dir.Path() / "server").string());
  EXPECT_TRUE(form.ChkHideInhibits);
  EXPECT_FALSE(form.chkStayOnTop);

  // A message box closing re-activates the dialog: what was typed stays.
  form.txtIP = "10.0.0.2";
  SetupForm_optFile_Click(panel, form);
  SetupForm_Activate(panel, form);
  EXPECT_EQ(form.txtIP, "10.0.0.2");
  EXPECT_TRUE(form.frFileModeVisible);
  EXPECT_EQ(form.lblHelp, kFileModeHelp);
  EXPECT_TRUE(f.ui.Messages.empty());
}

// The list moves to the program's directory, but OK keeps the stored one unless another is
// chosen: a share offline for the moment is not given up by an OK made for something else.
TEST_F(SetupFormTest, AnUnreachableServerDirectoryMovesOnlyTheListToTheProgramsDirectory) {
  panel.Settings.ServerPath = "/nonexistent/dazivedur/";
  Open();
  EXPECT_EQ(Messages(), std::vector<std::string>{"Drive Error: Invalid Drive"});
  EXPECT_EQ(form.dirDirectory, dir.Path().string());
  EXPECT_EQ(form.txtDirectory, "/nonexistent/dazivedur");
  EXPECT_EQ(panel.Settings.ServerPath, "/nonexistent/dazivedur/");
}

// The path box reaches what the list cannot show: a folder inside a hidden one, a name that is
// not UTF-8. It is checked as the list's choice is.
TEST_F(SetupFormTest, ATypedPathOpensInTheListWhenItCanBeReached) {
  const std::string hidden = (dir.Path() / ".zor" / "s\xE9rv").string();
  fs::create_directories(hidden);
  form.DriveList = {"/", dir.Path().string()};
  form.txtDirectory = hidden + "//";
  SetupForm_txtDirectory_Enter(panel, form);
  EXPECT_EQ(std::tie(form.dirDirectory, form.txtDirectory, form.drvDrive),
            std::tie(hidden, hidden, form.DriveList[1]));
  EXPECT_EQ(PathFromShown(ShownPath(hidden)), hidden);

  for (const char* typed : {"/nonexistent/zor", "relative/zor"}) {
    form.txtDirectory = typed;
    SetupForm_txtDirectory_Enter(panel, form);
    EXPECT_EQ(form.dirDirectory, hidden) << typed;
    EXPECT_EQ(form.FocusControl, "txtDirectory");
  }
  EXPECT_EQ(Messages(), (std::vector<std::string>(2, "Error: Drive Error!")));
}

TEST_F(SetupFormTest, ADriveThatCannotBeShownGoesBackToTheDirectorysDrive) {
  form.DriveList = {"/", dir.Path().string(), (dir.Path() / "gone").string()};
  form.drvDrive = form.DriveList[2];
  SetupForm_drvDrive_Change(panel, form);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Drive Error!"});
  EXPECT_EQ(form.drvDrive, dir.Path().string());
  form.drvDrive = "/";
  SetupForm_drvDrive_Change(panel, form);
  EXPECT_EQ(form.dirDirectory, "/");
}

// What an OK may change: the link, the stored numbers, the address box, and the entry it points
// the operator at (the focus, and the frame shown).
std::string Snapshot(const Panel& p, const SetupForm& form, const testing::FakeSocket& socket) {
  const PanelSettings& s = p.Settings;
  return std::string(s.LinkMode == TCPIPMode ? "TCP " : "File ") + s.IPAddress + ":" +
         std::to_string(s.TCPIPPort) + " poll " + std::to_string(s.IPPollPeriod) + " refresh " +
         std::to_string(s.RefreshRate) + " time-out " + std::to_string(s.FileTimeOut) + " misses " +
         std::to_string(s.IPAllowedMisses) + (s.ServerPath.empty() ? "" : " path") +
         " | connects " + std::to_string(socket.ConnectCalls) + " closes " +
         std::to_string(socket.CloseCalls) + " | box " + form.txtIP + " focus " +
         form.FocusControl + (form.frIPModeVisible ? " in TCP/IP" : " in File") + " | " +
         p.View.StatusPanel1 + "/" + p.View.StatusPanel2;
}

// A failing step shows its message, leaves the dialog open and keeps what earlier steps did.
struct FailingOk {
  const char* Name;
  std::function<void(Panel&, SetupForm&)> Arrange;
  std::string Message;  // the files' reader speaks for itself; the dialog adds nothing
  std::string Left;
};

class FailingOkTest : public SetupFormTest, public ::testing::WithParamInterface<FailingOk> {};

TEST_P(FailingOkTest, StopsWithItsMessage) {
  GetParam().Arrange(panel, form);
  Ok();
  EXPECT_EQ(Messages(), std::vector<std::string>{GetParam().Message});
  EXPECT_TRUE(form.Visible);
  EXPECT_FALSE(fs::exists(dir.Path() / "zorntpnl.ini")) << "nothing is written";
  EXPECT_EQ(Snapshot(panel, form, f.socket), GetParam().Left);
}

const std::string kRange3600 = "Input Error: Please enter a value between 1 and 3600";
const std::string kPortError =
    "Port Error: Invalid IP Port #. Please reenter a number between 1 and 65535";
const std::string kUntouched =
    "TCP 10.0.0.1:1250 poll 2 refresh 100 time-out 50 misses 9 path | connects 0 closes 0 | box ";
const std::string kStatus = " | Serial Link (NC) /Server Not Defined  ";

INSTANTIATE_TEST_SUITE_P(
    Steps, FailingOkTest,
    ::testing::Values(
        FailingOk{"Address", [](Panel&, SetupForm& form) { form.txtIP = "10.0.0"; },
                  "Data Format Error: Please Enter IP Address In The Following Format: 192.168.1.1",
                  kUntouched + "10.0.0.1 focus txtIP in TCP/IP" + kStatus},
        FailingOk{"PortZero", [](Panel&, SetupForm& form) { form.txtIpPort = "0"; }, kPortError,
                  kUntouched + "10.0.0.1 focus txtIpPort in TCP/IP" + kStatus},
        FailingOk{"PortOfFortyDigits",
                  [](Panel&, SetupForm& form) { form.txtIpPort = std::string(40, '9'); },
                  kPortError, kUntouched + "10.0.0.1 focus txtIpPort in TCP/IP" + kStatus},
        FailingOk{"PasswordTooLong",
                  [](Panel&, SetupForm& form) {
                    form.txtIP = "10.0.0.9";
                    form.txtPassword.assign(128, u'x');
                  },
                  "Password Error: The password is too long: the ZOR Server accepts at most 127 "
                  "characters.",
                  kUntouched + "10.0.0.9 focus txtPassword in TCP/IP" + kStatus},
        FailingOk{"PasswordNotAscii", [](Panel&, SetupForm& form) { form.txtPassword = u"\u00e9"; },
                  "Password Error: The password can only hold plain ASCII characters (letters "
                  "without accents, digits and the usual signs).",
                  kUntouched + "10.0.0.1 focus txtPassword in TCP/IP" + kStatus},
        FailingOk{"PollPeriodAfterANewAddress",
                  [](Panel&, SetupForm& form) {
                    form.txtIP = "10.0.0.300";
                    form.txtPollRate = "0";
                  },
                  kRange3600,
                  "TCP 10.0.0.255:1250 poll 2 refresh 100 time-out 50 misses 9 path | connects 1 "
                  "closes 1 | box 10.0.0.255 focus txtPollRate in TCP/IP | Switcher Link (NC) "
                  "/10.0.0.255"},
        // The File Mode boxes lie in the hidden frame: it is shown, the mode stays TCP/IP.
        FailingOk{"RefreshRateAfterAPollPeriod",
                  [](Panel&, SetupForm& form) {
                    form.txtPollRate = "7";
                    form.txtRefresh = "40000";
                  },
                  "Input Error: Please enter a value between 1 and 32500",
                  "TCP 10.0.0.1:1250 poll 7 refresh 100 time-out 50 misses 9 path | connects 0 "
                  "closes 0 | box 10.0.0.1 focus txtRefresh in File" +
                      kStatus},
        FailingOk{"HiddenFileTimeOut", [](Panel&, SetupForm& form) { form.txtTimeOut = "-5"; },
                  kRange3600, kUntouched + "10.0.0.1 focus txtTimeOut in File" + kStatus},
        FailingOk{"AllowedMissesBlank",
                  [](Panel&, SetupForm& form) {
                    form.txtTimeOut = "3600";
                    form.txtIPTimeOut = " ";
                  },
                  kRange3600,
                  "TCP 10.0.0.1:1250 poll 2 refresh 100 time-out 3600 misses 9 path | connects 0 "
                  "closes 0 | box 10.0.0.1 focus txtIPTimeOut in TCP/IP" +
                      kStatus},
        FailingOk{"ServerFilesMissing",
                  [](Panel& p, SetupForm& form) {
                    p.State.SocketConnected = true;
                    form.optTCPIP = false;
                    form.optFile = true;
                  },
                  "Error Reading File: Error Reading Status Information File!",
                  "File 10.0.0.1:1250 poll 2 refresh 100 time-out 50 misses 9 | connects 0 closes "
                  "1 | box 10.0.0.1 focus  in TCP/IP | Switcher Link (NC)/No Server Detected "},
        // A directory that cannot be used is refused before the live link is touched.
        FailingOk{"DirectoryUnreachable",
                  [](Panel&, SetupForm& form) {
                    form.optTCPIP = false;
                    form.optFile = true;
                    form.txtDirectory = "/nonexistent/zor";
                  },
                  "Error: Drive Error!",
                  kUntouched + "10.0.0.1 focus txtDirectory in File" + kStatus},
        FailingOk{"DirectoryNameTheSettingsFileCannotHold",
                  [](Panel& p, SetupForm& form) {
                    form.optTCPIP = false;
                    form.optFile = true;
                    form.txtDirectory = p.State.AppPath.string() + "/a\nb";
                  },
                  "Server Directory Error: This server directory cannot be kept in zorntpnl.ini: "
                  "its name holds a line break. Please choose another directory, or rename this "
                  "one.",
                  kUntouched + "10.0.0.1 focus txtDirectory in File" + kStatus}),
    [](const auto& param) { return param.param.Name; });

// 0.0.0.0 names no server after OK as at start-up: the old link closes, nothing is connected
// (the system would take it for this computer), and Connect says it cannot.
TEST_F(SetupFormTest, OkReconnectsOnlyForANewAddressOrPortAndNeverToNoAddress) {
  Ok();
  EXPECT_EQ(f.socket.ConnectCalls, 0);
  EXPECT_FALSE(form.Visible);
  EXPECT_TRUE(fs::exists(dir.Path() / "zorntpnl.ini"));

  Open();
  form.txtIpPort = "1251";
  Ok();
  EXPECT_EQ(f.socket.ConnectCalls, 1);
  EXPECT_EQ(f.socket.ConnectedPort, 1251);
  EXPECT_TRUE(f.ui.Messages.empty());

  Open();
  form.txtIP = "0.0.0.0";
  Ok();
  EXPECT_EQ(std::make_tuple(f.socket.ConnectCalls, f.socket.CloseCalls), std::make_tuple(1, 2));
  EXPECT_EQ(panel.View.StatusPanel2, "0.0.0.0");
  mnuConnect_Click(panel);
  EXPECT_EQ(f.socket.ConnectCalls, 1);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Tolen DaziVedur: Unable to connect to remote host"});
}

TEST_F(SetupFormTest, OkAppliesLongPeriodsInFullAndFromFileModeStartsTheLink) {
  panel.Settings.LinkMode = FileMode;
  panel.View.mnuConnect.Enabled = false;
  Open();
  form.txtRefresh = "1";
  form.txtTimeOut = "3600";
  Ok();  // the same directory: the link stays as it is
  EXPECT_EQ(std::make_tuple(panel.Settings.FileMissLimit, panel.View.tmrFileCheck.IntervalMs),
            std::make_tuple(3'600'000, int64_t{1}));

  Open();
  SetupForm_optTCPIP_Click(panel, form);
  form.optTCPIP = true;
  form.optFile = false;
  form.txtPollRate = "3600";
  form.chkStayOnTop = true;
  form.ChkHideInhibits = false;
  Ok();
  const PanelSettings& s = panel.Settings;
  EXPECT_EQ(s.LinkMode, TCPIPMode);
  EXPECT_EQ(f.socket.ConnectedHost + ":" + std::to_string(f.socket.ConnectedPort), "10.0.0.1:1250");
  EXPECT_TRUE(panel.View.mnuConnect.Enabled);
  EXPECT_EQ(panel.View.tmrFileCheck.IntervalMs, 3'600'000);
  EXPECT_EQ(std::make_tuple(s.StayOnTop, s.HideInhibits), std::make_tuple(kStayOnTopYes, false));
  EXPECT_TRUE(f.ui.Messages.empty());
  EXPECT_FALSE(form.Visible);
}

TEST_F(SetupFormTest, AFileThatCannotBeWrittenIsReportedAndTheDialogCloses) {
  panel.State.AppPath = dir.Path() / "missing";
  Ok();
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"Error Writing File: Error Writing Zorntpnl.ini File",
                                      "Error Reading File: Server Alphas Data File Not Found!"}));
  EXPECT_FALSE(form.Visible);
}

// Four destinations W X Y Z on channels 0..3 and four sources A B C D on channels 0..3, every
// destination fed by B; the panel was on Z with C preset. OK puts each selector on the first
// entry its arrows could reach, and the displays show exactly that.
TEST_F(SetupFormTest, OkSettlesOnTheFirstEntriesTheArrowsCouldReach) {
  struct Case {
    const char* Name;
    std::function<void(Panel&)> Arrange;
    std::string Shown;  // destination / source routed / preset
  };
  const Case cases[] = {
      {"all shown", [](Panel&) {}, "W/B/A"},
      {"first destination hidden", [](Panel& p) { p.Settings.OutputDisplayList = "0111"; },
       "X/B/A"},
      {"first destination reserved",
       [](Panel& p) {
         p.State.ReplaceOutputs({"{W", "X", "Y", "Z"}, {0, 1, 2, 3});
       },
       "X/B/A"},
      {"first source reserved, second hidden",
       [](Panel& p) {
         p.State.ReplaceInputs({"{A", "B", "C", "D"}, {0, 1, 2, 3});
         p.Settings.InputDisplayList = "1011";
       },
       "W/B/C"},
      {"first source inhibited for the first destination",
       [](Panel& p) { testing::Inhibit(p, 0, 0); }, "W/B/B"},
      {"salvo mode",
       [](Panel& p) {
         p.Settings.OutputDisplayList = "0011";
         p.State.SalvoMode = true;
         p.State.ReplaceSalvos({"NEWS", "SPORT"}, {0, 1});
         p.View.txtInputDisp.Text = "Salvo Mode";
       },
       "Y/Salvo Mode/NEWS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    testing::PanelFixture g;
    g.panel.State.AppPath = dir.Path();
    g.panel.Settings = panel.Settings;
    testing::LoadRouter(g.panel, {"A", "B", "C", "D"}, {0, 1, 2, 3}, {"W", "X", "Y", "Z"},
                        {0, 1, 2, 3});
    for (int output = 0; output < 4; ++output) testing::Route(g.panel, output, 1);
    g.panel.View.cmdoutSel.SetValue(3);
    g.panel.View.cmdInSel.SetValue(2);
    c.Arrange(g.panel);
    SetupForm setup;
    setup.Tag = kInitialTag;
    SetupForm_Activate(g.panel, setup);
    SetupForm_cmdSelect_Click(g.panel, setup);
    const MainView& v = g.panel.View;
    EXPECT_EQ(v.txtOutputDisp.Text + "/" + v.txtInputDisp.Text + "/" + v.txtPresetDisp.Text,
              c.Shown);
    const SwitcherState& s = g.panel.State;
    EXPECT_EQ(std::make_tuple(s.SelectedOutput, s.SelectedInput),
              std::make_tuple(v.cmdoutSel.Value(), v.cmdInSel.Value()));
    EXPECT_EQ(s.Outputs().Alphas()[s.SelectedOutput], v.txtOutputDisp.Text);
  }
}

}  // namespace
}  // namespace dazi
