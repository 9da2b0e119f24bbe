#include "DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace pulsewell {

void DesktopNotifier::Post(const TAlarmNotice& notice) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // An alarm is urgent: most desktops keep such a notice until it is seen.
    const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar{2})},
                            {QStringLiteral("desktop-entry"), QStringLiteral("pulsewell")}};
    call << QStringLiteral("Pulsewell") << uint{0} << QStringLiteral("pulsewell")
         << notice.Summary << notice.Body << QStringList() << hints << -1;
    // Sent without waiting for the answer: a slow service never holds up a poll.
    bus.send(call);
}

}  // namespace pulsewell
