#pragma once

#include <QString>

class QWidget;

// Sets a widget's style sheet and polishes it and its children again at once.
// Qt keeps the first sheet a widget got before it was shown when it is merely
// replaced, so colours that follow the data would otherwise stay stale.
void applyStyleSheet(QWidget *widget, const QString &sheet);
