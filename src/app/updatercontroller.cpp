#include "updatercontroller.h"

#include "platform/log.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

constexpr int feedTimeoutMs = 15000;

} // namespace

UpdaterController::UpdaterController(const QUrl &feed, const QString &currentVersion, QObject *parent)
    : QObject(parent), m_feed(feed), m_currentVersion(currentVersion)
{
}

QUrl UpdaterController::configuredFeed()
{
    const QString text = qEnvironmentVariableIsSet("TINTORA_UPDATE_FEED") ? qEnvironmentVariable("TINTORA_UPDATE_FEED")
                                                                          : QStringLiteral(TINTORA_UPDATE_FEED);
    return QUrl(text.trimmed());
}

void UpdaterController::check(bool userInitiated)
{
    if (!hasFeed()) {
        emit checkFinished({}, userInitiated);
        return;
    }
    if (m_checking)
        return;
    m_checking = true;
    // Created on first use: nothing of the network is loaded before then.
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(m_feed);
    request.setTransferTimeout(feedTimeoutMs);
    QNetworkReply *reply = m_network->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, userInitiated] {
        reply->deleteLater();
        m_checking = false;
        UpdateCheck result;
        if (reply->error() != QNetworkReply::NoError) {
            result = {UpdateCheck::Outcome::failed, {}, {},
                      QStringLiteral("The release feed could not be reached: ") + reply->errorString()};
        } else {
            result = UpdateCheck::fromFeed(reply->readAll(), m_currentVersion);
        }
        if (result.outcome == UpdateCheck::Outcome::failed)
            Log::failure(QStringLiteral("UpdaterController: ") + result.problem);
        emit checkFinished(result, userInitiated);
    });
}
