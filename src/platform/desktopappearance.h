#pragma once

#include <QObject>

// The colour scheme the desktop asks programs to draw in.
enum class PreferredColorScheme { noPreference, dark, light };

// The desktop's preferred colour scheme, which the user may switch at any
// time; the change signal says so on the main thread.
class DesktopAppearance : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual PreferredColorScheme colorScheme() const = 0;

signals:
    void colorSchemeChanged();
};
