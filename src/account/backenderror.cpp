#include "backenderror.h"

#include <QJsonDocument>
#include <QJsonObject>

BackendError BackendError::notConfigured()
{
    return {Kind::notConfigured,
            QStringLiteral("No account service is configured (set TINTORA_BACKEND_URL and TINTORA_BACKEND_KEY)."), 0, {}};
}

BackendError BackendError::notSignedIn()
{
    return {Kind::notSignedIn, QStringLiteral("Not signed in."), 0, {}};
}

BackendError BackendError::http(int status, const QByteArray &body)
{
    return {Kind::http, QStringLiteral("The server answered with status %1: %2").arg(status).arg(QString::fromUtf8(body.left(300))),
            status, body};
}

QString BackendError::readableText() const
{
    if (kind == Kind::http) {
        const QJsonObject object = QJsonDocument::fromJson(body).object();
        for (const char *key : {"msg", "message", "error_description", "error"}) {
            const QJsonValue value = object.value(QLatin1StringView(key));
            if (value.isString() && !value.toString().isEmpty())
                return value.toString();
        }
    }
    return description;
}
