#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

// One slot of My Palette (or of a saved palette): its identity and, unless
// empty, its hex text (normally six digits without "#").
struct MyPaletteColor {
    int id = 0;
    std::optional<QString> hex;

    friend bool operator==(const MyPaletteColor &, const MyPaletteColor &) = default;
};

// A named copy of My Palette in the library.
struct LibraryPalette {
    QUuid id;
    QString name;
    QList<MyPaletteColor> colors;

    friend bool operator==(const LibraryPalette &, const LibraryPalette &) = default;
};

namespace Palettes {

// Five empty slots with ids 1 to 5.
QList<MyPaletteColor> defaultMyPalette();

// The standard text form of a UUID: 36 characters, hex digits in capitals.
QString uuidText(const QUuid &id);

// JSON: {"id":1,"hex":"..."} ("hex" left out for an empty slot) and
// {"id":"<uuid>","name":"...","colors":[...]}.
QByteArray encode(const MyPaletteColor &color);
QByteArray encode(const LibraryPalette &palette);
QByteArray encode(const QList<MyPaletteColor> &colors);
QByteArray encode(const QList<LibraryPalette> &palettes);

// Strict decoding: every required member present with its type.
std::optional<MyPaletteColor> decodeColor(const QJsonValue &value);
std::optional<LibraryPalette> decodePalette(const QJsonValue &value);
std::optional<QList<MyPaletteColor>> decodeColors(const QJsonValue &value);
std::optional<QList<LibraryPalette>> decodeLibrary(const QJsonValue &value);

// Parses JSON text into a value; nothing when it is not JSON.
std::optional<QJsonValue> parse(const QByteArray &json);

// The library as the search field shows it: everything for an empty text,
// otherwise the palettes whose name contains the text in any letter case.
QList<LibraryPalette> search(const QList<LibraryPalette> &library, const QString &text);

} // namespace Palettes
