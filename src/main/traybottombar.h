#pragma once

#include <QWidget>

class QToolButton;
class SettingsManager;

// The tray panel's last row: Show Window, then Settings, the always-on-top pin
// and Quit.
class TrayBottomBar : public QWidget
{
    Q_OBJECT

public:
    explicit TrayBottomBar(SettingsManager &settings, QWidget *parent = nullptr);

    QToolButton *showWindowButton() const { return m_showWindow; }
    QToolButton *settingsButton() const { return m_settings; }
    QToolButton *pinButton() const { return m_pin; }
    QToolButton *quitButton() const { return m_quit; }

signals:
    void showWindowRequested();
    void quitRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyIcons();

    SettingsManager &m_store;
    QToolButton *m_showWindow;
    QToolButton *m_settings;
    QToolButton *m_pin;
    QToolButton *m_quit;
};
