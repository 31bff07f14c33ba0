#pragma once

#include "files.h"
#include "platform/preferencesstore.h"
#include "tempconfig.h"

#include <memory>

// A fresh XDG_CONFIG_HOME with a preferences store over its file, which may be
// given contents (and permissions) before the store first reads it.
class TempPreferences
{
public:
    explicit TempPreferences(const std::optional<QByteArray> &initialContents = std::nullopt,
                             std::optional<QFileDevice::Permissions> permissions = std::nullopt)
    {
        if (initialContents)
            writeFile(m_config.preferencesFile(), *initialContents);
        if (permissions)
            QFile::setPermissions(m_config.preferencesFile(), *permissions);
        m_store = std::make_unique<PreferencesStore>(m_config.preferencesFile());
    }

    PreferencesStore &store() { return *m_store; }
    QString filePath() const { return m_config.preferencesFile(); }
    QByteArray contents() const { return readFile(filePath()); }

    // A new store over a copy of the file as it is on disk now, as the next
    // start would read it. QSettings shares a parsed file between the stores
    // of one process, so the same path would not prove what reached the disk.
    std::unique_ptr<PreferencesStore> reopened()
    {
        const QString copy = m_config.path() + QStringLiteral("/copy%1.conf").arg(++m_copies);
        QFile::copy(filePath(), copy);
        return std::make_unique<PreferencesStore>(copy);
    }

private:
    TempConfig m_config;
    std::unique_ptr<PreferencesStore> m_store;
    int m_copies = 0;
};
