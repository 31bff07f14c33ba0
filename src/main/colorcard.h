#pragma once

#include "color/colorvalue.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

// One colour of the tray panel: the colour as the card's face with its title,
// the shortcut that picks it, its hex and its name. The pencil turns the hex
// into a field; the checkmark or Return hands the typed text on unchanged.
class ColorCard : public QWidget
{
    Q_OBJECT

public:
    explicit ColorCard(const QString &title, QWidget *parent = nullptr);

    void setColor(const ColorValue &color);
    // The hex as the picker state holds it; shown with one "#".
    void setHex(const QString &hex);
    void setName(const QString &name);
    // A shortcut's display text; empty hides the hint.
    void setShortcut(const QString &shortcut);

    bool isEditing() const { return m_editing; }
    QString shownHex() const;
    QString shortcutHint() const;
    QToolButton *editButton() const { return m_editButton; }
    // The pencil's action: start editing, or confirm the edit.
    void toggleEditing();

signals:
    void editingStarted();
    void saved(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyColors();
    void fitHexFont();

    ColorValue m_color;
    QString m_hex;
    bool m_editing = false;
    QLabel *m_title;
    QLabel *m_shortcut;
    QLabel *m_hexLabel;
    QLineEdit *m_hexField;
    QLabel *m_name;
    QToolButton *m_editButton;
};
