#pragma once

#include "account/authmanager.h"
#include "fakedesktop.h"
#include "main/mainwindow.h"
#include "picking/colorpickerlogic.h"
#include "picking/historymanager.h"
#include "settings/settingsmanager.h"
#include "temppreferences.h"

// A main window over fresh preferences and fake desktop services, with the
// shared state objects it reads.
struct MainWindowFixture {
    TempPreferences preferences;
    SettingsManager settings{preferences.store()};
    HistoryManager history{preferences.store()};
    ColorPickerLogic logic;
    AuthManager auth{BackendConfig{}, preferences.store()};
    FakeDesktopServices desktop;
    MainWindow window{settings, history, logic, auth, desktop};

    MainWindowFixture() { logic.setSettings(&settings); }
};
