#include "portaldesktopappearance.h"

#include "portalnames.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace {

const QString appearanceGroup = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

// A color-scheme value: uint32 0 (no preference), 1 (dark) or 2 (light).
// Read answers it inside one variant more than ReadOne and SettingChanged. A
// portal that sends another integer type still means the same number.
PreferredColorScheme schemeOf(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    static const QList<QMetaType> integers{
        QMetaType::fromType<uint>(),   QMetaType::fromType<int>(),       QMetaType::fromType<qulonglong>(),
        QMetaType::fromType<qlonglong>(), QMetaType::fromType<ushort>(), QMetaType::fromType<short>(),
        QMetaType::fromType<uchar>(),
    };
    if (!integers.contains(value.metaType()))
        return PreferredColorScheme::noPreference;
    switch (value.toLongLong()) {
    case 1: return PreferredColorScheme::dark;
    case 2: return PreferredColorScheme::light;
    default: return PreferredColorScheme::noPreference;
    }
}

} // namespace

PortalDesktopAppearance::PortalDesktopAppearance(const QDBusConnection &bus, QObject *parent)
    : DesktopAppearance(parent), m_bus(bus)
{
    // Listening first, so no change falls between the read and the signal.
    m_bus.connect(PortalNames::service(), PortalNames::path(), PortalNames::settings(),
                  QStringLiteral("SettingChanged"), this, SLOT(settingChanged(QString, QString, QDBusVariant)));

    // Read rather than ReadOne: every portal version has it. The answer comes
    // whenever the portal gives it, so a slow or hung one holds nothing up.
    QDBusMessage read = QDBusMessage::createMethodCall(PortalNames::service(), PortalNames::path(),
                                                       PortalNames::settings(), QStringLiteral("Read"));
    read << appearanceGroup << colorSchemeKey;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(read), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *watcher) {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        if (m_changeHeard || reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return;
        setColorScheme(schemeOf(reply.arguments().constFirst()));
    });
}

void PortalDesktopAppearance::settingChanged(const QString &group, const QString &key, const QDBusVariant &value)
{
    if (group != appearanceGroup || key != colorSchemeKey)
        return;
    m_changeHeard = true;
    setColorScheme(schemeOf(value.variant()));
}

void PortalDesktopAppearance::setColorScheme(PreferredColorScheme scheme)
{
    if (scheme == m_scheme)
        return;
    m_scheme = scheme;
    emit colorSchemeChanged();
}
