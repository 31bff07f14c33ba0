#pragma once

#include <QAbstractButton>

// The round button laid over a pair of colours that swaps them: the arrows on
// a translucent disc with a soft shadow and a hairline edge, dimmed while
// pressed, never focused.
class SwapButton : public QAbstractButton
{
    Q_OBJECT

public:
    // `iconSize` is the arrows' size, `padding` the disc's margin around them.
    SwapButton(int iconSize, int padding, QWidget *parent = nullptr);

    void setSymbolColor(const QColor &color);
    QColor symbolColor() const { return m_symbolColor; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_iconSize;
    int m_padding;
    QColor m_symbolColor = Qt::black;
};
