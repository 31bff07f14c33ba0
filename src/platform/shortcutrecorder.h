#pragma once

#include <QWidget>

class QPushButton;
class QToolButton;
class ShortcutStore;

// Records the key combination of one shortcut name into the store: shows the
// current one ("Record Shortcut" when unassigned); a click starts recording
// and the next combination pressed is kept; Escape cancels; the clear button
// unassigns. While recording it holds the keyboard, so that a combination
// already in use is recorded rather than run.
class ShortcutRecorder : public QWidget
{
    Q_OBJECT

public:
    ShortcutRecorder(ShortcutStore &store, const QString &name, QWidget *parent = nullptr);

    bool isRecording() const { return m_recording; }
    void startRecording();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void stopRecording();
    void refresh();

    ShortcutStore &m_store;
    QString m_name;
    QPushButton *m_button;
    QToolButton *m_clear;
    bool m_recording = false;
    // The last combination pressed was one that would take typing keys away.
    bool m_refused = false;
};
