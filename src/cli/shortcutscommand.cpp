#include "colorarguments.h"
#include "commands.h"
#include "console.h"
#include "picking/shortcuttype.h"
#include "platform/orderedjson.h"
#include "platform/preferencesstore.h"
#include "platform/shortcutstore.h"
#include "platform/singleinstance.h"
#include "shortcutname.h"

namespace {

int usageError()
{
    Console::error(QStringLiteral("shortcuts: use 'shortcuts', 'shortcuts set NAME COMBINATION' or "
                                  "'shortcuts clear NAME'"));
    return ExitCode::usage;
}

QString line(const ShortcutStore &store, const QString &name)
{
    const QString text = store.displayText(name);
    return name.leftJustified(17) + (text.isEmpty() ? QStringLiteral("not set") : text);
}

int list(const ShortcutStore &store, const Invocation &invocation)
{
    const QStringList names = ShortcutTypes::all();
    if (invocation.json) {
        OrderedJson::Object object;
        for (const QString &name : names) {
            const QString text = store.displayText(name);
            object.add(name, text.isEmpty() ? QByteArrayLiteral("null") : OrderedJson::string(text));
        }
        invocation.console.printLine(object.toJson());
        return ExitCode::ok;
    }
    for (const QString &name : names)
        invocation.console.printLine(line(store, name));
    return ExitCode::ok;
}

int change(ShortcutStore &store, const QString &name, const std::optional<KeyCombination> &combination,
           Console &console)
{
    store.setCombination(name, combination);
    // A running instance takes the new keys at once; without one they apply
    // at the next start.
    SingleInstance::announceShortcutsChanged();
    console.printLine(line(store, name));
    return ExitCode::ok;
}

} // namespace

// Lists, records and clears the key combinations of the twelve shortcuts.
int shortcutsCommand(const Invocation &invocation)
{
    const QStringList &args = invocation.arguments;
    ShortcutStore store(PreferencesStore::standard());
    if (args.isEmpty())
        return list(store, invocation);

    const QString &action = args.first();
    if (action == u"set" && args.size() == 3) {
        if (!ShortcutName::check(args[1]))
            return ExitCode::usage;
        const auto combination = KeyCombination::fromDisplayText(args[2]);
        if (!combination || !combination->toQt()) {
            Console::error(QStringLiteral("'%1' is no key combination; write it as Ctrl+Shift+P").arg(args[2]));
            return ExitCode::usage;
        }
        if (!combination->isUsableSystemWide()) {
            Console::error(QStringLiteral("'%1' needs Ctrl, Alt or Super; only F1 to F20 may stand alone").arg(args[2]));
            return ExitCode::usage;
        }
        return change(store, args[1], combination, invocation.console);
    }
    if (action == u"clear" && args.size() == 2) {
        if (!ShortcutName::check(args[1]))
            return ExitCode::usage;
        return change(store, args[1], std::nullopt, invocation.console);
    }
    return usageError();
}
