#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The signing secret of one installation: read from its file, or generated into it on first start.
namespace InstallationSecret {

std::optional<QByteArray> loadOrCreate(const QString &path, QString *error);

}
