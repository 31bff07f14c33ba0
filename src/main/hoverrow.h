#pragma once

#include <QAbstractButton>

class QHBoxLayout;
class QLabel;

// A full-width row button of the tray panel: its title on the left, extras on
// the right; under the pointer it turns the accent colour with white text.
class HoverRow : public QAbstractButton
{
    Q_OBJECT

public:
    explicit HoverRow(QWidget *parent = nullptr);

    void setAccentColor(const QColor &color);
    bool isHovering() const { return m_hovering; }

    QString title() const;
    void setTitle(const QString &title);
    // The shortcut's display text on the right; empty hides it.
    void setShortcut(const QString &shortcut);
    QString shortcutHint() const;

protected:
    // Lays out [leading] title, stretch, [trailing], shortcut.
    QHBoxLayout *row() const { return m_row; }
    QLabel *titleLabel() const { return m_title; }
    // Labels that turn white with the title while hovering, in their own
    // resting colour otherwise.
    void addSecondaryLabel(QLabel *label, qreal restingOpacity);

    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setHovering(bool hovering);
    void applyTextColors();

    bool m_hovering = false;
    QColor m_accent;
    QHBoxLayout *m_row;
    QLabel *m_title;
    QLabel *m_shortcut;
    QList<std::pair<QLabel *, qreal>> m_secondary;
};
