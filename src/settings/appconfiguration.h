#pragma once

#include "apptheme.h"
#include "color/copyformat.h"
#include "palettes.h"
#include "trayiconstyle.h"

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <optional>

// The portable part of the settings, as copied to the account.
struct AppConfiguration {
    CopyFormat slot1Format = CopyFormat::hex;
    CopyFormat slot2Format = CopyFormat::rgb;
    CopyFormat slot3Format = CopyFormat::hsb;
    CopyFormat slot4Format = CopyFormat::lab;
    CopyFormat foregroundColorFormat = CopyFormat::hex;
    CopyFormat backgroundColorFormat = CopyFormat::hex;
    QList<MyPaletteColor> myPalette;
    bool isAlwaysOnTop = false;
    bool autoCopyHex = false;
    bool showContrastChecker = true;
    bool autoApplyComplementary = false;
    double windowOpacity = 1.0;
    AppTheme appTheme = AppTheme::system;
    bool hideMainWindowOnLaunch = false;
    bool launchAtLogin = false;
    TrayIconStyle trayIconStyle = TrayIconStyle::hex;
    // Shortcut name to the JSON of its key combination; travels as base64.
    std::optional<QMap<QString, QByteArray>> shortcuts;

    friend bool operator==(const AppConfiguration &, const AppConfiguration &) = default;

    QJsonObject toJson() const;
    // Every member but "shortcuts" is required; a missing or mistyped member
    // fails the whole record.
    static std::optional<AppConfiguration> fromJson(const QJsonValue &json);
};
