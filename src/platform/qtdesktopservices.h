#pragma once

#include "desktopservices.h"

// What every desktop does the same through Qt: clipboard, pointer, addresses.
class QtDesktopServices : public DesktopServices
{
public:
    void setClipboardText(const QString &text) override;
    QPoint pointerPosition() const override;
    bool openUrl(const QUrl &url) override;
};
