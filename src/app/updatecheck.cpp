#include "updatecheck.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QVersionNumber>

UpdateCheck UpdateCheck::fromFeed(const QByteArray &json, const QString &current)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    const QString version = document.object().value(QStringLiteral("version")).toString();
    const QVersionNumber latest = QVersionNumber::fromString(version);
    if (!document.isObject() || latest.isNull())
        return {Outcome::failed, {}, {}, QStringLiteral("The release feed could not be read.")};
    UpdateCheck check{Outcome::upToDate, latest.toString(), {}, {}};
    if (latest > QVersionNumber::fromString(current)) {
        check.outcome = Outcome::updateAvailable;
        check.downloadUrl = QUrl(document.object().value(QStringLiteral("url")).toString());
    }
    return check;
}
