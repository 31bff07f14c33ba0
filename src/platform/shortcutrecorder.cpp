#include "shortcutrecorder.h"

#include "shortcutstore.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace {

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_unknown: return true;
    default: return false;
    }
}

} // namespace

ShortcutRecorder::ShortcutRecorder(ShortcutStore &store, const QString &name, QWidget *parent)
    : QWidget(parent), m_store(store), m_name(name), m_button(new QPushButton(this)), m_clear(new QToolButton(this))
{
    setFocusPolicy(Qt::ClickFocus);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setMinimumWidth(130);
    m_clear->setFocusPolicy(Qt::NoFocus);
    m_clear->setText(QStringLiteral("×"));
    m_clear->setToolTip(QStringLiteral("Clear Shortcut"));
    m_clear->setAutoRaise(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_button);
    layout->addWidget(m_clear);

    connect(m_button, &QPushButton::clicked, this, [this] {
        if (m_recording)
            stopRecording();
        else
            startRecording();
    });
    connect(m_clear, &QToolButton::clicked, this, [this] {
        stopRecording();
        m_store.setCombination(m_name, std::nullopt);
    });
    connect(&m_store, &ShortcutStore::combinationChanged, this, [this](const QString &changed) {
        if (changed == m_name)
            refresh();
    });
    refresh();
}

void ShortcutRecorder::startRecording()
{
    m_recording = true;
    m_refused = false;
    setFocus(Qt::OtherFocusReason);
    grabKeyboard();
    refresh();
}

void ShortcutRecorder::stopRecording()
{
    if (!m_recording)
        return;
    m_recording = false;
    releaseKeyboard();
    refresh();
}

void ShortcutRecorder::refresh()
{
    const QString current = m_store.displayText(m_name);
    if (m_recording)
        m_button->setText(m_refused ? QStringLiteral("Add Ctrl, Alt or Super") : QStringLiteral("Type Shortcut…"));
    else
        m_button->setText(current.isEmpty() ? QStringLiteral("Record Shortcut") : current);
    m_clear->setVisible(!current.isEmpty());
}

bool ShortcutRecorder::event(QEvent *event)
{
    // While recording every key is a candidate, including those the
    // application's own shortcuts would take.
    if (m_recording && event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void ShortcutRecorder::keyPressEvent(QKeyEvent *event)
{
    if (!m_recording) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (isModifierKey(key))
        return;
    if (key == Qt::Key_Escape && !(modifiers & ~Qt::KeypadModifier)) {
        stopRecording();
        return;
    }
    const auto combination = KeyCombination::fromQt(key, modifiers);
    if (!combination || !combination->isUsableSystemWide()) {
        m_refused = true;
        refresh();
        return;
    }
    stopRecording();
    m_store.setCombination(m_name, combination);
}

void ShortcutRecorder::focusOutEvent(QFocusEvent *event)
{
    stopRecording();
    QWidget::focusOutEvent(event);
}
