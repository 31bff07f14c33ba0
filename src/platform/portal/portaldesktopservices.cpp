#include "portaldesktopservices.h"

#include "desktopboundshortcuts.h"
#include "portalnames.h"
#include "portalscreensampler.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace {
// The check runs once a second while the onboarding is shown: a portal that
// hangs must not hold the interface for long.
constexpr int answerTimeoutMs = 500;
} // namespace

bool PortalDesktopServices::canCaptureScreen() const
{
    QDBusMessage get = QDBusMessage::createMethodCall(PortalNames::service(), PortalNames::path(),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << PortalNames::screenshot() << QStringLiteral("version");
    return QDBusConnection::sessionBus().call(get, QDBus::Block, answerTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

std::unique_ptr<ScreenSampler> PortalDesktopServices::createSampler() { return std::make_unique<PortalScreenSampler>(); }

std::unique_ptr<GlobalShortcuts> PortalDesktopServices::createGlobalShortcuts(ShortcutStore &)
{
    return std::make_unique<DesktopBoundShortcuts>();
}
