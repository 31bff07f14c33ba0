#pragma once

#include "color/colorvalue.h"

#include <QWidget>

class ComplianceBadge;
class QLabel;

// The contrast ratio of two colours with the four WCAG verdicts: normal and
// large text, each at AA and AAA.
class ContrastRow : public QWidget
{
    Q_OBJECT

public:
    explicit ContrastRow(QWidget *parent = nullptr);

    void setColors(const ColorValue &foreground, const ColorValue &background);

    QString ratioText() const;
    // "Normal AA", "Normal AAA", "Large AA", "Large AAA".
    bool passes(const QString &group, const QString &level) const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyRatioColor();

    double m_ratio = 1;
    QLabel *m_ratioLabel;
    ComplianceBadge *m_normalAA;
    ComplianceBadge *m_normalAAA;
    ComplianceBadge *m_largeAA;
    ComplianceBadge *m_largeAAA;
};
