#include "settingsmanager.h"

#include "picking/shortcuttype.h"
#include "platform/launchatloginmanager.h"
#include "platform/log.h"
#include "platform/preferencesstore.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace {

template <typename T, typename Signal>
bool assign(SettingsManager *owner, T &field, const T &value, Signal changed)
{
    if (field == value)
        return false;
    field = value;
    emit(owner->*changed)();
    return true;
}

CopyFormat readFormat(const PreferencesStore &preferences, const QString &key, CopyFormat fallback)
{
    const auto raw = preferences.string(key);
    return raw ? CopyFormats::fromRawValue(*raw).value_or(fallback) : fallback;
}

// Keeps an undecodable stored value aside before anything can overwrite it.
void keepUnreadable(PreferencesStore &preferences, const QString &key)
{
    if (preferences.keepUnreadable(key)) {
        Log::failure(QStringLiteral("SettingsManager: Could not read %1; kept a copy under %2")
                         .arg(key, PreferencesStore::unreadableKey(key)));
    }
}

} // namespace

SettingsManager::SettingsManager(PreferencesStore &preferences, QObject *parent)
    : QObject(parent), m_preferences(preferences), m_shortcuts(preferences)
{
    Log::info(QStringLiteral("SettingsManager: Init"));
    load();
}

SettingsManager::SettingsManager() : SettingsManager(PreferencesStore::standard()) {}

SettingsManager &SettingsManager::shared()
{
    static SettingsManager *instance = new SettingsManager;
    return *instance;
}

void SettingsManager::load()
{
    PreferencesStore &p = m_preferences;
    p.registerDefaults({
        {onTopKey, false},
        {autoCopyKey, false},
        {themeKey, QStringLiteral("system")},
        {contrastKey, true},
        {autoComplementaryKey, false},
        {hideMainWindowOnLaunchKey, false},
        {trayIconStyleKey, QStringLiteral("Hex Code")},
    });

    m_slotFormats[0] = readFormat(p, slot1FormatKey, CopyFormat::hex);
    m_slotFormats[1] = readFormat(p, slot2FormatKey, CopyFormat::rgb);
    m_slotFormats[2] = readFormat(p, slot3FormatKey, CopyFormat::hsb);
    m_slotFormats[3] = readFormat(p, slot4FormatKey, CopyFormat::lab);
    m_foregroundColorFormat = readFormat(p, primaryColorFormatKey, CopyFormat::hex);
    m_backgroundColorFormat = readFormat(p, complementColorFormatKey, CopyFormat::hex);

    // A palette whose slots cannot all be read is not guessed at: positions
    // would shift. The stored copy is kept aside instead.
    m_myPalette = Palettes::defaultMyPalette();
    if (p.contains(myPaletteKey)) {
        const auto json = p.bytes(myPaletteKey);
        const auto value = json ? Palettes::parse(*json) : std::nullopt;
        const auto palette = value ? Palettes::decodeColors(*value) : std::nullopt;
        if (palette)
            m_myPalette = *palette;
        else
            keepUnreadable(p, myPaletteKey);
    }

    m_isAlwaysOnTop = p.boolean(onTopKey);
    m_autoCopyHex = p.boolean(autoCopyKey);
    m_showContrastChecker = p.boolean(contrastKey);
    m_autoApplyComplementary = p.boolean(autoComplementaryKey);
    m_hasSeenTutorial = p.boolean(tutorialKey);

    // Zero (or no value) means fully opaque; a value that is no number at
    // all would make the window vanish, so it counts as fully opaque too.
    const double opacity = p.number(opacityKey);
    m_windowOpacity = opacity == 0.0 || !std::isfinite(opacity) ? 1.0 : opacity;

    m_launchAtLogin = LaunchAtLoginManager::shared().isEnabled();
    m_hideMainWindowOnLaunch = p.boolean(hideMainWindowOnLaunchKey);
    m_trayIconStyle = p.string(trayIconStyleKey) == QStringLiteral("Icon") ? TrayIconStyle::icon : TrayIconStyle::hex;

    // Library palettes are independent of each other: the readable ones are
    // used, and the stored copy is kept aside when any could not be read.
    m_libraryPalettes.clear();
    if (p.contains(libraryKey)) {
        const auto json = p.bytes(libraryKey);
        const auto value = json ? Palettes::parse(*json) : std::nullopt;
        bool complete = value && value->isArray();
        if (complete) {
            for (const QJsonValue &element : value->toArray()) {
                if (auto palette = Palettes::decodePalette(element))
                    m_libraryPalettes << *palette;
                else
                    complete = false;
            }
        }
        if (!complete)
            keepUnreadable(p, libraryKey);
    }

    m_isFloatingPaletteLocked = p.boolean(floatingPaletteLockKey);
    const auto theme = p.string(themeKey);
    m_appTheme = theme ? AppThemes::fromRawValue(*theme).value_or(AppTheme::system) : AppTheme::system;
}

