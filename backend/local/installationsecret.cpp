#include "installationsecret.h"

#include "randomtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qsizetype minimumLength = 32;

std::optional<QByteArray> readSecret(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QString("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray secret = file.readAll().trimmed();
    if (secret.size() < minimumLength) {
        *error = QString("%1 holds fewer than %2 characters").arg(path).arg(minimumLength);
        return std::nullopt;
    }
    return secret;
}

// Written beside the target and renamed into place, so a crash never leaves an empty secret and
// the file is never readable by others, not even for a moment.
bool writeSecret(const QString &path, const QByteArray &secret, QString *error)
{
    const QString temporaryPath = path + ".new";
    QFile::remove(temporaryPath);
    QFile file(temporaryPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || file.write(secret + '\n') != secret.size() + 1 || !file.flush()) {
        *error = QString("cannot write %1: %2").arg(temporaryPath, file.errorString());
        return false;
    }
    file.close();
    if (!QFile::rename(temporaryPath, path)) {
        QFile::remove(temporaryPath);
        // Another server starting at the same moment may have won the race; its secret is as good.
        if (QFileInfo::exists(path))
            return true;
        *error = QString("cannot create %1").arg(path);
        return false;
    }
    return true;
}

} // namespace

std::optional<QByteArray> InstallationSecret::loadOrCreate(const QString &path, QString *error)
{
    if (!QFileInfo::exists(path)) {
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            *error = QString("cannot create the folder of %1").arg(path);
            return std::nullopt;
        }
        if (!writeSecret(path, RandomText::urlSafe(48).toLatin1(), error))
            return std::nullopt;
    }
    return readSecret(path, error);
}
