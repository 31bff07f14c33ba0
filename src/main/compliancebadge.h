#pragma once

#include <QWidget>

class QLabel;

// A WCAG level with a checkmark on green when it passes, a cross on red when
// it fails.
class ComplianceBadge : public QWidget
{
    Q_OBJECT

public:
    explicit ComplianceBadge(const QString &level, QWidget *parent = nullptr);

    void setPass(bool pass);
    bool isPass() const { return m_pass; }
    QString level() const;

private:
    void apply();

    bool m_pass = false;
    QLabel *m_symbol;
    QLabel *m_level;
};
