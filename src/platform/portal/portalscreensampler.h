#pragma once

#include "platform/screensampler.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

// Picks through the desktop portal (org.freedesktop.portal.Screenshot,
// PickColor), which draws its own magnifier: the way on Wayland. The answer
// comes as the Response signal of the request object the call names.
class PortalScreenSampler : public ScreenSampler
{
    Q_OBJECT

public:
    explicit PortalScreenSampler(const QDBusConnection &bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    ~PortalScreenSampler() override;

    void show(std::function<void(std::optional<ColorValue>)> done) override;

private slots:
    void response(uint code, const QVariantMap &results);

private:
    void listenOn(const QString &requestPath);
    void stopListening();
    void finish(std::optional<ColorValue> color);

    QDBusConnection m_bus;
    QString m_requestPath;
    std::function<void(std::optional<ColorValue>)> m_done;
};
