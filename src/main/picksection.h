#pragma once

#include <QWidget>

class ColorPickerLogic;
class HistoryManager;
class HistoryStrip;
class PickButton;
class SettingsManager;

// Under the header: the Pick button and the strip of recent picks.
class PickSection : public QWidget
{
    Q_OBJECT

public:
    PickSection(SettingsManager &settings, HistoryManager &history, ColorPickerLogic &logic, QWidget *parent = nullptr);

    PickButton *pickButton() const { return m_pick; }
    HistoryStrip *historyStrip() const { return m_strip; }
    void applyTheme();

signals:
    void pickRequested();

private:
    void updateShortcut();

    SettingsManager &m_settings;
    PickButton *m_pick;
    HistoryStrip *m_strip;
};
