#pragma once

#include "desktopservices.h"

// What every desktop does the same: clipboard, pointer and addresses through
// Qt, the preferred colour scheme through the desktop portal.
class QtDesktopServices : public DesktopServices
{
public:
    void setClipboardText(const QString &text) override;
    QPoint pointerPosition() const override;
    bool openUrl(const QUrl &url) override;
    std::unique_ptr<DesktopAppearance> createAppearance() override;
};
