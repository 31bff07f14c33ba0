#include "trayview.h"

#include "app/textstyles.h"
#include "app/themecolors.h"
#include "colorcard.h"
#include "contrastrow.h"
#include "menurow.h"
#include "paletterow.h"
#include "picking/colorpickerlogic.h"
#include "picking/shortcuttype.h"
#include "picking/slotcopytext.h"
#include "platform/desktopservices.h"
#include "separatorrule.h"
#include "settings/settingsmanager.h"
#include "swapbutton.h"
#include "traybottombar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

QLabel *sectionHeader(const QString &text, int above, int below)
{
    auto *label = new QLabel(text);
    label->setFont(TextStyles::font(TextStyles::Style::caption));
    label->setForegroundRole(QPalette::PlaceholderText);
    label->setContentsMargins(10, above, 10, below);
    return label;
}

// A row button inset by four points on each side, as the rows are laid out.
QWidget *inset(QWidget *row)
{
    auto *box = new QWidget;
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(row);
    return box;
}

} // namespace

TrayView::TrayView(SettingsManager &settings, ColorPickerLogic &logic, DesktopServices &desktop, QWidget *parent)
    : QWidget(parent), m_settings(settings), m_logic(logic), m_desktop(desktop), m_cardRow(new QWidget(this)),
      m_foregroundCard(new ColorCard(QStringLiteral("Foreground"), m_cardRow)),
      m_backgroundCard(new ColorCard(QStringLiteral("Background"), m_cardRow)), m_swap(new SwapButton(10, 5, m_cardRow)),
      m_contrastSection(new QWidget(this)), m_contrast(new ContrastRow(m_contrastSection)),
      m_paletteLayout(new QVBoxLayout), m_bottomBar(new TrayBottomBar(settings, this))
{
    setFixedWidth(panelWidth);
    setAutoFillBackground(true);

    auto *cards = new QHBoxLayout(m_cardRow);
    cards->setContentsMargins(0, 0, 0, 0);
    cards->setSpacing(0);
    cards->addWidget(m_foregroundCard);
    cards->addWidget(m_backgroundCard);

    auto *contrast = new QVBoxLayout(m_contrastSection);
    contrast->setContentsMargins(0, 8, 0, 0);
    contrast->setSpacing(2);
    contrast->addWidget(m_contrast);
    contrast->addSpacing(8);
    contrast->addWidget(new SeparatorRule);

    auto *copy = new QVBoxLayout;
    copy->setSpacing(2);
    copy->setContentsMargins(0, 0, 0, 6);
    copy->addWidget(sectionHeader(QStringLiteral("Copy Actions"), 8, 4));
    for (int slot = 1; slot <= 4; ++slot) {
        auto *row = new MenuRow(QString());
        connect(row, &MenuRow::clicked, this, [this, slot] { copySlot(slot); });
        m_copyRows << row;
    }
    auto *copyText = new MenuRow(QStringLiteral("Copy all as text"));
    connect(copyText, &MenuRow::clicked, this, [this] { m_desktop.setClipboardText(m_logic.generateCopyAllText()); });
    auto *copyJson = new MenuRow(QStringLiteral("Copy all as json"));
    connect(copyJson, &MenuRow::clicked, this, [this] { m_desktop.setClipboardText(m_logic.generateCopyAllJson()); });
    m_copyRows << copyText << copyJson;
    for (MenuRow *row : std::as_const(m_copyRows))
        copy->addWidget(inset(row));

    m_paletteLayout->setSpacing(2);
    m_paletteLayout->setContentsMargins(0, 0, 0, 6);
    m_paletteLayout->addWidget(sectionHeader(QStringLiteral("My Palette"), 4, 2));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_cardRow);
    column->addWidget(new SeparatorRule);
    column->addWidget(new SeparatorRule);
    column->addWidget(m_contrastSection);
    column->addLayout(copy);
    column->addWidget(new SeparatorRule);
    column->addLayout(m_paletteLayout);
    column->addWidget(new SeparatorRule);
    column->addWidget(new SeparatorRule);
    column->addWidget(m_bottomBar);

    connect(m_foregroundCard, &ColorCard::saved, this, [this](const QString &text) { m_logic.setCustomHex(text, true); });
    connect(m_backgroundCard, &ColorCard::saved, this, [this](const QString &text) { m_logic.setCustomHex(text, false); });
    for (ColorCard *card : {m_foregroundCard, m_backgroundCard})
        connect(card, &ColorCard::editingStarted, this, &TrayView::keyboardWanted);
    connect(m_swap, &SwapButton::clicked, this, [this] { m_logic.swapColors(); });
    connect(m_bottomBar, &TrayBottomBar::showWindowRequested, this, &TrayView::showWindowRequested);
    connect(m_bottomBar, &TrayBottomBar::quitRequested, this, &TrayView::quitRequested);
    auto *showShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(showShortcut, &QShortcut::activated, this, &TrayView::showWindowRequested);

    for (auto signal : {&ColorPickerLogic::foregroundColorChanged, &ColorPickerLogic::backgroundColorChanged,
                        &ColorPickerLogic::foregroundHexChanged, &ColorPickerLogic::backgroundHexChanged,
                        &ColorPickerLogic::foregroundColorNameChanged, &ColorPickerLogic::backgroundColorNameChanged})
        connect(&m_logic, signal, this, &TrayView::updateColors);
    for (auto signal : {&SettingsManager::slot1FormatChanged, &SettingsManager::slot2FormatChanged,
                        &SettingsManager::slot3FormatChanged, &SettingsManager::slot4FormatChanged})
        connect(&m_settings, signal, this, &TrayView::updateCopyTitles);
    connect(&m_settings, &SettingsManager::myPaletteChanged, this, &TrayView::rebuildPaletteRows);
    connect(&m_settings, &SettingsManager::showContrastCheckerChanged, this,
            [this] { m_contrastSection->setVisible(m_settings.showContrastChecker()); });
    connect(&m_settings.shortcuts(), &ShortcutStore::combinationChanged, this, &TrayView::updateShortcutHints);
    connect(&m_settings, &SettingsManager::appThemeChanged, this, &TrayView::applyTheme);
    connect(&m_settings, &SettingsManager::changed, this, &TrayView::applyTheme);

    m_contrastSection->setVisible(m_settings.showContrastChecker());
    updateColors();
    updateCopyTitles();
    rebuildPaletteRows();
    applyTheme();
}

