#include "menurow.h"

MenuRow::MenuRow(const QString &title, QWidget *parent) : HoverRow(parent) { setTitle(title); }
