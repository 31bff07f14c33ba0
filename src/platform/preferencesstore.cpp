#include "preferencesstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions groupAndOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup
    | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

bool isBytes(const QVariant &v) { return v.typeId() == QMetaType::QByteArray; }

} // namespace

PreferencesStore::PreferencesStore(const QString &filePath, QObject *parent)
    : QObject(parent), m_filePath(filePath), m_settings(filePath, QSettings::IniFormat)
{
    const QFileInfo info(filePath);
    m_unreadable = m_settings.status() != QSettings::NoError || (info.exists() && !info.isReadable());
}

QString PreferencesStore::defaultFilePath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Tintora/Tintora.conf");
}

PreferencesStore &PreferencesStore::standard()
{
    static PreferencesStore *store = new PreferencesStore(defaultFilePath());
    return *store;
}

void PreferencesStore::registerDefaults(const QVariantMap &defaults)
{
    for (auto it = defaults.begin(); it != defaults.end(); ++it)
        m_defaults.insert(it.key(), it.value());
}

bool PreferencesStore::contains(const QString &key) const { return !m_unreadable && m_settings.contains(key); }

QVariant PreferencesStore::value(const QString &key) const
{
    if (contains(key))
        return m_settings.value(key);
    return m_defaults.value(key);
}

std::optional<QString> PreferencesStore::string(const QString &key) const
{
    const QVariant v = value(key);
    if (!v.isValid() || isBytes(v))
        return std::nullopt;
    return v.toString();
}

bool PreferencesStore::boolean(const QString &key) const
{
    const QVariant v = value(key);
    switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool();
    case QMetaType::QString: {
        const QString text = v.toString().trimmed().toLower();
        if (text == u"true" || text == u"yes")
            return true;
        bool ok = false;
        const double n = text.toDouble(&ok);
        return ok && n != 0;
    }
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double: return v.toDouble() != 0;
    default: return false;
    }
}

double PreferencesStore::number(const QString &key) const
{
    const QVariant v = value(key);
    switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double: {
        bool ok = false;
        const double n = v.toString().trimmed().toDouble(&ok);
        return ok ? n : 0;
    }
    default: return 0;
    }
}

std::optional<QByteArray> PreferencesStore::bytes(const QString &key) const
{
    const QVariant v = value(key);
    if (!isBytes(v))
        return std::nullopt;
    return v.toByteArray();
}

void PreferencesStore::setString(const QString &key, const QString &value) { write(key, value); }
void PreferencesStore::setBool(const QString &key, bool value) { write(key, value); }
void PreferencesStore::setDouble(const QString &key, double value) { write(key, value); }
void PreferencesStore::setBytes(const QString &key, const QByteArray &value) { write(key, value); }

void PreferencesStore::remove(const QString &key) { write(key, QVariant()); }

QString PreferencesStore::unreadableKey(const QString &key) { return QStringLiteral("Unreadable/") + key; }

bool PreferencesStore::keepUnreadable(const QString &key)
{
    if (!contains(key))
        return false;
    const QVariant original = m_settings.value(key);
    const QString backup = unreadableKey(key);
    if (m_settings.value(backup) == original)
        return false;
    write(backup, original);
    return true;
}

void PreferencesStore::prepareFile()
{
    // The file holds the account session: it is created private, and the
    // atomic rewrites that follow keep the existing file's mode.
    const QFileInfo info(m_filePath);
    if (!info.exists()) {
        QDir().mkpath(info.absolutePath());
        const int fd = ::open(QFile::encodeName(m_filePath).constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::close(fd);
    }
}

void PreferencesStore::write(const QString &key, const QVariant &value)
{
    if (m_unreadable) {
        // What could not be read is replaced by the values written from now on.
        // The file goes first: one without read permission would refuse the
        // rewrite and keep the old contents.
        m_settings.clear();
        QFile::remove(m_filePath);
        m_unreadable = false;
    }
    prepareFile();
    if (value.isValid())
        m_settings.setValue(key, value);
    else
        m_settings.remove(key);
    m_settings.sync();
    if (QFile::permissions(m_filePath) & groupAndOthers)
        QFile::setPermissions(m_filePath, ownerOnly);
    emit valueChanged(key);
}

QVariantMap PreferencesStore::snapshot() const
{
    QVariantMap values;
    if (!m_unreadable) {
        for (const QString &key : m_settings.allKeys())
            values.insert(key, m_settings.value(key));
    }
    return values;
}

void PreferencesStore::reload()
{
    const QVariantMap before = snapshot();
    // QSettings keeps the first error it met, so only a status that was clean
    // before this read tells about the file as it is now; a stale error would
    // hide, and the next write drop, everything written since.
    const bool clean = m_settings.status() == QSettings::NoError;
    m_settings.sync();
    if (clean)
        m_unreadable = m_settings.status() != QSettings::NoError;
    const QVariantMap after = snapshot();
    QStringList keys = before.keys() + after.keys();
    keys.removeDuplicates();
    for (const QString &key : std::as_const(keys)) {
        if (before.value(key) != after.value(key))
            emit valueChanged(key);
    }
}
