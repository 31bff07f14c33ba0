#include "x11globalshortcuts.h"

#include "platform/log.h"
#include "platform/shortcutstore.h"
#include "x11keysym.h"

#include <QGuiApplication>
#include <QPointer>
#include <algorithm>
#include <cstdlib>
#include <xcb/xcb_keysyms.h>

#define XK_MISCELLANY
#include <X11/keysymdef.h>

namespace {

bool isAnyOf(xcb_keysym_t keysym, std::initializer_list<xcb_keysym_t> list)
{
    return std::find(list.begin(), list.end(), keysym) != list.end();
}

} // namespace

X11GlobalShortcuts::X11GlobalShortcuts(ShortcutStore &store, QObject *parent)
    : GlobalShortcuts(parent),
      m_store(store),
      m_connection(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection()),
      m_keySymbols(xcb_key_symbols_alloc(m_connection))
{
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(m_connection)); it.rem; xcb_screen_next(&it))
        m_roots << it.data->root;
    readModifierMasks();
    qApp->installNativeEventFilter(this);
    connect(&m_store, &ShortcutStore::combinationChanged, this, [this](const QString &name) {
        if (m_handlers.contains(name))
            regrab();
    });
}

X11GlobalShortcuts::~X11GlobalShortcuts()
{
    qApp->removeNativeEventFilter(this);
    ungrabAll();
    xcb_flush(m_connection);
    xcb_key_symbols_free(m_keySymbols);
}

void X11GlobalShortcuts::setHandler(const QString &name, std::function<void()> handler)
{
    if (handler)
        m_handlers.insert(name, std::move(handler));
    else
        m_handlers.remove(name);
    regrab();
}

void X11GlobalShortcuts::readModifierMasks()
{
    auto *reply = xcb_get_modifier_mapping_reply(m_connection, xcb_get_modifier_mapping(m_connection), nullptr);
    if (!reply)
        return;
    const xcb_keycode_t *keycodes = xcb_get_modifier_mapping_keycodes(reply);
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t keycode = keycodes[modifier * perModifier + i];
            if (keycode == 0)
                continue;
            const xcb_keysym_t keysym = xcb_key_symbols_get_keysym(m_keySymbols, keycode, 0);
            const auto mask = uint16_t(1 << modifier);
            if (keysym == XK_Num_Lock)
                m_numLockMask = mask;
            else if (isAnyOf(keysym, {XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_Meta_R}))
                m_altMask = mask;
            else if (isAnyOf(keysym, {XK_Super_L, XK_Super_R}))
                m_superMask = mask;
        }
    }
    std::free(reply);
}

QList<uint16_t> X11GlobalShortcuts::lockVariants() const
{
    // A grab matches only exactly these modifiers, so Num Lock and Caps Lock
    // being on needs grabs of their own.
    return {0, XCB_MOD_MASK_LOCK, m_numLockMask, uint16_t(m_numLockMask | XCB_MOD_MASK_LOCK)};
}

QList<X11GlobalShortcuts::Key> X11GlobalShortcuts::keysOf(const QString &name, QString *reason) const
{
    const auto combination = m_store.combination(name);
    if (!combination)
        return {};
    const auto qt = combination->toQt();
    const xcb_keysym_t keysym = qt ? X11Keysym::fromQt(qt->first, qt->second.testFlag(Qt::KeypadModifier)) : 0;
    if (keysym == 0) {
        *reason = QStringLiteral("%1 is no key of this desktop").arg(combination->displayText());
        return {};
    }
    uint16_t modifiers = 0;
    if (qt->second.testFlag(Qt::ControlModifier))
        modifiers |= XCB_MOD_MASK_CONTROL;
    if (qt->second.testFlag(Qt::ShiftModifier))
        modifiers |= XCB_MOD_MASK_SHIFT;
    if (qt->second.testFlag(Qt::AltModifier))
        modifiers |= m_altMask;
    if (qt->second.testFlag(Qt::MetaModifier))
        modifiers |= m_superMask;

    QList<Key> keys;
    xcb_keycode_t *keycodes = xcb_key_symbols_get_keycode(m_keySymbols, keysym);
    for (const xcb_keycode_t *k = keycodes; k && *k != XCB_NO_SYMBOL; ++k)
        keys << Key{*k, modifiers};
    std::free(keycodes);
    if (keys.isEmpty())
        *reason = QStringLiteral("the keyboard has no key for %1").arg(combination->displayText());
    return keys;
}

