// The link log through Qt's logging: category "dazivedur.link", off unless asked for with
// --log-link or QT_LOGGING_RULES. Messages are logged at debug level, connection events at info
// level, one line each with the time of day.
#pragma once

#include <QLoggingCategory>

#include "model/Ports.h"

Q_DECLARE_LOGGING_CATEGORY(lcLink)

namespace dazi::ui {

class QtLinkLog : public LinkLog {
 public:
  // Whether the category lets anything through; the panel is given a log only then.
  static bool Wanted();
  // What --log-link adds to the logging rules.
  static const char* Rules();

  // A warning in the log, whether or not the panel was given one: what the main window's last
  // net caught.
  static void Warn(const std::string& text);

  void Received(const uint8_t* data, size_t size) override;
  void Sent(const uint8_t* data, size_t size) override;
  void Event(const std::string& text) override;
};

}  // namespace dazi::ui
