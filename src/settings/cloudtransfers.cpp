#include "settingsmanager.h"

#include "account/authmanager.h"
#include "platform/log.h"

#include <QTimer>

// The four transfers between the settings store and the signed-in account.
// Each starts only with a session, logs how it ended, and applies downloaded
// data on the main thread after logging.

namespace {

void finish(const SettingsManager::CloudCallback &done, SettingsManager::CloudOutcome outcome)
{
    if (done)
        done(outcome);
}

} // namespace

AuthManager *SettingsManager::signedInAccount(const CloudCallback &done)
{
    AuthManager *auth = m_auth ? m_auth : &AuthManager::shared();
    if (auth->session())
        return auth;
    if (done)
        QTimer::singleShot(0, this, [done] { done(CloudOutcome::notSignedIn); });
    return nullptr;
}

void SettingsManager::upload(const std::optional<QList<LibraryPalette>> &palettes,
                             const std::optional<AppConfiguration> &config, const QString &successLine,
                             const QString &failurePrefix, const CloudCallback &done)
{
    AuthManager *auth = signedInAccount(done);
    if (!auth)
        return;
    auth->saveUserSettingsToCloud(palettes, config, [=](const Result<Done> &result) {
        if (!result.ok()) {
            Log::failure(failurePrefix + result.error().description);
            return finish(done, CloudOutcome::failed);
        }
        Log::info(successLine);
        finish(done, CloudOutcome::succeeded);
    });
}

void SettingsManager::download(const DownloadApplier &applier, const QString &successLine, const QString &failurePrefix,
                               const CloudCallback &done)
{
    AuthManager *auth = signedInAccount(done);
    if (!auth)
        return;
    auth->fetchUserSettings([this, applier, successLine, failurePrefix, done](const Result<std::optional<CloudSettings>> &result) {
        if (!result.ok()) {
            Log::failure(failurePrefix + result.error().description);
            return finish(done, CloudOutcome::failed);
        }
        const std::function<void()> apply = result.value() ? applier(*result.value()) : std::function<void()>();
        if (!apply)
            return finish(done, CloudOutcome::nothingStored);
        Log::info(successLine);
        QTimer::singleShot(0, this, [apply, done] {
            apply();
            finish(done, CloudOutcome::succeeded);
        });
    });
}

void SettingsManager::saveLibraryToCloud(const CloudCallback &done)
{
    upload(m_libraryPalettes, std::nullopt, QStringLiteral("Library saved to cloud successfully"),
           QStringLiteral("Failed to save library to cloud: "), done);
}

void SettingsManager::saveSettingsToCloud(const CloudCallback &done)
{
    upload(std::nullopt, exportConfiguration(), QStringLiteral("Settings saved to cloud successfully"),
           QStringLiteral("Failed to save settings to cloud: "), done);
}

void SettingsManager::loadLibraryFromCloud(const CloudCallback &done)
{
    // A row without a library gives an empty one, which replaces the local library.
    download([this](const CloudSettings &cloud) {
                 return std::function<void()>([this, palettes = cloud.palettes] { replaceLibrary(palettes); });
             },
             QStringLiteral("Library loaded from cloud successfully"), QStringLiteral("Failed to load library from cloud: "),
             done);
}

void SettingsManager::loadSettingsFromCloud(const CloudCallback &done)
{
    download([this](const CloudSettings &cloud) {
                 if (!cloud.config)
                     return std::function<void()>();
                 return std::function<void()>([this, config = *cloud.config] { importConfiguration(config); });
             },
             QStringLiteral("Settings loaded from cloud successfully"),
             QStringLiteral("Failed to load settings from cloud: "), done);
}