CopyFormat SettingsManager::slotFormat(int index) const
{
    return index >= 1 && index <= 4 ? m_slotFormats[index - 1] : CopyFormat::hex;
}

void SettingsManager::writeBool(const QString &key, bool value) { m_preferences.setBool(key, value); }

void SettingsManager::setSelectedSettingsTab(int tab)
{
    assign(this, m_selectedSettingsTab, tab, &SettingsManager::selectedSettingsTabChanged);
}

void SettingsManager::setHideMainWindowOnLaunch(bool value)
{
    assign(this, m_hideMainWindowOnLaunch, value, &SettingsManager::hideMainWindowOnLaunchChanged);
    writeBool(hideMainWindowOnLaunchKey, value);
}

void SettingsManager::setIsAlwaysOnTop(bool value)
{
    assign(this, m_isAlwaysOnTop, value, &SettingsManager::isAlwaysOnTopChanged);
    writeBool(onTopKey, value);
}

void SettingsManager::setAutoCopyHex(bool value)
{
    assign(this, m_autoCopyHex, value, &SettingsManager::autoCopyHexChanged);
    writeBool(autoCopyKey, value);
}

void SettingsManager::setHasSeenTutorial(bool value)
{
    assign(this, m_hasSeenTutorial, value, &SettingsManager::hasSeenTutorialChanged);
    writeBool(tutorialKey, value);
}

void SettingsManager::setWindowOpacity(double value)
{
    assign(this, m_windowOpacity, value, &SettingsManager::windowOpacityChanged);
    m_preferences.setDouble(opacityKey, value);
}

void SettingsManager::setLaunchAtLogin(bool value)
{
    assign(this, m_launchAtLogin, value, &SettingsManager::launchAtLoginChanged);
    LaunchAtLoginManager::shared().setEnabled(value);
}

void SettingsManager::setIsFloatingPaletteLocked(bool value)
{
    assign(this, m_isFloatingPaletteLocked, value, &SettingsManager::isFloatingPaletteLockedChanged);
    writeBool(floatingPaletteLockKey, value);
}

void SettingsManager::setIsFloatingPaletteVisible(bool value)
{
    assign(this, m_isFloatingPaletteVisible, value, &SettingsManager::isFloatingPaletteVisibleChanged);
}

void SettingsManager::setAppTheme(AppTheme theme)
{
    assign(this, m_appTheme, theme, &SettingsManager::appThemeChanged);
    m_preferences.setString(themeKey, AppThemes::rawValue(theme));
    emit changed();
}

void SettingsManager::saveSlotFormat(int index, CopyFormat format)
{
    static const QString *const keys[] = {&slot1FormatKey, &slot2FormatKey, &slot3FormatKey, &slot4FormatKey};
    static constexpr void (SettingsManager::*notifiers[])() = {
        &SettingsManager::slot1FormatChanged, &SettingsManager::slot2FormatChanged,
        &SettingsManager::slot3FormatChanged, &SettingsManager::slot4FormatChanged};
    if (index < 1 || index > 4)
        return;
    assign(this, m_slotFormats[index - 1], format, notifiers[index - 1]);
    m_preferences.setString(*keys[index - 1], CopyFormats::rawValue(format));
    emit changed();
}

