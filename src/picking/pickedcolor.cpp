#include "pickedcolor.h"

#include "colorpickerlogic.h"
#include "historymanager.h"
#include "platform/desktopservices.h"
#include "settings/settingsmanager.h"
#include "toastwindowcontroller.h"

void applyPickedColor(const PickDestination &destination, const ColorValue &color, PickerTarget target,
                      const QPoint &at)
{
    if (target == PickerTarget::background)
        destination.logic.updateBackgroundColor(color, true);
    else
        destination.logic.updateForegroundColor(color, true);

    const QString hex = color.toHex();
    destination.history.addColor(hex);
    if (destination.settings.autoCopyHex())
        destination.desktop.setClipboardText(hex.startsWith(u'#') ? hex.mid(1) : hex);

    // Read after the update: with the complementary rule the other colour
    // changed too, but the toast names the one picked.
    const QString shown = target == PickerTarget::background ? destination.logic.backgroundHex()
                                                             : destination.logic.foregroundHex();
    ToastWindowController::shared().show(shown, at);
}
