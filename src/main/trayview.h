#pragma once

#include <QWidget>

class ColorCard;
class ColorPickerLogic;
class ContrastRow;
class DesktopServices;
class MenuRow;
class PaletteRow;
class QVBoxLayout;
class SettingsManager;
class SwapButton;
class TrayBottomBar;

// The panel under the tray icon: both colours as cards (hex editable, swap),
// their contrast, the copy rows, My Palette and the bottom bar. It reads the
// shared state and changes it only through its operations.
class TrayView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int panelWidth = 250;

    TrayView(SettingsManager &settings, ColorPickerLogic &logic, DesktopServices &desktop, QWidget *parent = nullptr);

    ColorCard *foregroundCard() const { return m_foregroundCard; }
    ColorCard *backgroundCard() const { return m_backgroundCard; }
    SwapButton *swapButton() const { return m_swap; }
    QWidget *contrastSection() const { return m_contrastSection; }
    ContrastRow *contrastRow() const { return m_contrast; }
    QList<MenuRow *> copyRows() const { return m_copyRows; }
    QList<PaletteRow *> paletteRows() const { return m_paletteRows; }
    TrayBottomBar *bottomBar() const { return m_bottomBar; }

signals:
    void showWindowRequested();
    void quitRequested();
    // A hex field opened for typing: the panel has to take the keyboard.
    void keyboardWanted();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateColors();
    void updateCopyTitles();
    void updateShortcutHints();
    void rebuildPaletteRows();
    void applyTheme();
    void copySlot(int index);

    SettingsManager &m_settings;
    ColorPickerLogic &m_logic;
    DesktopServices &m_desktop;
    QWidget *m_cardRow;
    ColorCard *m_foregroundCard;
    ColorCard *m_backgroundCard;
    SwapButton *m_swap;
    QWidget *m_contrastSection;
    ContrastRow *m_contrast;
    QList<MenuRow *> m_copyRows;
    QVBoxLayout *m_paletteLayout;
    QList<PaletteRow *> m_paletteRows;
    TrayBottomBar *m_bottomBar;
};
