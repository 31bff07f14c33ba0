#pragma once

#include "color/colorvalue.h"

#include <QList>
#include <QObject>
#include <QPointer>

class SettingsManager;

// The foreground and background the user works with, and every text derived
// from them. Every way of choosing a colour ends in one of these operations.
class ColorPickerLogic : public QObject
{
    Q_OBJECT
    Q_PROPERTY(ColorValue foregroundColor READ foregroundColor NOTIFY foregroundColorChanged)
    Q_PROPERTY(QString foregroundHex READ foregroundHex NOTIFY foregroundHexChanged)
    Q_PROPERTY(QString foregroundRgb READ foregroundRgb NOTIFY foregroundRgbChanged)
    Q_PROPERTY(QString foregroundLab READ foregroundLab NOTIFY foregroundLabChanged)
    Q_PROPERTY(QString foregroundHsb READ foregroundHsb NOTIFY foregroundHsbChanged)
    Q_PROPERTY(QString foregroundColorName READ foregroundColorName NOTIFY foregroundColorNameChanged)
    Q_PROPERTY(ColorValue backgroundColor READ backgroundColor NOTIFY backgroundColorChanged)
    Q_PROPERTY(QString backgroundHex READ backgroundHex NOTIFY backgroundHexChanged)
    Q_PROPERTY(QString backgroundColorName READ backgroundColorName NOTIFY backgroundColorNameChanged)
    Q_PROPERTY(QList<ColorValue> toneOnToneColors READ toneOnToneColors NOTIFY toneOnToneColorsChanged)
    Q_PROPERTY(QList<ColorValue> toneAndToneColors READ toneAndToneColors NOTIFY toneAndToneColorsChanged)

public:
    explicit ColorPickerLogic(QObject *parent = nullptr);

    ColorValue foregroundColor() const { return m_foregroundColor; }
    QString foregroundHex() const { return m_foregroundHex; }
    QString foregroundRgb() const { return m_foregroundRgb; }
    QString foregroundLab() const { return m_foregroundLab; }
    QString foregroundHsb() const { return m_foregroundHsb; }
    QString foregroundColorName() const { return m_foregroundColorName; }
    ColorValue backgroundColor() const { return m_backgroundColor; }
    QString backgroundHex() const { return m_backgroundHex; }
    QString backgroundColorName() const { return m_backgroundColorName; }
    QList<ColorValue> toneOnToneColors() const { return m_toneOnToneColors; }
    QList<ColorValue> toneAndToneColors() const { return m_toneAndToneColors; }

    // Held weakly: the settings store is attached once it exists, and only its
    // automatic-complement switch is read. Without it the switch counts as off.
    SettingsManager *settings() const;
    void setSettings(SettingsManager *settings);

    void updateForegroundColor(const ColorValue &color, bool propagate);
    void updateBackgroundColor(const ColorValue &color, bool propagate);
    // Typed hex: three or six digits, one leading "#" allowed; anything else is ignored.
    void setCustomHex(const QString &text, bool isForeground);
    void swapColors();

    // "Copy all as text" and "Copy all as json".
    QString generateCopyAllText() const;
    QString generateCopyAllJson() const;

    double contrastRatio() const;

signals:
    void foregroundColorChanged();
    void foregroundHexChanged();
    void foregroundRgbChanged();
    void foregroundLabChanged();
    void foregroundHsbChanged();
    void foregroundColorNameChanged();
    void backgroundColorChanged();
    void backgroundHexChanged();
    void backgroundColorNameChanged();
    void toneOnToneColorsChanged();
    void toneAndToneColorsChanged();

private:
    bool autoApplyComplementary() const;
    void setForegroundFields(const ColorValue &color);
    void setBackgroundFields(const ColorValue &color);
    void generateToneOnTone(const ColorValue &color);
    void generateToneAndTone(const ColorValue &color);

    ColorValue m_foregroundColor = ColorValue::white();
    QString m_foregroundHex = QStringLiteral("FFFFFF");
    QString m_foregroundRgb = QStringLiteral("rgb(255, 255, 255)");
    QString m_foregroundLab = QStringLiteral("lab(100, 0, 0)");
    QString m_foregroundHsb = QStringLiteral("hsb(0, 0%, 100%)");
    QString m_foregroundColorName = QStringLiteral("White");
    ColorValue m_backgroundColor = ColorValue::black();
    QString m_backgroundHex = QStringLiteral("000000");
    QString m_backgroundColorName = QStringLiteral("Black");
    QList<ColorValue> m_toneOnToneColors;
    QList<ColorValue> m_toneAndToneColors;
    QPointer<SettingsManager> m_settings;
};
