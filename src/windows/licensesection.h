#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

// One open-source component in the About window: name, notice and licence,
// what Tintora uses it for, and its licence text behind a chevron.
class LicenseSection : public QWidget
{
    Q_OBJECT

public:
    struct Component {
        QString name;
        QString author;
        QString year;
        QString licenseType;
        QString description;
        QString licenseText;
    };

    explicit LicenseSection(const Component &component, QWidget *parent = nullptr);

    QString name() const { return m_name; }
    bool isExpanded() const { return m_expanded; }
    void toggle();

signals:
    void toggled();

private:
    QString m_name;
    bool m_expanded = false;
    QToolButton *m_chevron;
    QLabel *m_licenseText;
};
