#pragma once

#include "colorvalue.h"

#include <QList>
#include <QString>
#include <vector>

// Names colours after the nearest entry of a colour-name list (CSV: a header
// line, then "name,hex[,ignored...]" per line).
class ColorNameManager
{
public:
    struct ColorEntry {
        QString name;
        double r = 0; // 0...255, not rounded
        double g = 0;
        double b = 0;
    };

    // An unloaded manager; loadPalette() reads a list into it.
    ColorNameManager() = default;

    // The process-wide instance, loaded from the shipped list (or the file set
    // with setSharedListPath()) on first use.
    static ColorNameManager &shared();

    // Sets the file the shared instance will load; only effective before its
    // first use.
    static void setSharedListPath(const QString &path);

    // The shipped list, looked for beside the executable as installed
    // (../share/tintora) and in the build tree; empty when there is none.
    static QString locateShippedList();

    // Loads the list from `path` (the shipped list when empty). Logs the outcome.
    void loadPalette(const QString &path = QString());

    bool isLoaded() const { return m_isLoaded; }
    const QList<ColorEntry> &palette() const { return m_palette; }

    // The name of the closest entry by the squared red-mean distance; on equal
    // distances the entry earlier in the file wins. "Unknown" without a list.
    QString findClosestColorName(const ColorValue &color) const;

    // Parses list text; unusable lines are skipped.
    static QList<ColorEntry> parse(QStringView text);

private:
    void buildIndex();

    QList<ColorEntry> m_palette;
    bool m_isLoaded = false;

    // Entry positions ordered by green, with their components side by side so
    // the search can stop where the green difference alone exceeds the best
    // distance found.
    struct IndexedEntry {
        double g;
        double r;
        double b;
        qsizetype position;
    };
    std::vector<IndexedEntry> m_byGreen;
};
