#include "portalscreensampler.h"

#include "platform/log.h"
#include "portalnames.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QUuid>

namespace {

// The colour of a PickColor answer: "color" as (ddd), each in 0...1.
std::optional<ColorValue> colorOf(const QVariantMap &results)
{
    const QVariant value = results.value(QStringLiteral("color"));
    if (!value.canConvert<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != u"(ddd)")
        return std::nullopt;
    double red = 0, green = 0, blue = 0;
    argument.beginStructure();
    argument >> red >> green >> blue;
    argument.endStructure();
    return ColorValue::clipped(red, green, blue);
}

} // namespace

PortalScreenSampler::PortalScreenSampler(const QDBusConnection &bus, QObject *parent)
    : ScreenSampler(parent), m_bus(bus)
{
}

PortalScreenSampler::~PortalScreenSampler() { stopListening(); }

void PortalScreenSampler::show(std::function<void(std::optional<ColorValue>)> done)
{
    m_done = std::move(done);
    // The request object's path follows from our bus name and a token of our
    // choosing, so the answer is listened for before the call can cause it.
    const QString token = QStringLiteral("tintora") + QUuid::createUuid().toString(QUuid::Id128);
    QString sender = m_bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    listenOn(PortalNames::path() + QStringLiteral("/request/%1/%2").arg(sender, token));

    QDBusMessage call = QDBusMessage::createMethodCall(PortalNames::service(), PortalNames::path(),
                                                       PortalNames::screenshot(), QStringLiteral("PickColor"));
    call << QString() << QVariantMap{{QStringLiteral("handle_token"), token}};
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *watcher) {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (reply.isError()) {
            Log::failure(QStringLiteral("PortalScreenSampler: PickColor failed: ") + reply.error().message());
            finish(std::nullopt);
            return;
        }
        // Older portals choose the path themselves.
        if (reply.value().path() != m_requestPath)
            listenOn(reply.value().path());
    });
}

void PortalScreenSampler::listenOn(const QString &requestPath)
{
    stopListening();
    m_requestPath = requestPath;
    m_bus.connect(PortalNames::service(), m_requestPath, PortalNames::request(), QStringLiteral("Response"), this,
                  SLOT(response(uint, QVariantMap)));
}

void PortalScreenSampler::stopListening()
{
    if (m_requestPath.isEmpty())
        return;
    m_bus.disconnect(PortalNames::service(), m_requestPath, PortalNames::request(), QStringLiteral("Response"), this,
                     SLOT(response(uint, QVariantMap)));
    m_requestPath.clear();
}

void PortalScreenSampler::response(uint code, const QVariantMap &results)
{
    // 0 is success; 1 the user cancelled; 2 anything else.
    finish(code == 0 ? colorOf(results) : std::nullopt);
}

void PortalScreenSampler::finish(std::optional<ColorValue> color)
{
    stopListening();
    auto done = std::exchange(m_done, {});
    if (done)
        done(color);
}
