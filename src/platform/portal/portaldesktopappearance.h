#pragma once

#include "platform/desktopappearance.h"

#include <QDBusConnection>
#include <QDBusVariant>

// The desktop portal's org.freedesktop.appearance color-scheme setting, which
// every current desktop keeps, on X11 as on Wayland. Read once without
// waiting, then followed through the portal's SettingChanged signal. No
// portal, or a value that is not one the portal defines, means no preference.
class PortalDesktopAppearance : public DesktopAppearance
{
    Q_OBJECT

public:
    explicit PortalDesktopAppearance(const QDBusConnection &bus = QDBusConnection::sessionBus(),
                                     QObject *parent = nullptr);

    PreferredColorScheme colorScheme() const override { return m_scheme; }

private slots:
    void settingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    void setColorScheme(PreferredColorScheme scheme);

    QDBusConnection m_bus;
    PreferredColorScheme m_scheme = PreferredColorScheme::noPreference;
    // A change heard before the first read's answer is newer than that answer.
    bool m_changeHeard = false;
};
