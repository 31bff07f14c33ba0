#pragma once

#include "updatecheck.h"

#include <QObject>
#include <QUrl>

class QNetworkAccessManager;

// Looks for a newer Tintora in the configured release feed, quietly after
// start-up and when the user asks. Without a feed, updates come from the
// package manager and there is nothing to look at.
class UpdaterController : public QObject
{
    Q_OBJECT

public:
    UpdaterController(const QUrl &feed, const QString &currentVersion, QObject *parent = nullptr);

    // TINTORA_UPDATE_FEED from the environment, else from the build.
    static QUrl configuredFeed();

    bool hasFeed() const { return m_feed.isValid() && !m_feed.isEmpty(); }
    bool isChecking() const { return m_checking; }

    void checkInBackground() { check(false); }
    void checkForUpdates() { check(true); }

signals:
    // `userInitiated` tells whether the user asked (and so wants an answer
    // either way).
    void checkFinished(const UpdateCheck &result, bool userInitiated);

private:
    void check(bool userInitiated);

    QUrl m_feed;
    QString m_currentVersion;
    QNetworkAccessManager *m_network = nullptr;
    bool m_checking = false;
};
