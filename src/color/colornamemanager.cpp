#include "colornamemanager.h"

#include "platform/log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <cfloat>
#include <mutex>

namespace {

QString &sharedListPath()
{
    static QString path;
    return path;
}

bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    // Most characters lie between CR and NEL; one comparison settles them.
    if (u > u'\r' && u < 0x0085)
        return false;
    return u == u'\n' || u == u'\r' || u == 0x0085 || u == 0x2028 || u == 0x2029;
}

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u == u' ' || u == u'\t';
    return c.category() == QChar::Separator_Space;
}

bool isPunctuation(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80) {
        // ASCII punctuation categories: all printable non-alphanumerics but
        // the symbols $ + < = > ^ ` | ~.
        return (u > 0x20 && u < 0x7F && !QChar::isLetterOrNumber(u) && !QByteArrayView("$+<=>^`|~").contains(char(u)));
    }
    return c.isPunct();
}

template <typename Predicate>
QStringView trimmed(QStringView s, Predicate drop)
{
    qsizetype begin = 0, end = s.size();
    while (begin < end && drop(s[begin]))
        ++begin;
    while (end > begin && drop(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

// Punctuation is trimmed from the ends first, then blanks and tabs.
QString entryName(QStringView piece)
{
    const QStringView withoutPunctuation = trimmed(piece, isPunctuation);
    return trimmed(withoutPunctuation, isBlank).toString();
}

} // namespace

ColorNameManager &ColorNameManager::shared()
{
    static ColorNameManager *instance = [] {
        auto *manager = new ColorNameManager;
        manager->loadPalette(sharedListPath());
        return manager;
    }();
    return *instance;
}

void ColorNameManager::setSharedListPath(const QString &path) { sharedListPath() = path; }

QString ColorNameManager::locateShippedList()
{
    const QString appDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    QStringList candidates;
    if (!appDir.isEmpty())
        candidates << QDir(appDir).filePath(QStringLiteral("../share/tintora/colornames.csv"));
#ifdef TINTORA_DATA_DIR
    candidates << QStringLiteral(TINTORA_DATA_DIR "/colornames.csv");
#endif
#ifdef TINTORA_INSTALL_DATA_DIR
    candidates << QStringLiteral(TINTORA_INSTALL_DATA_DIR "/colornames.csv");
#endif
    for (const QString &candidate : std::as_const(candidates)) {
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

void ColorNameManager::loadPalette(const QString &path)
{
    const QString file = path.isEmpty() ? locateShippedList() : path;
    if (file.isEmpty() || !QFileInfo(file).exists()) {
        Log::failure(QStringLiteral("ColorNameManager: Failed to find colornames.csv in bundle"));
        return;
    }
    QFile csv(file);
    if (!csv.open(QIODevice::ReadOnly)) {
        Log::failure(QStringLiteral("ColorNameManager: Error loading CSV: ") + csv.errorString());
        return;
    }
    const QByteArray bytes = csv.readAll();
    if (csv.error() != QFileDevice::NoError) {
        Log::failure(QStringLiteral("ColorNameManager: Error loading CSV: ") + csv.errorString());
        return;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString content = decoder(bytes);
    if (decoder.hasError()) {
        Log::failure(QStringLiteral("ColorNameManager: Error loading CSV: the file is not valid UTF-8 text"));
        return;
    }
    m_palette = parse(content);
    m_isLoaded = true;
    buildIndex();
    Log::info(QStringLiteral("ColorNameManager: Loaded %1 colors").arg(m_palette.size()));
}

QList<ColorNameManager::ColorEntry> ColorNameManager::parse(QStringView text)
{
    QList<ColorEntry> entries;
    entries.reserve(text.size() / 16);
    const QChar *const data = text.data();
    const qsizetype size = text.size();

    // One pass: each line's first two commas are noted on the way to its end.
    bool header = true;
    qsizetype lineStart = 0;
    qsizetype firstComma = -1;
    qsizetype secondComma = -1;
    for (qsizetype i = 0; i <= size; ++i) {
        if (i < size) {
            const QChar c = data[i];
            if (c == u',') {
                if (firstComma < 0)
                    firstComma = i;
                else if (secondComma < 0)
                    secondComma = i;
                continue;
            }
            if (!isLineBreak(c))
                continue;
        }
        const qsizetype lineEnd = i;
        const qsizetype nameEnd = firstComma;
        const qsizetype hexEnd = secondComma < 0 ? lineEnd : secondComma;
        const qsizetype start = lineStart;
        lineStart = i + 1;
        firstComma = secondComma = -1;
        if (header) {
            header = false;
            continue;
        }
        if (nameEnd < 0)
            continue;
        const QStringView hexPiece(data + nameEnd + 1, hexEnd - nameEnd - 1);
        const auto color = ColorValue::fromHex(trimmed(hexPiece, isBlank));
        if (!color)
            continue;
        entries.append({entryName(QStringView(data + start, nameEnd - start)), color->red * 255, color->green * 255,
                        color->blue * 255});
    }
    return entries;
}

void ColorNameManager::buildIndex()
{
    m_byGreen.clear();
    m_byGreen.reserve(size_t(m_palette.size()));
    for (qsizetype i = 0; i < m_palette.size(); ++i) {
        const ColorEntry &e = m_palette[i];
        m_byGreen.push_back({e.g, e.r, e.b, i});
    }
    std::stable_sort(m_byGreen.begin(), m_byGreen.end(),
                     [](const IndexedEntry &a, const IndexedEntry &b) { return a.g < b.g; });
}

QString ColorNameManager::findClosestColorName(const ColorValue &color) const
{
    if (!m_isLoaded || m_byGreen.empty())
        return QStringLiteral("Unknown");
    const double R = color.red * 255, G = color.green * 255, B = color.blue * 255;

    // The result is the entry with the smallest distance, the earliest in the
    // file among equals: exactly what a front-to-back scan keeping the first
    // strictly smaller distance returns. Walking outward from the colour's
    // green, 4·dG² never exceeds the full distance (the other two terms are
    // not negative, and floating-point addition of them cannot go below it),
    // so a side can stop once 4·dG² is above the best distance.
    double best = DBL_MAX;
    qsizetype bestPosition = -1;
    auto consider = [&](const IndexedEntry &e) {
        const double rmean = (R + e.r) / 2;
        const double dR = R - e.r;
        const double dG = G - e.g;
        const double dB = B - e.b;
        const double distance =
            (2 + rmean / 256) * dR * dR + 4 * dG * dG + (2 + (255 - rmean) / 256) * dB * dB;
        if (distance < best || (distance == best && bestPosition >= 0 && e.position < bestPosition)) {
            best = distance;
            bestPosition = e.position;
        }
    };
    auto bound = [G](const IndexedEntry &e) {
        const double dG = G - e.g;
        return 4 * dG * dG;
    };

    const auto start = std::lower_bound(m_byGreen.begin(), m_byGreen.end(), G,
                                        [](const IndexedEntry &e, double g) { return e.g < g; });
    auto up = start;
    auto down = start;
    bool upOpen = up != m_byGreen.end();
    bool downOpen = down != m_byGreen.begin();
    while (upOpen || downOpen) {
        const bool takeUp = upOpen && (!downOpen || bound(*up) <= bound(*(down - 1)));
        if (takeUp) {
            if (bound(*up) > best) {
                upOpen = false;
                continue;
            }
            consider(*up);
            upOpen = ++up != m_byGreen.end();
        } else {
            if (bound(*(down - 1)) > best) {
                downOpen = false;
                continue;
            }
            consider(*--down);
            downOpen = down != m_byGreen.begin();
        }
    }
    return bestPosition >= 0 ? m_palette[bestPosition].name : QStringLiteral("Unknown");
}
