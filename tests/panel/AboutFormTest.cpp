#include "panel/AboutForm.h"

#include <gtest/gtest.h>

#include <string>

#include "model/SmallRouter.h"
#include "support/PanelFixture.h"

namespace dazi {
namespace {

// The eight setup labels and the version, joined with " | ".
std::string Shown(const AboutForm& form) {
  std::string text;
  for (const std::string* label : {&form.lblSrvLoc, &form.lblServerLocation, &form.lblOtCtl,
                                   &form.lblOutputControlled, &form.lblRefresh, &form.lblRate,
                                   &form.lblTimeOutPeriod, &form.LblTimeOut, &form.lblVersionInfo})
    text += *label + " | ";
  return text;
}

constexpr const char* kVersion = "Tolen Dazivedur\rVersion 3.14 - 07/31/2008 | ";

class AboutFormTest : public ::testing::Test {
 protected:
  AboutFormTest() {
    testing::LoadRouter(f.panel, {"CAM 1"}, {0}, {"PGM", "VTR 2", "MON", "TX", "REC"},
                        {0, 4, 1, 2, 3});
    f.panel.State.SelectedOutput = 1;  // output number 4, VTR 2
  }
  std::string Activated() {
    AboutForm_Activate(f.panel, form);
    return Shown(form);
  }
  testing::PanelFixture f;
  AboutForm form;
};

TEST_F(AboutFormTest, FileModeShowsTheServersFilesAndTheDestinationOrNotSpecified) {
  f.panel.Settings.ServerPath = "/srv/zor/";
  EXPECT_EQ(Activated(), std::string("ZOR Netserver Location | /srv/zor/*.ndf | Destination Under "
                                     "Control | Output 5 - (VTR 2) | Refresh Rate: | 100 "
                                     "Milliseconds | Timeout Period: | 50 Seconds | ") +
                             kVersion);
  f.panel.Settings.ServerPath.clear();
  EXPECT_EQ(Activated(), std::string("ZOR Netserver Location | Not Specified | Destination Under "
                                     "Control | Not Specified | Refresh Rate: | 100 Milliseconds "
                                     "| Timeout Period: | 50 Seconds | ") +
                             kVersion);
}

TEST_F(AboutFormTest, TcpIpModeShowsTheAddressPollsAndMissesEveryTimeAnew) {
  f.panel.Settings.LinkMode = TCPIPMode;
  f.panel.Settings.IPAddress = "10.0.0.7";
  f.panel.Settings.IPAllowedMisses = 30;
  EXPECT_EQ(Activated(), std::string("ZOR Server Location | 10.0.0.7 | Destination Under Control | "
                                     "Output 5 - (VTR 2) | IP Poll Period: | 1 Seconds | Allowed "
                                     "Misses:  |  30 | ") +
                             kVersion);
  f.panel.Settings.IPPollPeriod = 3600;
  f.panel.State.SelectedOutput = 7;  // past the tables while they are replaced: no crash
  Activated();
  EXPECT_EQ(form.lblRate, "3600 Seconds");
  EXPECT_EQ(form.lblOutputControlled, "Output 8 - ()");
}

}  // namespace
}  // namespace dazi
