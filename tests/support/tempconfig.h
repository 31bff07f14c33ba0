#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh, empty XDG_CONFIG_HOME for the lifetime of the object, so that the
// preferences file and the autostart entry of a test start out absent.
class TempConfig
{
public:
    TempConfig();
    ~TempConfig();

    QString path() const { return m_dir.path(); }
    // $XDG_CONFIG_HOME/Tintora/Tintora.conf
    QString preferencesFile() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};
