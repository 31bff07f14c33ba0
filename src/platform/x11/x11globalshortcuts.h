#pragma once

#include "platform/globalshortcuts.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QMap>
#include <QStringList>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

class ShortcutStore;

// Global shortcuts on X11: passive key grabs on every root window, one per
// recorded combination of a name with a handler, taken again whenever the
// store or the keyboard mapping changes. Handlers run on key release.
class X11GlobalShortcuts : public GlobalShortcuts, private QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Needs the xcb platform of QGuiApplication.
    explicit X11GlobalShortcuts(ShortcutStore &store, QObject *parent = nullptr);
    ~X11GlobalShortcuts() override;

    void setHandler(const QString &name, std::function<void()> handler) override;

private:
    // A key with the modifiers that matter; the lock variants are grabbed
    // alongside.
    struct Key {
        xcb_keycode_t keycode;
        uint16_t modifiers;
        friend bool operator==(const Key &, const Key &) = default;
        friend size_t qHash(const Key &key, size_t seed = 0) { return qHashMulti(seed, key.keycode, key.modifiers); }
    };
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    bool isRoot(xcb_window_t window) const;
    void keyPressed(xcb_keycode_t keycode, uint16_t state);
    void keyReleased(xcb_keycode_t keycode);
    bool isDown(xcb_keycode_t keycode) const;

    void readModifierMasks();
    // The keys of `name`'s combination; none for an unassigned name, and none
    // with a reason for a combination this keyboard cannot press.
    QList<Key> keysOf(const QString &name, QString *reason) const;
    void regrab();
    void ungrabAll();
    QList<uint16_t> lockVariants() const;
    void reportFailure(const QString &name, const QString &reason);

    ShortcutStore &m_store;
    xcb_connection_t *m_connection;
    xcb_key_symbols_t *m_keySymbols;
    QList<xcb_window_t> m_roots;
    uint16_t m_altMask = XCB_MOD_MASK_1;
    uint16_t m_superMask = XCB_MOD_MASK_4;
    uint16_t m_numLockMask = XCB_MOD_MASK_2;

    QMap<QString, std::function<void()>> m_handlers;
    QHash<Key, QStringList> m_grabs;
    QHash<QString, QString> m_failures;
    // Names whose key is down, by keycode; they fire when it comes up.
    QHash<xcb_keycode_t, QStringList> m_pressed;
};
