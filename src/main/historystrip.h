#pragma once

#include <QScrollArea>

class ColorPickerLogic;
class HistoryManager;
class HistorySwatch;
class QHBoxLayout;
struct ThemeColors;

// The recent picks, newest first, in a row that scrolls sideways without bars.
class HistoryStrip : public QScrollArea
{
    Q_OBJECT

public:
    HistoryStrip(HistoryManager &history, ColorPickerLogic &logic, QWidget *parent = nullptr);

    QList<HistorySwatch *> swatches() const { return m_swatches; }
    void applyTheme(const ThemeColors &colors);

private:
    void rebuild();

    HistoryManager &m_history;
    ColorPickerLogic &m_logic;
    QHBoxLayout *m_row;
    QList<HistorySwatch *> m_swatches;
    QColor m_border;
    qreal m_borderWidth = 1;
};
