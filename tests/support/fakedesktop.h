#pragma once

#include "platform/desktopappearance.h"
#include "platform/desktopservices.h"
#include "platform/globalshortcuts.h"
#include "platform/screensampler.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QStringList>

// A sampler the test completes by hand, as the user would click or cancel.
class FakeSampler : public ScreenSampler
{
    Q_OBJECT

public:
    using ScreenSampler::ScreenSampler;

    void show(std::function<void(std::optional<ColorValue>)> done) override { m_done = std::move(done); }

    bool isShown() const { return bool(m_done); }
    void complete(const std::optional<ColorValue> &color)
    {
        auto done = std::exchange(m_done, {});
        if (done)
            done(color);
    }

private:
    std::function<void(std::optional<ColorValue>)> m_done;
};

// Shortcut handlers the test fires by name, as a key release would.
class FakeGlobalShortcuts : public GlobalShortcuts
{
    Q_OBJECT

public:
    using GlobalShortcuts::GlobalShortcuts;

    void setHandler(const QString &name, std::function<void()> handler) override
    {
        if (handler)
            m_handlers.insert(name, std::move(handler));
        else
            m_handlers.remove(name);
        m_order << name;
    }

    bool trigger(const QString &name)
    {
        const auto handler = m_handlers.value(name);
        if (!handler)
            return false;
        handler();
        return true;
    }

    // Every name given to setHandler, in call order.
    QStringList registrationOrder() const { return m_order; }

private:
    QMap<QString, std::function<void()>> m_handlers;
    QStringList m_order;
};

// A desktop colour scheme the test switches, as the user would.
class FakeDesktopAppearance : public DesktopAppearance
{
    Q_OBJECT

public:
    explicit FakeDesktopAppearance(PreferredColorScheme scheme = PreferredColorScheme::noPreference)
        : m_scheme(scheme)
    {
    }

    PreferredColorScheme colorScheme() const override { return m_scheme; }
    void setColorScheme(PreferredColorScheme scheme)
    {
        m_scheme = scheme;
        emit colorSchemeChanged();
    }

private:
    PreferredColorScheme m_scheme;
};

// Records what the views and managers ask of the desktop.
class FakeDesktopServices : public DesktopServices
{
public:
    void setClipboardText(const QString &text) override { clipboard << text; }
    QPoint pointerPosition() const override { return pointer; }
    bool openUrl(const QUrl &url) override
    {
        openedUrls << url;
        return true;
    }
    bool canCaptureScreen() const override { return captureAllowed; }
    std::unique_ptr<ScreenSampler> createSampler() override
    {
        auto sampler = std::make_unique<FakeSampler>();
        samplers << sampler.get();
        return sampler;
    }
    std::unique_ptr<GlobalShortcuts> createGlobalShortcuts(ShortcutStore &) override
    {
        auto created = std::make_unique<FakeGlobalShortcuts>();
        shortcuts = created.get();
        ++shortcutObjectsCreated;
        return created;
    }
    std::unique_ptr<DesktopAppearance> createAppearance() override { return std::make_unique<FakeDesktopAppearance>(); }

    // The most recent sampler that is still open, or nothing.
    FakeSampler *openSampler() const
    {
        for (auto it = samplers.crbegin(); it != samplers.crend(); ++it) {
            if (*it && (*it)->isShown())
                return *it;
        }
        return nullptr;
    }
    int openSamplerCount() const
    {
        int count = 0;
        for (const auto &sampler : samplers)
            count += sampler && sampler->isShown();
        return count;
    }
    QString lastClipboardText() const { return clipboard.isEmpty() ? QString() : clipboard.last(); }

    QStringList clipboard;
    QPoint pointer{100, 100};
    QList<QUrl> openedUrls;
    bool captureAllowed = true;
    QList<QPointer<FakeSampler>> samplers;
    QPointer<FakeGlobalShortcuts> shortcuts;
    int shortcutObjectsCreated = 0;
};
