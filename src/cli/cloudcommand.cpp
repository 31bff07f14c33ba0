#include "account/authmanager.h"
#include "colorarguments.h"
#include "commands.h"
#include "console.h"
#include "eventwait.h"
#include "settings/settingsmanager.h"

// Copies the settings or the library to or from the signed-in account, as
// the app's buttons do.
int cloudCommand(const Invocation &invocation)
{
    const QStringList &args = invocation.arguments;
    const bool push = !args.isEmpty() && args[0] == u"push";
    const bool pull = !args.isEmpty() && args[0] == u"pull";
    const bool library = args.size() == 2 && args[1] == u"library";
    const bool settingsRecord = args.size() == 2 && args[1] == u"settings";
    if (!(push || pull) || !(library || settingsRecord)) {
        Console::error(QStringLiteral("cloud: use 'cloud push settings', 'cloud push library', 'cloud pull settings' or "
                                      "'cloud pull library'"));
        return ExitCode::usage;
    }

    AuthManager &auth = AuthManager::shared();
    waitFor<bool>([&auth](const auto &done) { auth.whenRestored([done] { done(true); }); });
    SettingsManager settings;
    settings.setAuthManager(&auth);
    using Operation = void (SettingsManager::*)(const SettingsManager::CloudCallback &);
    const Operation operation = push ? (library ? &SettingsManager::saveLibraryToCloud : &SettingsManager::saveSettingsToCloud)
                                     : (library ? &SettingsManager::loadLibraryFromCloud : &SettingsManager::loadSettingsFromCloud);
    const auto outcome = waitFor<SettingsManager::CloudOutcome>([&](const auto &done) { (settings.*operation)(done); });

    const QString what = library ? QStringLiteral("library") : QStringLiteral("settings");
    switch (outcome) {
    case SettingsManager::CloudOutcome::succeeded:
        invocation.console.printLine(push ? QStringLiteral("Uploaded the %1.").arg(what)
                                          : QStringLiteral("Downloaded the %1.").arg(what));
        return ExitCode::ok;
    case SettingsManager::CloudOutcome::nothingStored:
        Console::error(QStringLiteral("the account holds no %1 yet").arg(what));
        return ExitCode::failure;
    case SettingsManager::CloudOutcome::notSignedIn:
        Console::error(QStringLiteral("not signed in; run 'tintora account signin EMAIL' first"));
        return ExitCode::failure;
    case SettingsManager::CloudOutcome::failed:
        // The reason is already on standard error.
        return ExitCode::failure;
    }
    return ExitCode::failure;
}