void TrayView::updateColors()
{
    const ColorValue foreground = m_logic.foregroundColor();
    const ColorValue background = m_logic.backgroundColor();
    m_foregroundCard->setColor(foreground);
    m_foregroundCard->setHex(m_logic.foregroundHex());
    m_foregroundCard->setName(m_logic.foregroundColorName());
    m_backgroundCard->setColor(background);
    m_backgroundCard->setHex(m_logic.backgroundHex());
    m_backgroundCard->setName(m_logic.backgroundColorName());
    m_contrast->setColors(foreground, background);
    // Dark arrows when either card is light enough to carry them.
    const bool dark = foreground.isLight() || background.isLight();
    m_swap->setSymbolColor(dark ? QColor(Qt::black) : QColor(Qt::white));
}

void TrayView::updateCopyTitles()
{
    for (int slot = 1; slot <= 4; ++slot)
        m_copyRows[slot - 1]->setTitle(QStringLiteral("Copy ") + CopyFormats::rawValue(m_settings.slotFormat(slot)));
    updateShortcutHints();
}

void TrayView::updateShortcutHints()
{
    const ShortcutStore &store = m_settings.shortcuts();
    m_foregroundCard->setShortcut(store.displayText(ShortcutTypes::shortcutName(ShortcutType::foregroundColor)));
    m_backgroundCard->setShortcut(store.displayText(ShortcutTypes::shortcutName(ShortcutType::backgroundColor)));
    for (int slot = 1; slot <= 4; ++slot)
        m_copyRows[slot - 1]->setShortcut(store.displayText(QStringLiteral("slot%1").arg(slot)));
    const QStringList paletteNames = ShortcutTypes::myPalettes();
    for (int i = 0; i < m_paletteRows.size(); ++i)
        m_paletteRows[i]->setShortcut(i < paletteNames.size() ? store.displayText(paletteNames[i]) : QString());
}

void TrayView::rebuildPaletteRows()
{
    // Each row sits in its inset box; the box goes with it.
    for (PaletteRow *row : std::as_const(m_paletteRows))
        delete row->parentWidget();
    m_paletteRows.clear();
    const QColor accent = ThemeColors::of(m_settings.appTheme(), palette()).accent;
    for (const MyPaletteColor &item : m_settings.myPalette()) {
        auto *row = new PaletteRow;
        row->setItem(item);
        row->setAccentColor(accent);
        connect(row, &PaletteRow::clicked, this, [this, row] {
            if (const auto hex = row->item().hex)
                m_desktop.setClipboardText(*hex);
        });
        m_paletteRows << row;
        m_paletteLayout->addWidget(inset(row));
    }
    updateShortcutHints();
}

void TrayView::copySlot(int index)
{
    // Read at the moment of the click: the format and the foreground now.
    m_desktop.setClipboardText(slotCopyText(m_logic.foregroundColor(), m_settings.slotFormat(index)));
}

void TrayView::applyTheme()
{
    const QColor accent = ThemeColors::of(m_settings.appTheme(), palette()).accent;
    for (MenuRow *row : std::as_const(m_copyRows))
        row->setAccentColor(accent);
    for (PaletteRow *row : std::as_const(m_paletteRows))
        row->setAccentColor(accent);
}

void TrayView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyTheme();
}

void TrayView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The swap button floats over the seam between the two cards.
    m_swap->move((m_cardRow->width() - m_swap->width()) / 2, (m_cardRow->height() - m_swap->height()) / 2);
    m_swap->raise();
}
