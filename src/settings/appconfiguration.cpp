#include "appconfiguration.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// Reads the members one by one and remembers whether any failed.
class StrictReader
{
public:
    explicit StrictReader(const QJsonObject &object) : m_object(object) {}

    bool ok() const { return m_ok; }

    CopyFormat copyFormat(const char *key)
    {
        return require(CopyFormats::fromRawValue(stringValue(key)), CopyFormat::hex);
    }
    bool boolean(const char *key)
    {
        const QJsonValue v = member(key);
        if (!v.isBool())
            m_ok = false;
        return v.toBool();
    }
    double number(const char *key)
    {
        const QJsonValue v = member(key);
        if (!v.isDouble())
            m_ok = false;
        return v.toDouble();
    }
    AppTheme theme(const char *key) { return require(AppThemes::fromRawValue(stringValue(key)), AppTheme::system); }
    TrayIconStyle trayIconStyle(const char *key)
    {
        return require(TrayIconStyles::fromRawValue(stringValue(key)), TrayIconStyle::hex);
    }
    QList<MyPaletteColor> palette(const char *key) { return require(Palettes::decodeColors(member(key)), {}); }

    std::optional<QMap<QString, QByteArray>> shortcuts(const char *key)
    {
        const QJsonValue v = member(key);
        if (v.isUndefined() || v.isNull())
            return std::nullopt;
        if (!v.isObject()) {
            m_ok = false;
            return std::nullopt;
        }
        QMap<QString, QByteArray> map;
        const QJsonObject object = v.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const auto decoded = QByteArray::fromBase64Encoding(it.value().toString().toLatin1(),
                                                                QByteArray::AbortOnBase64DecodingErrors);
            if (!it.value().isString() || !decoded) {
                m_ok = false;
                return std::nullopt;
            }
            map.insert(it.key(), *decoded);
        }
        return map;
    }

private:
    QJsonValue member(const char *key) const { return m_object.value(QLatin1StringView(key)); }

    QString stringValue(const char *key)
    {
        const QJsonValue v = member(key);
        if (!v.isString())
            m_ok = false;
        return v.toString();
    }

    template <typename T>
    T require(std::optional<T> value, T fallback)
    {
        if (!value)
            m_ok = false;
        return value.value_or(std::move(fallback));
    }

    const QJsonObject &m_object;
    bool m_ok = true;
};

} // namespace

QJsonObject AppConfiguration::toJson() const
{
    QJsonObject object{
        {QStringLiteral("slot1Format"), CopyFormats::rawValue(slot1Format)},
        {QStringLiteral("slot2Format"), CopyFormats::rawValue(slot2Format)},
        {QStringLiteral("slot3Format"), CopyFormats::rawValue(slot3Format)},
        {QStringLiteral("slot4Format"), CopyFormats::rawValue(slot4Format)},
        {QStringLiteral("foregroundColorFormat"), CopyFormats::rawValue(foregroundColorFormat)},
        {QStringLiteral("backgroundColorFormat"), CopyFormats::rawValue(backgroundColorFormat)},
        {QStringLiteral("myPalette"), QJsonDocument::fromJson(Palettes::encode(myPalette)).array()},
        {QStringLiteral("isAlwaysOnTop"), isAlwaysOnTop},
        {QStringLiteral("autoCopyHex"), autoCopyHex},
        {QStringLiteral("showContrastChecker"), showContrastChecker},
        {QStringLiteral("autoApplyComplementary"), autoApplyComplementary},
        {QStringLiteral("windowOpacity"), windowOpacity},
        {QStringLiteral("appTheme"), AppThemes::rawValue(appTheme)},
        {QStringLiteral("hideMainWindowOnLaunch"), hideMainWindowOnLaunch},
        {QStringLiteral("launchAtLogin"), launchAtLogin},
        {QStringLiteral("trayIconStyle"), TrayIconStyles::rawValue(trayIconStyle)},
    };
    if (shortcuts) {
        QJsonObject map;
        for (auto it = shortcuts->begin(); it != shortcuts->end(); ++it)
            map.insert(it.key(), QString::fromLatin1(it.value().toBase64()));
        object.insert(QStringLiteral("shortcuts"), map);
    }
    return object;
}

std::optional<AppConfiguration> AppConfiguration::fromJson(const QJsonValue &json)
{
    if (!json.isObject())
        return std::nullopt;
    const QJsonObject object = json.toObject();
    StrictReader read(object);
    AppConfiguration config;
    config.slot1Format = read.copyFormat("slot1Format");
    config.slot2Format = read.copyFormat("slot2Format");
    config.slot3Format = read.copyFormat("slot3Format");
    config.slot4Format = read.copyFormat("slot4Format");
    config.foregroundColorFormat = read.copyFormat("foregroundColorFormat");
    config.backgroundColorFormat = read.copyFormat("backgroundColorFormat");
    config.myPalette = read.palette("myPalette");
    config.isAlwaysOnTop = read.boolean("isAlwaysOnTop");
    config.autoCopyHex = read.boolean("autoCopyHex");
    config.showContrastChecker = read.boolean("showContrastChecker");
    config.autoApplyComplementary = read.boolean("autoApplyComplementary");
    config.windowOpacity = read.number("windowOpacity");
    config.appTheme = read.theme("appTheme");
    config.hideMainWindowOnLaunch = read.boolean("hideMainWindowOnLaunch");
    config.launchAtLogin = read.boolean("launchAtLogin");
    config.trayIconStyle = read.trayIconStyle("trayIconStyle");
    config.shortcuts = read.shortcuts("shortcuts");
    if (!read.ok())
        return std::nullopt;
    return config;
}
