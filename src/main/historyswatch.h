#pragma once

#include "picking/historymanager.h"

#include <QPoint>
#include <QWidget>

// One recent pick: a round swatch that makes its colour the foreground when
// clicked and carries its hex text when dragged.
class HistorySwatch : public QWidget
{
    Q_OBJECT

public:
    explicit HistorySwatch(const ColorHistoryItem &item, QWidget *parent = nullptr);

    ColorHistoryItem item() const { return m_item; }
    void setBorder(const QColor &color, qreal width);

signals:
    void clicked(const QString &hex);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ColorHistoryItem m_item;
    QPoint m_pressPosition;
    bool m_pressed = false;
};
