#pragma once

#include <QWidget>

// The window the tray panel lives in. It opens beside the tray icon without
// taking the keyboard from the window the user works in, and closes on a
// click anywhere else, as a menu would; it takes the keyboard only when asked
// to, for typing into it.
class TrayPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TrayPanel(QWidget *parent = nullptr);

    // Lets the panel take the keyboard, and takes it.
    void activateForTyping();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void grabPointer(int attemptsLeft);
    void setAcceptsFocus(bool accepts);
};
