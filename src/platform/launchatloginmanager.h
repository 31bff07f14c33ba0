#pragma once

#include <QObject>
#include <QString>

// Starting Tintora at login, as an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/tintora.desktop).
class LaunchAtLoginManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isEnabled READ isEnabled WRITE setEnabled NOTIFY isEnabledChanged)

public:
    static LaunchAtLoginManager &shared();

    static QString autostartFilePath();

    // True when the entry exists and is not switched off inside.
    bool isEnabled() const;
    // Announces the change first, then writes or removes the entry; failures
    // are logged and leave the entry as it was.
    void setEnabled(bool enabled);

    // The program the entry starts; this executable when it is tintora,
    // otherwise "tintora" from the PATH.
    QString executable() const;
    void setExecutable(const QString &path) { m_executable = path; }

signals:
    void isEnabledChanged();

private:
    explicit LaunchAtLoginManager(QObject *parent = nullptr);
    bool writeEntry(QString *error) const;

    QString m_executable;
};
