#pragma once

#include "platform/globalshortcuts.h"

// On Wayland no program may take keys from the others: the desktop's own
// shortcut settings bind `tintora --action NAME`, which reaches the running
// instance through the command line. So nothing is grabbed here, and the
// handlers are never called.
class DesktopBoundShortcuts : public GlobalShortcuts
{
    Q_OBJECT

public:
    using GlobalShortcuts::GlobalShortcuts;

    void setHandler(const QString &, std::function<void()>) override {}
};
