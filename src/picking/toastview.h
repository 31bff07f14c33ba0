#pragma once

#include <QWidget>

class QLabel;

// The copy toast's content: a colour dot and "<text> loaded." on a dark pill
// with a soft shadow. The widget itself is transparent around the pill so the
// shadow has room.
class ToastView : public QWidget
{
    Q_OBJECT

public:
    explicit ToastView(const QString &hexCode, QWidget *parent = nullptr);

    QString hexCode() const { return m_hexCode; }
    QString text() const;
    // Where the pill sits inside the widget.
    QRect pillGeometry() const;

private:
    QString m_hexCode;
    QWidget *m_pill;
    QLabel *m_label;
};
