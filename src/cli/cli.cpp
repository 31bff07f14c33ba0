#include "cli.h"

#include "color/colornamemanager.h"
#include "colorarguments.h"
#include "commands.h"
#include "console.h"
#include "platform/colormanagement.h"
#include "platform/log.h"

#include <QByteArray>
#include <cstdio>
#include <optional>

namespace Cli {
namespace {

struct Command {
    const char *name;
    int (*run)(const Invocation &);
};

constexpr Command commands[] = {
    {"info", infoCommand},         {"report", reportCommand}, {"contrast", contrastCommand},
    {"harmony", harmonyCommand},   {"name", nameCommand},     {"account", accountCommand},
    {"cloud", cloudCommand},       {"shortcuts", shortcutsCommand},
};

const char *const usage = R"(Usage: tintora [OPTIONS] COMMAND [ARGUMENTS]

Colour notations, names, contrast and harmonies on the command line.

Commands:
  info COLOR...        the seven notations and the nearest name of each colour
  report FG BG         the "Copy all" text of a foreground and background
  contrast FG BG       the WCAG contrast ratio and its verdicts
  harmony COLOR...     the complement, tone-on-tone and tone-and-tone rows
  name COLOR...        the nearest colour name

  account signup EMAIL create an account (the password is asked for, or read
                       from the first line of standard input)
  account signin EMAIL sign in
  account signout      sign out of every session
  account status       the signed-in e-mail and user id (exit 1 as a guest)
  cloud push|pull settings|library
                       copy the settings or the palette library to or from
                       the signed-in account

  shortcuts            the key combination of each global shortcut
  shortcuts set NAME COMBINATION
                       record a combination, written as Ctrl+Shift+P (Ctrl,
                       Alt, Shift, Super; letters in any case)
  shortcuts clear NAME leave the shortcut without a combination
  --action NAME        have the running Tintora do what the shortcut NAME
                       does (bind this in the desktop's own shortcut settings)

NAME is one of foregroundColor, backgroundColor, alwaysOnTop, slot1 to slot4,
myPalette1 to myPalette5. A running Tintora takes changed shortcuts at once.

The account service is set with TINTORA_BACKEND_URL and TINTORA_BACKEND_KEY.

COLOR is hex text: #1A2B3C, 1A2B3C, #ABC or #AARRGGBB. A COLOR of - reads one
colour per line from standard input; in FG BG one of the two may be -.

Options:
  --json               print JSON (one object per colour and line for info,
                       contrast and harmony)
  --names FILE         use another colour-name list (CSV: header line, then
                       name,hex per line)
  --cmyk-profile FILE  use this ICC profile for CMYK
  --verbose            also print diagnostic lines on standard error
  -h, --help           show this help and exit
  --version            show the version and exit

Exit status: 0 on success, 1 when a file given cannot be used, an account
operation fails or --action finds no running Tintora, 2 for a colour that
cannot be read or a wrong command line.
)";

bool verbose = false;

void stderrSink(Log::Kind kind, const QString &line)
{
    if (kind == Log::Kind::info && !verbose)
        return;
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands) {
        if (name == QLatin1StringView(command.name))
            return &command;
    }
    return nullptr;
}

void printRaw(const char *text) { std::fputs(text, stdout); }

} // namespace

int run(const QStringList &arguments)
{
    // Results own standard output; diagnostics go to standard error.
    Log::setSink(stderrSink);

    bool json = false;
    QString namesFile;
    QString profileFile;
    std::optional<QString> actionName;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        auto value = [&](QString *target, const QString &what = QStringLiteral("a file name")) {
            if (i + 1 >= arguments.size()) {
                Console::error(argument + QStringLiteral(" needs ") + what);
                return false;
            }
            *target = arguments[++i];
            return true;
        };
        if (argument == u"--") {
            positional += arguments.mid(i + 1);
            break;
        }
        if (argument == u"-h" || argument == u"--help") {
            printRaw(usage);
            return ExitCode::ok;
        }
        if (argument == u"--version") {
            std::printf("tintora %s (build %s)\n", TINTORA_VERSION, TINTORA_BUILD_NUMBER);
            return ExitCode::ok;
        }
        if (argument == u"--json") {
            json = true;
        } else if (argument == u"--verbose") {
            verbose = true;
        } else if (argument == u"--names") {
            if (!value(&namesFile))
                return ExitCode::usage;
        } else if (argument == u"--cmyk-profile") {
            if (!value(&profileFile))
                return ExitCode::usage;
        } else if (argument == u"--action") {
            QString name;
            if (!value(&name, QStringLiteral("a shortcut name")))
                return ExitCode::usage;
            actionName = name;
        } else if (argument.startsWith(u"--") || (argument.startsWith(u'-') && argument.size() > 1)) {
            Console::error(QStringLiteral("unknown option '%1'; see 'tintora --help'").arg(argument));
            return ExitCode::usage;
        } else {
            positional << argument;
        }
    }

    if (actionName) {
        if (!positional.isEmpty()) {
            Console::error(QStringLiteral("--action takes no command"));
            return ExitCode::usage;
        }
        return actionCommand(*actionName);
    }
    if (positional.isEmpty()) {
        printRaw(usage);
        return ExitCode::usage;
    }
    const Command *command = findCommand(positional.first());
    if (!command) {
        Console::error(QStringLiteral("unknown command '%1'; see 'tintora --help'").arg(positional.first()));
        return ExitCode::usage;
    }
    if (!profileFile.isEmpty() && !ColorManagement::setCmykProfilePath(profileFile)) {
        Console::error(QStringLiteral("'%1' is no usable CMYK ICC profile").arg(profileFile));
        return ExitCode::failure;
    }
    if (!namesFile.isEmpty()) {
        ColorNameManager::setSharedListPath(namesFile);
        if (!ColorNameManager::shared().isLoaded()) {
            Console::error(QStringLiteral("cannot read the colour-name list '%1'").arg(namesFile));
            return ExitCode::failure;
        }
    }

    Console console;
    const Invocation invocation{positional.mid(1), json, console};
    return command->run(invocation);
}

} // namespace Cli
