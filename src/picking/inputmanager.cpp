#include "inputmanager.h"

#include "colorpickerlogic.h"
#include "historymanager.h"
#include "pickedcolor.h"
#include "platform/desktopservices.h"
#include "platform/globalshortcuts.h"
#include "platform/log.h"
#include "platform/screensampler.h"
#include "settings/settingsmanager.h"
#include "slotcopytext.h"
#include "toastwindowcontroller.h"

#include <QPointer>

namespace {

// The order in which the handlers are registered.
constexpr ShortcutType registrationOrder[] = {
    ShortcutType::slot1,      ShortcutType::slot2,      ShortcutType::slot3,           ShortcutType::slot4,
    ShortcutType::foregroundColor, ShortcutType::backgroundColor, ShortcutType::alwaysOnTop,
    ShortcutType::myPalette1, ShortcutType::myPalette2, ShortcutType::myPalette3, ShortcutType::myPalette4,
    ShortcutType::myPalette5,
};

QString withoutLeadingHash(const QString &text) { return text.startsWith(u'#') ? text.mid(1) : text; }

} // namespace

InputManager::InputManager(ColorPickerLogic &logic, HistoryManager &history, SettingsManager &settings,
                           DesktopServices &desktop, QObject *parent)
    : QObject(parent), m_logic(logic), m_history(history), m_settings(settings), m_desktop(desktop)
{
}

InputManager::~InputManager() = default;

void InputManager::setupMonitors()
{
    if (m_shortcuts)
        return;
    m_shortcuts = m_desktop.createGlobalShortcuts(m_settings.shortcuts());
    if (!m_shortcuts)
        return;
    connect(m_shortcuts.get(), &GlobalShortcuts::registrationFailed, this,
            [](const QString &name, const QString &reason) {
                Log::failure(QStringLiteral("InputManager: Could not register the shortcut %1: %2").arg(name, reason));
            });
    const QPointer<InputManager> self(this);
    for (ShortcutType type : registrationOrder) {
        m_shortcuts->setHandler(ShortcutTypes::shortcutName(type), [self, type] {
            if (self)
                self->handleShortcut(type);
        });
    }
}

void InputManager::pickColor(PickerTarget target)
{
    if (m_currentSampler)
        return;
    m_currentSampler = m_desktop.createSampler();
    if (!m_currentSampler)
        return;
    const QPointer<InputManager> self(this);
    m_currentSampler->show([self, target](std::optional<ColorValue> color) {
        if (!self)
            return;
        // The sampler is still running this call: let it unwind first.
        if (self->m_currentSampler)
            self->m_currentSampler.release()->deleteLater();
        if (!color)
            return;
        const QPoint at = self->m_desktop.pointerPosition();
        QMetaObject::invokeMethod(
            self, [self, target, picked = *color, at] { self->finishPick(target, picked, at); }, Qt::QueuedConnection);
    });
}

void InputManager::finishPick(PickerTarget target, const ColorValue &color, const QPoint &at)
{
    applyPickedColor({m_logic, m_history, m_settings, m_desktop}, color, target, at);
}

void InputManager::handleShortcut(ShortcutType type)
{
    switch (type) {
    case ShortcutType::foregroundColor: pickColor(PickerTarget::foreground); break;
    case ShortcutType::backgroundColor: pickColor(PickerTarget::background); break;
    case ShortcutType::alwaysOnTop: m_settings.setIsAlwaysOnTop(!m_settings.isAlwaysOnTop()); break;
    case ShortcutType::slot1: copySlotValue(1); break;
    case ShortcutType::slot2: copySlotValue(2); break;
    case ShortcutType::slot3: copySlotValue(3); break;
    case ShortcutType::slot4: copySlotValue(4); break;
    case ShortcutType::myPalette1: copyPaletteColor(0); break;
    case ShortcutType::myPalette2: copyPaletteColor(1); break;
    case ShortcutType::myPalette3: copyPaletteColor(2); break;
    case ShortcutType::myPalette4: copyPaletteColor(3); break;
    case ShortcutType::myPalette5: copyPaletteColor(4); break;
    }
}

bool InputManager::handleAction(const QString &name)
{
    const auto type = ShortcutTypes::fromName(name);
    if (!type)
        return false;
    handleShortcut(*type);
    return true;
}

void InputManager::copySlotValue(int index)
{
    if (index < 1 || index > 4)
        return;
    const QString text = slotCopyText(m_logic.foregroundColor(), m_settings.slotFormat(index));
    m_desktop.setClipboardText(text);
    ToastWindowController::shared().show(text, m_desktop.pointerPosition());
}

void InputManager::copyPaletteColor(int index)
{
    const QList<MyPaletteColor> palette = m_settings.myPalette();
    if (index < 0 || index >= palette.size())
        return;
    const std::optional<QString> hex = palette[index].hex;
    if (!hex || hex->isEmpty())
        return;
    m_desktop.setClipboardText(*hex);
    ToastWindowController::shared().show(withoutLeadingHash(*hex), m_desktop.pointerPosition());
}
