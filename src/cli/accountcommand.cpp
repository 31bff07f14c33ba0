#include "account/authmanager.h"
#include "colorarguments.h"
#include "commands.h"
#include "console.h"
#include "eventwait.h"
#include "passwordprompt.h"
#include "settings/palettes.h"

namespace {

int usageError()
{
    Console::error(QStringLiteral("account: use 'account signup EMAIL', 'account signin EMAIL', 'account signout' or "
                                  "'account status'"));
    return ExitCode::usage;
}

// Waits until the stored session has been restored, then reports it.
std::optional<Session> restoredSession(AuthManager &auth)
{
    waitFor<bool>([&auth](const auto &done) { auth.whenRestored([done] { done(true); }); });
    return auth.session();
}

int signUp(AuthManager &auth, const QString &email, Console &console)
{
    const auto password = readPassword(QStringLiteral("Password for %1: ").arg(email));
    if (!password) {
        Console::error(QStringLiteral("account signup: no password given"));
        return ExitCode::usage;
    }
    const auto result = waitFor<Result<Done>>([&](const auto &done) { auth.signUp(email, *password, done); });
    if (!result.ok()) {
        Console::error(QStringLiteral("sign-up failed: ") + result.error().readableText());
        return ExitCode::failure;
    }
    console.printLine(QStringLiteral("Created the account %1.").arg(email));
    // Without e-mail confirmation the service signs the new account in at once.
    console.printLine(auth.client().session() ? QStringLiteral("Signed in.")
                                              : QStringLiteral("Confirm the address from the e-mail, then sign in."));
    return ExitCode::ok;
}

int signIn(AuthManager &auth, const QString &email, Console &console)
{
    const auto password = readPassword(QStringLiteral("Password for %1: ").arg(email));
    if (!password) {
        Console::error(QStringLiteral("account signin: no password given"));
        return ExitCode::usage;
    }
    const auto result = waitFor<Result<Done>>([&](const auto &done) { auth.signIn(email, *password, done); });
    if (!result.ok()) {
        Console::error(auth.errorMessage().value_or(result.error().description));
        return ExitCode::failure;
    }
    console.printLine(QStringLiteral("Signed in as %1.").arg(auth.user()->email.value_or(email)));
    return ExitCode::ok;
}

int signOut(AuthManager &auth, Console &console)
{
    restoredSession(auth);
    const auto result = waitFor<Result<Done>>([&](const auto &done) { auth.signOut(QStringLiteral("manual"), done); });
    if (!result.ok()) {
        Console::error(QStringLiteral("sign-out failed: ") + result.error().readableText());
        return ExitCode::failure;
    }
    console.printLine(QStringLiteral("Signed out."));
    return ExitCode::ok;
}

int status(AuthManager &auth, Console &console)
{
    const auto session = restoredSession(auth);
    if (!session) {
        console.printLine(QStringLiteral("Not signed in: working as a guest."));
        return ExitCode::failure;
    }
    console.printLine(QStringLiteral("Signed in as %1").arg(session->user.email.value_or(QStringLiteral("(no e-mail)"))));
    console.printLine(QStringLiteral("User id %1").arg(Palettes::uuidText(session->user.id)));
    return ExitCode::ok;
}

} // namespace

// Sign-up, sign-in, sign-out and the account's state, shared with the app.
int accountCommand(const Invocation &invocation)
{
    const QStringList &args = invocation.arguments;
    if (args.isEmpty())
        return usageError();
    const QString &action = args.first();
    const bool withEmail = action == u"signup" || action == u"signin";
    if (args.size() != (withEmail ? 2 : 1))
        return usageError();
    AuthManager &auth = AuthManager::shared();
    if (action == u"signup")
        return signUp(auth, args[1], invocation.console);
    if (action == u"signin")
        return signIn(auth, args[1], invocation.console);
    if (action == u"signout")
        return signOut(auth, invocation.console);
    if (action == u"status")
        return status(auth, invocation.console);
    return usageError();
}
