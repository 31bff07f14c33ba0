#pragma once

#include "appconfiguration.h"
#include "apptheme.h"
#include "color/copyformat.h"
#include "palettes.h"
#include "platform/shortcutstore.h"
#include "trayiconstyle.h"

#include <QMap>
#include <functional>
#include <QObject>

class AuthManager;
struct CloudSettings;
class PreferencesStore;

// Every user setting, loaded from the preferences at construction and written
// back the moment it changes.
class SettingsManager : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int selectedSettingsTab READ selectedSettingsTab WRITE setSelectedSettingsTab NOTIFY selectedSettingsTabChanged)
    Q_PROPERTY(CopyFormat slot1Format READ slot1Format NOTIFY slot1FormatChanged)
    Q_PROPERTY(CopyFormat slot2Format READ slot2Format NOTIFY slot2FormatChanged)
    Q_PROPERTY(CopyFormat slot3Format READ slot3Format NOTIFY slot3FormatChanged)
    Q_PROPERTY(CopyFormat slot4Format READ slot4Format NOTIFY slot4FormatChanged)
    Q_PROPERTY(bool hideMainWindowOnLaunch READ hideMainWindowOnLaunch WRITE setHideMainWindowOnLaunch NOTIFY hideMainWindowOnLaunchChanged)
    Q_PROPERTY(CopyFormat foregroundColorFormat READ foregroundColorFormat NOTIFY foregroundColorFormatChanged)
    Q_PROPERTY(CopyFormat backgroundColorFormat READ backgroundColorFormat NOTIFY backgroundColorFormatChanged)
    Q_PROPERTY(QList<MyPaletteColor> myPalette READ myPalette NOTIFY myPaletteChanged)
    Q_PROPERTY(QList<LibraryPalette> libraryPalettes READ libraryPalettes NOTIFY libraryPalettesChanged)
    Q_PROPERTY(bool isAlwaysOnTop READ isAlwaysOnTop WRITE setIsAlwaysOnTop NOTIFY isAlwaysOnTopChanged)
    Q_PROPERTY(bool autoCopyHex READ autoCopyHex WRITE setAutoCopyHex NOTIFY autoCopyHexChanged)
    Q_PROPERTY(bool showContrastChecker READ showContrastChecker NOTIFY showContrastCheckerChanged)
    Q_PROPERTY(bool autoApplyComplementary READ autoApplyComplementary NOTIFY autoApplyComplementaryChanged)
    Q_PROPERTY(bool hasSeenTutorial READ hasSeenTutorial WRITE setHasSeenTutorial NOTIFY hasSeenTutorialChanged)
    Q_PROPERTY(double windowOpacity READ windowOpacity WRITE setWindowOpacity NOTIFY windowOpacityChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(TrayIconStyle trayIconStyle READ trayIconStyle NOTIFY trayIconStyleChanged)
    Q_PROPERTY(bool isFloatingPaletteLocked READ isFloatingPaletteLocked WRITE setIsFloatingPaletteLocked NOTIFY isFloatingPaletteLockedChanged)
    Q_PROPERTY(bool isFloatingPaletteVisible READ isFloatingPaletteVisible WRITE setIsFloatingPaletteVisible NOTIFY isFloatingPaletteVisibleChanged)
    Q_PROPERTY(AppTheme appTheme READ appTheme WRITE setAppTheme NOTIFY appThemeChanged)

public:
    static inline const QString slot1FormatKey = QStringLiteral("Slot1Format");
    static inline const QString slot2FormatKey = QStringLiteral("Slot2Format");
    static inline const QString slot3FormatKey = QStringLiteral("Slot3Format");
    static inline const QString slot4FormatKey = QStringLiteral("Slot4Format");
    static inline const QString hideMainWindowOnLaunchKey = QStringLiteral("hideMainWindowOnLaunch");
    static inline const QString primaryColorFormatKey = QStringLiteral("PrimaryColorFormat");
    static inline const QString complementColorFormatKey = QStringLiteral("ComplementColorFormat");
    static inline const QString myPaletteKey = QStringLiteral("MyPaletteColors");
    static inline const QString libraryKey = QStringLiteral("PaletteLibrary");
    static inline const QString onTopKey = QStringLiteral("IsAlwaysOnTop");
    static inline const QString autoCopyKey = QStringLiteral("AutoCopyHex");
    static inline const QString contrastKey = QStringLiteral("ShowContrastChecker");
    static inline const QString autoComplementaryKey = QStringLiteral("AutoApplyComplementary");
    static inline const QString tutorialKey = QStringLiteral("HasSeenTutorial");
    static inline const QString opacityKey = QStringLiteral("WindowOpacity");
    static inline const QString trayIconStyleKey = QStringLiteral("TrayIconStyle");
    static inline const QString floatingPaletteLockKey = QStringLiteral("FloatingPaletteLocked");
    static inline const QString themeKey = QStringLiteral("AppTheme");

    explicit SettingsManager(PreferencesStore &preferences, QObject *parent = nullptr);
    // Over the standard preferences.
    SettingsManager();

    // A process-wide instance, created on first use.
    static SettingsManager &shared();

    int selectedSettingsTab() const { return m_selectedSettingsTab; }
    CopyFormat slot1Format() const { return m_slotFormats[0]; }
    CopyFormat slot2Format() const { return m_slotFormats[1]; }
    CopyFormat slot3Format() const { return m_slotFormats[2]; }
    CopyFormat slot4Format() const { return m_slotFormats[3]; }
    // The notation of copy slot 1 to 4; hex for any other number.
    CopyFormat slotFormat(int index) const;
    bool hideMainWindowOnLaunch() const { return m_hideMainWindowOnLaunch; }
    CopyFormat foregroundColorFormat() const { return m_foregroundColorFormat; }
    CopyFormat backgroundColorFormat() const { return m_backgroundColorFormat; }
    QList<MyPaletteColor> myPalette() const { return m_myPalette; }
    QList<LibraryPalette> libraryPalettes() const { return m_libraryPalettes; }
    bool isAlwaysOnTop() const { return m_isAlwaysOnTop; }
    bool autoCopyHex() const { return m_autoCopyHex; }
    bool showContrastChecker() const { return m_showContrastChecker; }
    bool autoApplyComplementary() const { return m_autoApplyComplementary; }
    bool hasSeenTutorial() const { return m_hasSeenTutorial; }
    double windowOpacity() const { return m_windowOpacity; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    TrayIconStyle trayIconStyle() const { return m_trayIconStyle; }
    bool isFloatingPaletteLocked() const { return m_isFloatingPaletteLocked; }
    bool isFloatingPaletteVisible() const { return m_isFloatingPaletteVisible; }
    AppTheme appTheme() const { return m_appTheme; }

    // Setters of the settings without a save operation: each sets the field
    // and writes it at once (the two unstored ones are only set).
    void setSelectedSettingsTab(int tab);
    void setHideMainWindowOnLaunch(bool value);
    void setIsAlwaysOnTop(bool value);
    void setAutoCopyHex(bool value);
    void setHasSeenTutorial(bool value);
    void setWindowOpacity(double value);
    // Registers or removes the login item; never stored in the preferences.
    void setLaunchAtLogin(bool value);
    void setIsFloatingPaletteLocked(bool value);
    void setIsFloatingPaletteVisible(bool value);
    // Writes the theme and sends a change notification.
    void setAppTheme(AppTheme theme);

    // Slot numbers 1 to 4; any other number does nothing.
    void saveSlotFormat(int index, CopyFormat format);
    void saveForegroundColorFormat(CopyFormat format);
    void saveBackgroundColorFormat(CopyFormat format);
    void saveMyPalette();
    // Position 0 to 4; no hex clears the slot.
    void saveMyPaletteColor(int index, const std::optional<QString> &hex);
    // Turning one on turns the other off: they are never both on afterwards.
    void saveShowContrastChecker(bool value);
    void saveAutoApplyComplementary(bool value);
    void saveAppTheme(AppTheme theme);
    void saveTrayIconStyle(TrayIconStyle style);

    void saveLibrary();
    void addToLibrary(const QString &name, const QList<MyPaletteColor> &colors);
    void loadFromLibrary(const QUuid &id);
    void deleteFromLibrary(const QUuid &id);
    void renameLibraryPalette(const QUuid &id, const QString &newName);
    void updateLibraryPaletteColor(const QUuid &paletteId, int colorIndex, const QString &newHex);
    // Replaces the whole library (a library fetched from the account) and saves it.
    void replaceLibrary(const QList<LibraryPalette> &palettes);

    AppConfiguration exportConfiguration() const;
    void importConfiguration(const AppConfiguration &config);
    QMap<QString, QByteArray> exportShortcuts() const;
    void importShortcuts(const QMap<QString, QByteArray> &shortcuts);

    ShortcutStore &shortcuts() { return m_shortcuts; }

    // How a transfer with the account ended.
    enum class CloudOutcome { succeeded, nothingStored, failed, notSignedIn };
    using CloudCallback = std::function<void(CloudOutcome)>;

    // Transfers with the signed-in account; without a session they do
    // nothing. Each returns at once; `done` is told how it ended.
    void saveLibraryToCloud(const CloudCallback &done = {});
    void loadLibraryFromCloud(const CloudCallback &done = {});
    void saveSettingsToCloud(const CloudCallback &done = {});
    void loadSettingsFromCloud(const CloudCallback &done = {});
    // The account the transfers use; the shared one unless set.
    void setAuthManager(AuthManager *auth) { m_auth = auth; }

public slots:
    // The desktop switched between light and dark: windows following the
    // desktop redraw.
    void systemAppearanceChanged();

signals:
    // Any observer should redraw.
    void changed();

    void selectedSettingsTabChanged();
    void slot1FormatChanged();
    void slot2FormatChanged();
    void slot3FormatChanged();
    void slot4FormatChanged();
    void hideMainWindowOnLaunchChanged();
    void foregroundColorFormatChanged();
    void backgroundColorFormatChanged();
    void myPaletteChanged();
    void libraryPalettesChanged();
    void isAlwaysOnTopChanged();
    void autoCopyHexChanged();
    void showContrastCheckerChanged();
    void autoApplyComplementaryChanged();
    void hasSeenTutorialChanged();
    void windowOpacityChanged();
    void launchAtLoginChanged();
    void trayIconStyleChanged();
    void isFloatingPaletteLockedChanged();
    void isFloatingPaletteVisibleChanged();
    void appThemeChanged();

private:
    void load();
    void setMyPalette(const QList<MyPaletteColor> &palette);
    void setLibraryPalettes(const QList<LibraryPalette> &palettes);
    void writeBool(const QString &key, bool value);
    AuthManager *signedInAccount(const CloudCallback &done);
    void upload(const std::optional<QList<LibraryPalette>> &palettes, const std::optional<AppConfiguration> &config,
                const QString &successLine, const QString &failurePrefix, const CloudCallback &done);
    // What a download applies, from the row's contents; empty when the row
    // holds nothing for this transfer.
    using DownloadApplier = std::function<std::function<void()>(const CloudSettings &)>;
    void download(const DownloadApplier &applier, const QString &successLine, const QString &failurePrefix,
                  const CloudCallback &done);

    PreferencesStore &m_preferences;
    ShortcutStore m_shortcuts;
    AuthManager *m_auth = nullptr;

    int m_selectedSettingsTab = 0;
    CopyFormat m_slotFormats[4] = {CopyFormat::hex, CopyFormat::rgb, CopyFormat::hsb, CopyFormat::lab};
    bool m_hideMainWindowOnLaunch = false;
    CopyFormat m_foregroundColorFormat = CopyFormat::hex;
    CopyFormat m_backgroundColorFormat = CopyFormat::hex;
    QList<MyPaletteColor> m_myPalette;
    QList<LibraryPalette> m_libraryPalettes;
    bool m_isAlwaysOnTop = false;
    bool m_autoCopyHex = false;
    bool m_showContrastChecker = true;
    bool m_autoApplyComplementary = false;
    bool m_hasSeenTutorial = false;
    double m_windowOpacity = 1.0;
    bool m_launchAtLogin = false;
    TrayIconStyle m_trayIconStyle = TrayIconStyle::hex;
    bool m_isFloatingPaletteLocked = false;
    bool m_isFloatingPaletteVisible = false;
    AppTheme m_appTheme = AppTheme::system;
};
