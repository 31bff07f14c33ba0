#include "settings/apptheme.h"

#include <QTest>

Q_DECLARE_METATYPE(AppTheme)

namespace {

// "#228BE6", "#495057@0.5", "accent", "secondaryLabel@0.5".
QString describe(const ThemeColor &color)
{
    static const char *const roles[] = {"", "accent", "windowBackground", "controlBackground", "label",
                                        "secondaryLabel"};
    const QString base = color.role == SystemColorRole::none ? color.value.toHex().left(7)
                                                              : QString::fromLatin1(roles[int(color.role)]);
    return color.value.alpha == 1.0 ? base : base + u'@' + QString::number(color.value.alpha);
}

const char *appearanceName(ForcedAppearance appearance)
{
    switch (appearance) {
    case ForcedAppearance::none: return "none";
    case ForcedAppearance::light: return "light";
    case ForcedAppearance::dark: return "dark";
    }
    return "";
}

} // namespace

class TestAppTheme : public QObject
{
    Q_OBJECT

private slots:
    void themes_data();
    void themes();
    void rawValuesMatchExactly();
};

void TestAppTheme::themes_data()
{
    QTest::addColumn<AppTheme>("theme");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("appearance");
    // accent, main background, section background, border, text, secondary text
    QTest::addColumn<QStringList>("colors");

    QTest::newRow("system") << AppTheme::system << "system" << "System" << "none"
                            << QStringList{"accent", "windowBackground", "controlBackground", "secondaryLabel@0.5",
                                           "label", "secondaryLabel"};
    QTest::newRow("light") << AppTheme::light << "light" << "Light" << "light"
                           << QStringList{"#228BE6", "#FFFFFF", "#F1F3F5", "#495057@0.5", "#212529", "#495057"};
    QTest::newRow("dark") << AppTheme::dark << "dark" << "Dark" << "dark"
                          << QStringList{"#339AF0", "#25262B", "#1A1B1E", "#ADB5BD@0.5", "#F8F9FA", "#ADB5BD"};
    QTest::newRow("pink") << AppTheme::pink << "pink" << "Lovely Pink" << "light"
                          << QStringList{"#FF69B4", "#FFF0F5", "#FFE0E9", "#495057@0.5", "#212529", "#495057"};
    QTest::newRow("blackPink") << AppTheme::blackPink << "blackPink" << "Black Pink" << "dark"
                               << QStringList{"#FF59C7", "#121212", "#1E1E1E", "#FF59C7@0.5", "#F8F9FA", "#FF59C7"};
    QTest::newRow("cloudCinnamon") << AppTheme::cloudCinnamon << "cloudCinnamon" << "Cinnamo" << "light"
                                   << QStringList{"#B3E5FC", "#FFFFFF", "#F0F8FF", "#B3E5FC", "#212529", "#495057"};
    QTest::newRow("matchaLatte") << AppTheme::matchaLatte << "matchaLatte" << "Matcha" << "light"
                                 << QStringList{"#2D3136", "#AAB15C", "#DFDFC8", "#2D3136@0.5", "#212529", "#2D3136"};
    QTest::newRow("midnightMoon") << AppTheme::midnightMoon << "midnightMoon" << "Midnight" << "dark"
                                  << QStringList{"#FFD700", "#1A1A2E", "#16213E", "#FFD701", "#F8F9FA", "#ADB5BD"};
    QTest::newRow("peachFuzz") << AppTheme::peachFuzz << "peachFuzz" << "Peach" << "light"
                               << QStringList{"#B2856A", "#FFBE98", "#FFD8C0", "#495057@0.5", "#212529", "#495057"};
    QTest::newRow("champagneGold") << AppTheme::champagneGold << "champagneGold" << "Sand" << "light"
                                   << QStringList{"#D4AF37", "#F5F5DC", "#ECECC6", "#495057@0.5", "#212529",
                                                  "#495057"};
}

void TestAppTheme::themes()
{
    QFETCH(AppTheme, theme);
    QFETCH(QString, raw);
    QFETCH(QString, displayName);
    QFETCH(QString, appearance);
    QFETCH(QStringList, colors);

    QCOMPARE(AppThemes::rawValue(theme), raw);
    QCOMPARE(AppThemes::fromRawValue(raw), std::optional(theme));
    QCOMPARE(AppThemes::displayName(theme), displayName);
    QCOMPARE(QString::fromLatin1(appearanceName(AppThemes::forcedAppearance(theme))), appearance);
    const QStringList actual{describe(AppThemes::accentColor(theme)),
                             describe(AppThemes::mainBackgroundColor(theme)),
                             describe(AppThemes::sectionBackgroundColor(theme)),
                             describe(AppThemes::borderColor(theme)),
                             describe(AppThemes::textColor(theme)),
                             describe(AppThemes::secondaryTextColor(theme))};
    QCOMPARE(actual, colors);
}

void TestAppTheme::rawValuesMatchExactly()
{
    QStringList offered;
    for (AppTheme theme : AppThemes::allCases)
        offered << AppThemes::rawValue(theme);
    QCOMPARE(offered, (QStringList{"system", "light", "dark", "pink", "blackPink", "cloudCinnamon", "matchaLatte",
                                   "midnightMoon", "peachFuzz", "champagneGold"}));
    for (const char *raw : {"Dark", "SYSTEM", " light", "midnightmoon", "Midnight", ""})
        QVERIFY2(!AppThemes::fromRawValue(QString::fromLatin1(raw)), raw);
}

QTEST_GUILESS_MAIN(TestAppTheme)
#include "tst_apptheme.moc"
