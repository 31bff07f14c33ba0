#pragma once

#include <QWidget>

// A thin horizontal rule in the text colour, faint and half transparent.
class SeparatorRule : public QWidget
{
    Q_OBJECT

public:
    explicit SeparatorRule(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
