// The information window, frmTolenAbout: a thin view over AboutForm, refilled on every
// activation, with this program's own identification and logo.
#pragma once

#include <QDialog>

#include "panel/AboutForm.h"
#include "ui/DialogParts.h"

class QLabel;

namespace dazi {
struct Panel;
}

namespace dazi::ui {

inline constexpr const char* kSupplierName = "DaziVedur";
inline constexpr const char* kSupplierDescription =
    "A control panel for broadcast routing switchers.";
inline constexpr const char* kSupplierGuide =
    "Operator's guide: Help \u203a Contents (DaziVedur-Guide.html).";

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(const Panel& panel, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void activate();

  const Panel& panel_;
  AboutForm form_;
  ProgramActivation activation_;

  QLabel* lblVersionInfo_ = nullptr;
  QLabel* lblSettingsFolder_ = nullptr;
  QLabel* lblSrvLoc_ = nullptr;
  QLabel* lblServerLocation_ = nullptr;
  QLabel* lblOtCtl_ = nullptr;
  QLabel* lblOutputControlled_ = nullptr;
  QLabel* lblRefresh_ = nullptr;
  QLabel* lblRate_ = nullptr;
  QLabel* lblTimeOutPeriod_ = nullptr;
  QLabel* LblTimeOut_ = nullptr;
};

}  // namespace dazi::ui
