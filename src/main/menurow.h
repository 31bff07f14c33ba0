#pragma once

#include "hoverrow.h"

// A copy row of the tray panel: "Copy HEX" and the like, with the shortcut
// that does the same.
class MenuRow : public HoverRow
{
    Q_OBJECT

public:
    explicit MenuRow(const QString &title, QWidget *parent = nullptr);
};
