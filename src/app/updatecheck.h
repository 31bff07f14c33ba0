#pragma once

#include <QMetaType>
#include <QString>
#include <QUrl>

// How a look at the release feed ended.
struct UpdateCheck {
    enum class Outcome { noFeed, upToDate, updateAvailable, failed };

    Outcome outcome = Outcome::noFeed;
    QString latestVersion;
    QUrl downloadUrl;
    // For `failed`: what went wrong, in a sentence.
    QString problem;

    // The feed is JSON: {"version": "1.2.0", "url": "https://..."}; "url" is
    // optional. A version that is not newer than `current` is up to date.
    static UpdateCheck fromFeed(const QByteArray &json, const QString &current);
};

Q_DECLARE_METATYPE(UpdateCheck)
