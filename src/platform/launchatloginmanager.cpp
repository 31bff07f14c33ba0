#include "launchatloginmanager.h"

#include "log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Quoting of the Exec key: a literal % is doubled (a lone one starts a field
// code), arguments with reserved characters go in double quotes with ", `, $
// and \ escaped, and the value's own backslashes doubled.
QString execValue(const QString &program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const QString literal = QString(program).replace(u'%', QStringLiteral("%%"));
    if (std::none_of(literal.begin(), literal.end(), [](QChar c) { return reserved.contains(c); }))
        return literal;
    QString quoted = QStringLiteral("\"");
    for (QChar c : literal) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    return quoted.replace(u'\\', QStringLiteral("\\\\"));
}

} // namespace

LaunchAtLoginManager::LaunchAtLoginManager(QObject *parent) : QObject(parent) {}

LaunchAtLoginManager &LaunchAtLoginManager::shared()
{
    static LaunchAtLoginManager *instance = new LaunchAtLoginManager;
    return *instance;
}

QString LaunchAtLoginManager::autostartFilePath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart/tintora.desktop");
}

bool LaunchAtLoginManager::isEnabled() const
{
    QFile file(autostartFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == u"[Desktop Entry]";
            continue;
        }
        if (!inEntry)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed().toLower();
        if ((key == u"Hidden" && value == u"true") || (key == u"X-GNOME-Autostart-enabled" && value == u"false"))
            return false;
    }
    return true;
}

QString LaunchAtLoginManager::executable() const
{
    if (!m_executable.isEmpty())
        return m_executable;
    if (QCoreApplication::instance()) {
        const QString self = QCoreApplication::applicationFilePath();
        if (QFileInfo(self).fileName() == u"tintora")
            return self;
    }
    return QStringLiteral("tintora");
}

bool LaunchAtLoginManager::writeEntry(QString *error) const
{
    const QString path = autostartFilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("Cannot create the folder %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Tintora\n"
                                         "Comment=Colour picker and contrast checker\n"
                                         "Exec=%1\n"
                                         "Icon=tintora\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(execValue(executable()));
    file.write(entry.toUtf8());
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void LaunchAtLoginManager::setEnabled(bool enabled)
{
    emit isEnabledChanged();
    QString error;
    if (enabled) {
        if (!writeEntry(&error))
            Log::failure(QStringLiteral("Failed to enable launch at login: ") + error);
        return;
    }
    QFile file(autostartFilePath());
    if (file.exists() && !file.remove())
        Log::failure(QStringLiteral("Failed to disable launch at login: ") + file.errorString());
}
