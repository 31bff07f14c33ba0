#pragma once

#include <QPushButton>

struct ThemeColors;

// The main window's "Pick" button: the eyedropper and its word on the
// section colour, lighter under the pointer; its help names the shortcut.
class PickButton : public QPushButton
{
    Q_OBJECT

public:
    explicit PickButton(QWidget *parent = nullptr);

    bool isHovering() const { return m_hovering; }
    void applyTheme(const ThemeColors &colors);
    // The display text of the foreground shortcut; empty when none is set.
    void setShortcut(const QString &displayText);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setHovering(bool hovering);
    void applyStyle();

    bool m_hovering = false;
    QColor m_section;
    QColor m_border;
    QColor m_text;
    qreal m_borderWidth = 1;
};