void SettingsManager::saveForegroundColorFormat(CopyFormat format)
{
    assign(this, m_foregroundColorFormat, format, &SettingsManager::foregroundColorFormatChanged);
    m_preferences.setString(primaryColorFormatKey, CopyFormats::rawValue(format));
}

void SettingsManager::saveBackgroundColorFormat(CopyFormat format)
{
    assign(this, m_backgroundColorFormat, format, &SettingsManager::backgroundColorFormatChanged);
    m_preferences.setString(complementColorFormatKey, CopyFormats::rawValue(format));
}

void SettingsManager::setMyPalette(const QList<MyPaletteColor> &palette)
{
    assign(this, m_myPalette, palette, &SettingsManager::myPaletteChanged);
}

void SettingsManager::setLibraryPalettes(const QList<LibraryPalette> &palettes)
{
    assign(this, m_libraryPalettes, palettes, &SettingsManager::libraryPalettesChanged);
}

void SettingsManager::saveMyPalette()
{
    m_preferences.setBytes(myPaletteKey, Palettes::encode(m_myPalette));
    emit changed();
}

void SettingsManager::saveMyPaletteColor(int index, const std::optional<QString> &hex)
{
    if (index < 0 || index > 4 || index >= m_myPalette.size())
        return;
    QList<MyPaletteColor> palette = m_myPalette;
    palette[index].hex = hex;
    setMyPalette(palette);
    saveMyPalette();
}

void SettingsManager::saveShowContrastChecker(bool value)
{
    if (value && m_autoApplyComplementary) {
        assign(this, m_autoApplyComplementary, false, &SettingsManager::autoApplyComplementaryChanged);
        writeBool(autoComplementaryKey, false);
    }
    assign(this, m_showContrastChecker, value, &SettingsManager::showContrastCheckerChanged);
    writeBool(contrastKey, value);
}

void SettingsManager::saveAutoApplyComplementary(bool value)
{
    if (value && m_showContrastChecker) {
        assign(this, m_showContrastChecker, false, &SettingsManager::showContrastCheckerChanged);
        writeBool(contrastKey, false);
    }
    assign(this, m_autoApplyComplementary, value, &SettingsManager::autoApplyComplementaryChanged);
    writeBool(autoComplementaryKey, value);
}

void SettingsManager::saveAppTheme(AppTheme theme) { setAppTheme(theme); }

void SettingsManager::saveTrayIconStyle(TrayIconStyle style)
{
    assign(this, m_trayIconStyle, style, &SettingsManager::trayIconStyleChanged);
    m_preferences.setString(trayIconStyleKey, TrayIconStyles::rawValue(style));
}

void SettingsManager::saveLibrary() { m_preferences.setBytes(libraryKey, Palettes::encode(m_libraryPalettes)); }

void SettingsManager::addToLibrary(const QString &name, const QList<MyPaletteColor> &colors)
{
    QList<LibraryPalette> library = m_libraryPalettes;
    library << LibraryPalette{QUuid::createUuid(), name, colors};
    setLibraryPalettes(library);
    saveLibrary();
}

void SettingsManager::loadFromLibrary(const QUuid &id)
{
    const auto it = std::find_if(m_libraryPalettes.cbegin(), m_libraryPalettes.cend(),
                                 [&id](const LibraryPalette &p) { return p.id == id; });
    if (it == m_libraryPalettes.cend())
        return;
    setMyPalette(it->colors);
    saveMyPalette();
}

void SettingsManager::deleteFromLibrary(const QUuid &id)
{
    QList<LibraryPalette> library = m_libraryPalettes;
    library.removeIf([&id](const LibraryPalette &p) { return p.id == id; });
    setLibraryPalettes(library);
    saveLibrary();
}

