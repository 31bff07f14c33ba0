#include "palettes.h"

#include "platform/orderedjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

namespace Palettes {
namespace {

template <typename T, typename Decode>
std::optional<QList<T>> decodeArray(const QJsonValue &value, Decode decode)
{
    if (!value.isArray())
        return std::nullopt;
    QList<T> items;
    for (const QJsonValue &element : value.toArray()) {
        auto item = decode(element);
        if (!item)
            return std::nullopt;
        items << std::move(*item);
    }
    return items;
}

template <typename T>
QByteArray encodeArray(const QList<T> &items)
{
    QList<QByteArray> encoded;
    encoded.reserve(items.size());
    for (const T &item : items)
        encoded << encode(item);
    return OrderedJson::array(encoded);
}

} // namespace

QList<MyPaletteColor> defaultMyPalette()
{
    QList<MyPaletteColor> palette;
    for (int id = 1; id <= 5; ++id)
        palette << MyPaletteColor{id, std::nullopt};
    return palette;
}

QString uuidText(const QUuid &id) { return id.toString(QUuid::WithoutBraces).toUpper(); }

QByteArray encode(const MyPaletteColor &color)
{
    OrderedJson::Object object;
    object.add(QStringLiteral("id"), OrderedJson::integer(color.id));
    if (color.hex)
        object.add(QStringLiteral("hex"), OrderedJson::string(*color.hex));
    return object.toJson();
}

QByteArray encode(const LibraryPalette &palette)
{
    return OrderedJson::Object()
        .add(QStringLiteral("id"), OrderedJson::string(uuidText(palette.id)))
        .add(QStringLiteral("name"), OrderedJson::string(palette.name))
        .add(QStringLiteral("colors"), encode(palette.colors))
        .toJson();
}

QByteArray encode(const QList<MyPaletteColor> &colors) { return encodeArray(colors); }
QByteArray encode(const QList<LibraryPalette> &palettes) { return encodeArray(palettes); }

std::optional<MyPaletteColor> decodeColor(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue id = object.value(QStringLiteral("id"));
    if (!id.isDouble())
        return std::nullopt;
    const double number = id.toDouble();
    if (number != std::floor(number) || std::abs(number) > double(std::numeric_limits<int>::max()))
        return std::nullopt;
    MyPaletteColor color{int(number), std::nullopt};
    const QJsonValue hex = object.value(QStringLiteral("hex"));
    if (hex.isString())
        color.hex = hex.toString();
    else if (!hex.isUndefined() && !hex.isNull())
        return std::nullopt;
    return color;
}

std::optional<LibraryPalette> decodePalette(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue id = object.value(QStringLiteral("id"));
    const QJsonValue name = object.value(QStringLiteral("name"));
    if (!id.isString() || !name.isString())
        return std::nullopt;
    const QString idText = id.toString();
    const QUuid uuid = QUuid::fromString(idText);
    if (idText.size() != 36 || uuid.isNull())
        return std::nullopt;
    auto colors = decodeColors(object.value(QStringLiteral("colors")));
    if (!colors)
        return std::nullopt;
    return LibraryPalette{uuid, name.toString(), std::move(*colors)};
}

std::optional<QList<MyPaletteColor>> decodeColors(const QJsonValue &value)
{
    return decodeArray<MyPaletteColor>(value, decodeColor);
}

std::optional<QList<LibraryPalette>> decodeLibrary(const QJsonValue &value)
{
    return decodeArray<LibraryPalette>(value, decodePalette);
}

std::optional<QJsonValue> parse(const QByteArray &json)
{
    // Wrapped in an array so that any JSON value, not only objects and
    // arrays, can be read.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson('[' + json + ']', &error);
    if (error.error != QJsonParseError::NoError || document.array().size() != 1)
        return std::nullopt;
    return document.array().first();
}

QList<LibraryPalette> search(const QList<LibraryPalette> &library, const QString &text)
{
    if (text.isEmpty())
        return library;
    QList<LibraryPalette> found;
    for (const LibraryPalette &palette : library) {
        if (palette.name.contains(text, Qt::CaseInsensitive))
            found << palette;
    }
    return found;
}

} // namespace Palettes
