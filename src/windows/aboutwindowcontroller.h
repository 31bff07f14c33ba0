#pragma once

#include <QObject>
#include <QDialog>
#include <QPointer>

class AboutView;
class DesktopServices;


// Owns the About window: created on first use, centred, then brought to the
// front again each time instead of opening a second one.
class AboutWindowController : public QObject
{
    Q_OBJECT

public:
    explicit AboutWindowController(DesktopServices &desktop, QObject *parent = nullptr);
    ~AboutWindowController() override;

    void show();
    QDialog *window() const { return m_window; }
    AboutView *view() const { return m_view; }

private:
    DesktopServices &m_desktop;
    QPointer<QDialog> m_window;
    AboutView *m_view = nullptr;
};
