#include "support/fakedesktop.h"
#include "windows/aboutview.h"
#include "windows/aboutwindowcontroller.h"
#include "windows/licensesection.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

// The About window: version line, links, licence list and closing.
class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void versionLine_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("build");
        QTest::addColumn<QString>("shown");

        QTest::newRow("given") << "2.3" << "45" << "Version 2.3 (45)";
        QTest::newRow("missing") << "" << "" << "Version 1.0 (1)";
    }

    void versionLine()
    {
        QFETCH(QString, version);
        QFETCH(QString, build);
        QFETCH(QString, shown);
        FakeDesktopServices desktop;
        AboutView view(version, build, {}, desktop);
        QCOMPARE(view.versionText(), shown);
        QCOMPARE(view.size(), QSize(450, 580));
    }

    void eachLinkOpensItsOwnAddress()
    {
        FakeDesktopServices desktop;
        const AppLinks links{QUrl(QStringLiteral("https://example.org/")), QUrl(QStringLiteral("https://example.org/p")),
                             QUrl(), QUrl()};
        AboutView view(QStringLiteral("1"), QStringLiteral("1"), links, desktop);
        const QList<QPushButton *> buttons = view.linkButtons();
        QCOMPARE(buttons.size(), 3);
        QStringList texts;
        for (QPushButton *button : buttons) {
            texts << button->text();
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            button->click();
        }
        QCOMPARE(texts, (QStringList{"Website", "Privacy Policy", "Terms of Service"}));
        // The unset terms address does nothing.
        QCOMPARE(desktop.openedUrls, (QList<QUrl>{links.website, links.privacyPolicy}));
    }

    void licencesStartCollapsedAndExpandOneByOne()
    {
        FakeDesktopServices desktop;
        AboutView view(QStringLiteral("1"), QStringLiteral("1"), {}, desktop);
        view.show();
        QVERIFY(!view.showingLicenses());
        QStringList names;
        for (LicenseSection *section : view.licenseSections())
            names << section->name();
        QCOMPARE(names, (QStringList{"Qt", "Little CMS", "color-name-list", "Bootstrap Icons"}));

        view.setShowingLicenses(true);
        const QList<LicenseSection *> sections = view.licenseSections();
        for (LicenseSection *section : sections)
            QVERIFY(!section->isExpanded());
        sections[1]->toggle();
        QVERIFY(sections[1]->isExpanded());
        QVERIFY(!sections[0]->isExpanded() && !sections[2]->isExpanded());
        QVERIFY(view.findChild<QScrollArea *>()->height() <= 180);
    }

    void returnClosesAndTheWindowIsReused()
    {
        FakeDesktopServices desktop;
        AboutWindowController controller(desktop);
        controller.show();
        QDialog *window = controller.window();
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("About Tintora"));
        QVERIFY(controller.view()->closeButton()->isDefault());

        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(!window->isVisible());
        controller.show();
        QCOMPARE(controller.window(), window);
        QVERIFY(window->isVisible());
        controller.view()->closeButton()->click();
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
