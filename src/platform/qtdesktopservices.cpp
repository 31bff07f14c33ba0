#include "qtdesktopservices.h"

#include "portal/portaldesktopappearance.h"

#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>

void QtDesktopServices::setClipboardText(const QString &text)
{
    // The application owns the clipboard from now on and answers every
    // program that reads it, for as long as it runs.
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

QPoint QtDesktopServices::pointerPosition() const { return QCursor::pos(); }

bool QtDesktopServices::openUrl(const QUrl &url) { return QDesktopServices::openUrl(url); }

std::unique_ptr<DesktopAppearance> QtDesktopServices::createAppearance()
{
    return std::make_unique<PortalDesktopAppearance>();
}
