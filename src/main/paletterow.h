#pragma once

#include "hoverrow.h"
#include "settings/palettes.h"

class QLabel;

// A My Palette entry in the tray panel: its colour dot, "Palette <id>", its
// hex and shortcut. An entry without a colour is dimmed and disabled.
class PaletteRow : public HoverRow
{
    Q_OBJECT

public:
    explicit PaletteRow(QWidget *parent = nullptr);

    void setItem(const MyPaletteColor &item);
    MyPaletteColor item() const { return m_item; }

private:
    MyPaletteColor m_item;
    QLabel *m_dot;
    QLabel *m_hex;
};
