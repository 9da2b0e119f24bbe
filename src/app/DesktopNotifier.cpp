#include "app/DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

#include "core/text/VisibleText.h"

namespace pulsewell {

namespace {

// A body may be markup to the service: what the device and the files said
// must show as it stands.
QString BodyText(const QString& text) {
    QString body = ShownText(text);
    body.replace(u'&', QStringLiteral("&amp;"));
    body.replace(u'<', QStringLiteral("&lt;"));
    body.replace(u'>', QStringLiteral("&gt;"));
    return body;
}

}  // namespace

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
    call << QStringLiteral("Pulsewell") << uint{0} << QStringLiteral("pulsewell") << notice.Summary
         << BodyText(notice.Body) << QStringList() << hints << -1;
    // Sent without waiting for the answer: a slow service never holds up a poll.
    bus.send(call);
}

}  // namespace pulsewell
