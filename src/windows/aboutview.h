#pragma once

#include "app/applinks.h"

#include <QWidget>

class DesktopServices;
class LicenseSection;
class QPushButton;
class QScrollArea;
class QToolButton;

// The About window's content: icon, name, version and build, what Tintora is,
// the legal links, the open-source components with their licences, and Close.
class AboutView : public QWidget
{
    Q_OBJECT

public:
    // Empty version or build texts show as "1.0" and "1".
    AboutView(const QString &version, const QString &build, const AppLinks &links, DesktopServices &desktop,
              QWidget *parent = nullptr);

    QString versionText() const;
    bool showingLicenses() const;
    void setShowingLicenses(bool showing);
    QList<LicenseSection *> licenseSections() const { return m_sections; }
    QList<QPushButton *> linkButtons() const { return m_links; }
    QPushButton *closeButton() const { return m_close; }

signals:
    void closeRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Wrapped texts need their height for the list's width, which the
    // scroll area does not ask for by itself.
    void fitLicenseList();

    QString m_versionText;
    QToolButton *m_licensesToggle;
    QScrollArea *m_licenses;
    QList<LicenseSection *> m_sections;
    QList<QPushButton *> m_links;
    QPushButton *m_close;
};