void SettingsManager::renameLibraryPalette(const QUuid &id, const QString &newName)
{
    QList<LibraryPalette> library = m_libraryPalettes;
    const auto it = std::find_if(library.begin(), library.end(), [&id](const LibraryPalette &p) { return p.id == id; });
    if (it == library.end())
        return;
    it->name = newName;
    setLibraryPalettes(library);
    saveLibrary();
}

void SettingsManager::updateLibraryPaletteColor(const QUuid &paletteId, int colorIndex, const QString &newHex)
{
    QList<LibraryPalette> library = m_libraryPalettes;
    const auto it =
        std::find_if(library.begin(), library.end(), [&paletteId](const LibraryPalette &p) { return p.id == paletteId; });
    if (it == library.end() || colorIndex < 0 || colorIndex > 4 || colorIndex >= it->colors.size())
        return;
    it->colors[colorIndex].hex = newHex;
    setLibraryPalettes(library);
    saveLibrary();
}

void SettingsManager::replaceLibrary(const QList<LibraryPalette> &palettes)
{
    setLibraryPalettes(palettes);
    saveLibrary();
}

AppConfiguration SettingsManager::exportConfiguration() const
{
    AppConfiguration config;
    config.slot1Format = m_slotFormats[0];
    config.slot2Format = m_slotFormats[1];
    config.slot3Format = m_slotFormats[2];
    config.slot4Format = m_slotFormats[3];
    config.foregroundColorFormat = m_foregroundColorFormat;
    config.backgroundColorFormat = m_backgroundColorFormat;
    config.myPalette = m_myPalette;
    config.isAlwaysOnTop = m_isAlwaysOnTop;
    config.autoCopyHex = m_autoCopyHex;
    config.showContrastChecker = m_showContrastChecker;
    config.autoApplyComplementary = m_autoApplyComplementary;
    config.windowOpacity = m_windowOpacity;
    config.appTheme = m_appTheme;
    config.hideMainWindowOnLaunch = m_hideMainWindowOnLaunch;
    config.launchAtLogin = m_launchAtLogin;
    config.trayIconStyle = m_trayIconStyle;
    config.shortcuts = exportShortcuts();
    return config;
}

void SettingsManager::importConfiguration(const AppConfiguration &config)
{
    saveSlotFormat(1, config.slot1Format);
    saveSlotFormat(2, config.slot2Format);
    saveSlotFormat(3, config.slot3Format);
    saveSlotFormat(4, config.slot4Format);
    saveForegroundColorFormat(config.foregroundColorFormat);
    saveBackgroundColorFormat(config.backgroundColorFormat);
    setMyPalette(config.myPalette);
    saveMyPalette();
    setIsAlwaysOnTop(config.isAlwaysOnTop);
    setAutoCopyHex(config.autoCopyHex);
    saveShowContrastChecker(config.showContrastChecker);
    saveAutoApplyComplementary(config.autoApplyComplementary);
    setWindowOpacity(config.windowOpacity);
    saveAppTheme(config.appTheme);
    setHideMainWindowOnLaunch(config.hideMainWindowOnLaunch);
    setLaunchAtLogin(config.launchAtLogin);
    saveTrayIconStyle(config.trayIconStyle);
    if (config.shortcuts)
        importShortcuts(*config.shortcuts);
    emit changed();
}

QMap<QString, QByteArray> SettingsManager::exportShortcuts() const
{
    QMap<QString, QByteArray> map;
    for (const QString &name : ShortcutTypes::all()) {
        if (const auto keys = m_shortcuts.combination(name))
            map.insert(name, keys->toJson());
    }
    return map;
}

void SettingsManager::importShortcuts(const QMap<QString, QByteArray> &shortcuts)
{
    for (auto it = shortcuts.begin(); it != shortcuts.end(); ++it) {
        // Only Tintora's own names: a record from elsewhere cannot add keys.
        if (!ShortcutTypes::fromName(it.key()))
            continue;
        if (const auto keys = KeyCombination::fromJson(it.value()))
            m_shortcuts.setCombination(it.key(), keys);
    }
}

void SettingsManager::systemAppearanceChanged()
{
    if (m_appTheme == AppTheme::system)
        emit changed();
}
