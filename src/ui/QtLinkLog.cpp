#include "ui/QtLinkLog.h"

#include <QTime>

#include "link_tcp/LinkLogText.h"

Q_LOGGING_CATEGORY(lcLink, "dazivedur.link", QtWarningMsg)

namespace dazi::ui {

namespace {

QString Now() {
  return QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"));
}

}  // namespace

bool QtLinkLog::Wanted() {
  return lcLink().isDebugEnabled() || lcLink().isInfoEnabled();
}

const char* QtLinkLog::Rules() {
  return "dazivedur.link.debug=true\ndazivedur.link.info=true";
}

void QtLinkLog::Warn(const std::string& text) {
  qCWarning(lcLink).noquote() << Now() << "---" << QString::fromStdString(text);
}

void QtLinkLog::Received(const uint8_t* data, size_t size) {
  qCDebug(lcLink).noquote() << Now() << "in "
                            << QString::fromStdString(
                                   DescribeLinkMessage(LinkSender::Server, data, size));
}

void QtLinkLog::Sent(const uint8_t* data, size_t size) {
  qCDebug(lcLink).noquote() << Now() << "out"
                            << QString::fromStdString(
                                   DescribeLinkMessage(LinkSender::Panel, data, size));
}

void QtLinkLog::Event(const std::string& text) {
  qCInfo(lcLink).noquote() << Now() << "---" << QString::fromStdString(text);
}

}  // namespace dazi::ui
