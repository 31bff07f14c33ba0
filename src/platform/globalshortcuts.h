#pragma once

#include <QObject>
#include <QString>
#include <functional>

// System-wide key combinations, one per shortcut name, as recorded in the
// ShortcutStore. A handler runs on the main thread each time the keys of its
// name are released, wherever the keyboard focus is. Implementations follow
// every change of the store at once.
class GlobalShortcuts : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Replaces the handler of `name`; an empty handler removes it.
    virtual void setHandler(const QString &name, std::function<void()> handler) = 0;

signals:
    // A combination could not be taken (another program holds it).
    void registrationFailed(const QString &name, const QString &reason);
};
