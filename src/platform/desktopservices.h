#pragma once

#include <QPoint>
#include <QString>
#include <QUrl>
#include <memory>

class DesktopAppearance;
class GlobalShortcuts;
class ScreenSampler;
class ShortcutStore;

// The desktop facilities views and managers use, behind one interface so that
// tests can give fakes and views never see which desktop they run on.
class DesktopServices
{
public:
    virtual ~DesktopServices() = default;

    // Replaces the clipboard's contents with one plain text.
    virtual void setClipboardText(const QString &text) = 0;
    // The pointer in global (virtual desktop) coordinates.
    virtual QPoint pointerPosition() const = 0;
    // Opens an address in the default browser or mail program.
    virtual bool openUrl(const QUrl &url) = 0;
    // Whether the screen may be captured without asking the user.
    virtual bool canCaptureScreen() const = 0;
    // A new sampler for one pick (X11 magnifier, or the desktop portal).
    virtual std::unique_ptr<ScreenSampler> createSampler() = 0;
    // The system-wide shortcuts over this store.
    virtual std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutStore &store) = 0;
    // The desktop's preferred colour scheme, followed as it changes.
    virtual std::unique_ptr<DesktopAppearance> createAppearance() = 0;
};

// The implementation for the running session (X11, or Wayland through the
// desktop portals). Needs a QGuiApplication.
std::unique_ptr<DesktopServices> createDesktopServices();
