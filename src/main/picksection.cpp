#include "picksection.h"

#include "app/themecolors.h"
#include "historystrip.h"
#include "pickbutton.h"
#include "picking/shortcuttype.h"
#include "settings/settingsmanager.h"

#include <QHBoxLayout>

PickSection::PickSection(SettingsManager &settings, HistoryManager &history, ColorPickerLogic &logic, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_pick(new PickButton(this)), m_strip(new HistoryStrip(history, logic, this))
{
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(16, 12, 16, 12);
    row->setSpacing(16);
    row->addWidget(m_pick);
    row->addWidget(m_strip, 1);

    connect(m_pick, &PickButton::clicked, this, &PickSection::pickRequested);
    connect(&m_settings.shortcuts(), &ShortcutStore::combinationChanged, this, &PickSection::updateShortcut);
    updateShortcut();
}

void PickSection::applyTheme()
{
    const ThemeColors colors = ThemeColors::of(m_settings.appTheme());
    QPalette p = palette();
    p.setColor(QPalette::Window, colors.sectionBackground);
    setPalette(p);
    m_pick->applyTheme(colors);
    m_strip->applyTheme(colors);
}

void PickSection::updateShortcut()
{
    m_pick->setShortcut(m_settings.shortcuts().displayText(ShortcutTypes::shortcutName(ShortcutType::foregroundColor)));
}
