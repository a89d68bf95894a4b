#include "Log.h"

#include <QTime>
#include <cstdio>

namespace sim {

void LogLine(const std::string& text) {
  const QByteArray time = QTime::currentTime().toString("HH:mm:ss.zzz").toLatin1();
  std::fprintf(stderr, "%s %s\n", time.constData(), text.c_str());
  std::fflush(stderr);
}

}  // namespace sim
