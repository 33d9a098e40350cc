#include "shell/DesktopContrast.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QIcon>
#include <QString>

namespace vextal {

namespace {

// A portal that does not answer within this is taken to have nothing to say.
constexpr int kPortalAnswerMs = 2000;

}  // namespace

bool DesktopPrefersHighContrast() {
  const auto highContrast = [](const QString& theme) {
    return theme.contains(QLatin1String("contrast"), Qt::CaseInsensitive);
  };
  return highContrast(QIcon::themeName()) || highContrast(qEnvironmentVariable("GTK_THEME"));
}

void AskDesktopContrast(QObject* context, std::function<void(bool higher)> answer) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    return;
  }
  QDBusMessage read = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.portal.Desktop"),
      QStringLiteral("/org/freedesktop/portal/desktop"),
      QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("Read"));
  read << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("contrast");
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(read, kPortalAnswerMs), context);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                   [watcher, answer = std::move(answer)] {
                     watcher->deleteLater();
                     const QDBusPendingReply<QDBusVariant> reply = *watcher;
                     if (reply.isError()) {
                       answer(false);
                       return;
                     }
                     // Read wraps the value in one variant more than its signature says.
                     QVariant value = reply.value().variant();
                     while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
                       value = qvariant_cast<QDBusVariant>(value).variant();
                     }
                     answer(value.metaType() == QMetaType::fromType<uint>() && value.toUInt() == 1);
                   });
}

}  // namespace vextal