void X11GlobalShortcuts::regrab()
{
    QHash<Key, QStringList> wanted;
    QHash<QString, QString> failures;
    for (auto it = m_handlers.cbegin(); it != m_handlers.cend(); ++it) {
        QString reason;
        for (const Key &key : keysOf(it.key(), &reason))
            wanted[key] << it.key();
        if (!reason.isEmpty())
            failures.insert(it.key(), reason);
    }

    const QList<uint16_t> variants = lockVariants();
    for (auto it = m_grabs.cbegin(); it != m_grabs.cend(); ++it) {
        if (wanted.contains(it.key()))
            continue;
        for (xcb_window_t root : std::as_const(m_roots)) {
            for (uint16_t variant : variants)
                xcb_ungrab_key(m_connection, it.key().keycode, root, it.key().modifiers | variant);
        }
    }

    // All new grabs go out first, so the answers cost one round trip.
    QHash<Key, QList<xcb_void_cookie_t>> baseGrabs;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        if (m_grabs.contains(it.key()))
            continue;
        for (xcb_window_t root : std::as_const(m_roots)) {
            for (uint16_t variant : variants) {
                const auto cookie = xcb_grab_key_checked(m_connection, false, root, it.key().modifiers | variant,
                                                         it.key().keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
                // Only the plain grab decides: a lock variant another program
                // holds costs just that variant.
                if (variant == 0)
                    baseGrabs[it.key()] << cookie;
            }
        }
    }
    QHash<Key, QStringList> grabs;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        bool taken = false;
        for (const xcb_void_cookie_t &cookie : baseGrabs.value(it.key())) {
            if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
                taken = true;
                std::free(error);
            }
        }
        if (!taken) {
            grabs.insert(it.key(), it.value());
            continue;
        }
        for (xcb_window_t root : std::as_const(m_roots)) {
            for (uint16_t variant : variants)
                xcb_ungrab_key(m_connection, it.key().keycode, root, it.key().modifiers | variant);
        }
        for (const QString &name : it.value())
            failures.insert(name, QStringLiteral("%1 is taken by another program").arg(m_store.displayText(name)));
    }
    xcb_flush(m_connection);
    m_grabs = grabs;

    const QHash<QString, QString> previous = std::exchange(m_failures, failures);
    for (auto it = m_failures.cbegin(); it != m_failures.cend(); ++it) {
        if (previous.value(it.key()) != it.value()) {
            Log::failure(QStringLiteral("X11GlobalShortcuts: %1: %2").arg(it.key(), it.value()));
            emit registrationFailed(it.key(), it.value());
        }
    }
}

void X11GlobalShortcuts::ungrabAll()
{
    for (xcb_window_t root : std::as_const(m_roots))
        xcb_ungrab_key(m_connection, XCB_GRAB_ANY, root, XCB_MOD_MASK_ANY);
    m_grabs.clear();
    m_pressed.clear();
}

bool X11GlobalShortcuts::isRoot(xcb_window_t window) const { return m_roots.contains(window); }

bool X11GlobalShortcuts::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    switch (event->response_type & ~0x80) {
    case XCB_KEY_PRESS: {
        auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
        if (!isRoot(key->event))
            return false;
        keyPressed(key->detail, key->state);
        return true;
    }
    case XCB_KEY_RELEASE: {
        auto *key = reinterpret_cast<xcb_key_release_event_t *>(event);
        if (!isRoot(key->event))
            return false;
        keyReleased(key->detail);
        return true;
    }
    case XCB_MAPPING_NOTIFY: {
        auto *mapping = reinterpret_cast<xcb_mapping_notify_event_t *>(event);
        if (mapping->request == XCB_MAPPING_POINTER)
            return false;
        // Keys may sit on other keycodes now, and modifiers on other bits.
        xcb_refresh_keyboard_mapping(m_keySymbols, mapping);
        ungrabAll();
        readModifierMasks();
        regrab();
        return false;
    }
    default:
        return false;
    }
}

void X11GlobalShortcuts::keyPressed(xcb_keycode_t keycode, uint16_t state)
{
    const uint16_t relevant = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT | m_altMask | m_superMask;
    const QStringList names = m_grabs.value(Key{keycode, uint16_t(state & relevant)});
    if (!names.isEmpty())
        m_pressed.insert(keycode, names);
}

bool X11GlobalShortcuts::isDown(xcb_keycode_t keycode) const
{
    auto *reply = xcb_query_keymap_reply(m_connection, xcb_query_keymap(m_connection), nullptr);
    const bool down = reply && (reply->keys[keycode / 8] & (1 << (keycode % 8)));
    std::free(reply);
    return down;
}

void X11GlobalShortcuts::keyReleased(xcb_keycode_t keycode)
{
    // Auto-repeat sends a release and a press at once while the key stays
    // down; the server has handled both before it answers this question, so
    // only a key that is really up counts as released.
    if (!m_pressed.contains(keycode) || isDown(keycode))
        return;
    const QStringList names = m_pressed.take(keycode);
    const QPointer<X11GlobalShortcuts> alive(this);
    for (const QString &name : names) {
        // A handler may change the handlers, or end this object.
        const auto handler = m_handlers.value(name);
        if (handler)
            handler();
        if (!alive)
            return;
    }
}
