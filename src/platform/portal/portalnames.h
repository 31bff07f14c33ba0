#pragma once

#include <QString>

// Where the desktop portal lives on the session bus.
namespace PortalNames {

inline QString service() { return QStringLiteral("org.freedesktop.portal.Desktop"); }
inline QString path() { return QStringLiteral("/org/freedesktop/portal/desktop"); }
inline QString screenshot() { return QStringLiteral("org.freedesktop.portal.Screenshot"); }
inline QString request() { return QStringLiteral("org.freedesktop.portal.Request"); }
inline QString settings() { return QStringLiteral("org.freedesktop.portal.Settings"); }

} // namespace PortalNames
