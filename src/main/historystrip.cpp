#include "historystrip.h"

#include "app/themecolors.h"
#include "historyswatch.h"
#include "picking/colorpickerlogic.h"
#include "picking/historymanager.h"

#include <QHBoxLayout>

HistoryStrip::HistoryStrip(HistoryManager &history, ColorPickerLogic &logic, QWidget *parent)
    : QScrollArea(parent), m_history(history), m_logic(logic), m_row(new QHBoxLayout)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedHeight(36);
    viewport()->setAutoFillBackground(false);

    auto *content = new QWidget;
    content->setAutoFillBackground(false);
    content->setLayout(m_row);
    m_row->setContentsMargins(0, 4, 0, 4);
    m_row->setSpacing(10);
    m_row->addStretch();
    setWidget(content);

    connect(&m_history, &HistoryManager::historyChanged, this, &HistoryStrip::rebuild);
    rebuild();
}

void HistoryStrip::applyTheme(const ThemeColors &colors)
{
    m_border = colors.border;
    m_borderWidth = colors.borderWidth;
    for (HistorySwatch *swatch : std::as_const(m_swatches))
        swatch->setBorder(m_border, m_borderWidth);
}

void HistoryStrip::rebuild()
{
    qDeleteAll(m_swatches);
    m_swatches.clear();
    int position = 0;
    for (const ColorHistoryItem &item : m_history.history()) {
        auto *swatch = new HistorySwatch(item);
        if (m_border.isValid())
            swatch->setBorder(m_border, m_borderWidth);
        // A text that is not strictly hex draws black and ignores clicks.
        connect(swatch, &HistorySwatch::clicked, this, [this](const QString &hex) {
            if (const auto color = ColorValue::fromHex(hex))
                m_logic.updateForegroundColor(*color, true);
        });
        m_row->insertWidget(position++, swatch);
        m_swatches << swatch;
    }
}
