#include "loginview.h"

#include "account/authmanager.h"
#include "app/icons.h"
#include "app/textstyles.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LoginView::LoginView(AuthManager &auth, QWidget *parent)
    : QWidget(parent), m_auth(auth), m_email(new QLineEdit(this)), m_password(new QLineEdit(this)),
      m_signIn(new QPushButton(QStringLiteral("Sign In"), this)),
      m_guest(new QPushButton(QStringLiteral("Continue as Guest"), this)), m_message(new QLabel(this))
{
    auto *icon = new QLabel(this);
    icon->setPixmap(Icons::appIcon(QSize(64, 64), devicePixelRatioF()));
    icon->setAlignment(Qt::AlignCenter);
    auto *title = new QLabel(QStringLiteral("Sign in to Tintora"), this);
    title->setFont(TextStyles::font(TextStyles::Style::title));
    title->setAlignment(Qt::AlignCenter);
    auto *subtitle = new QLabel(QStringLiteral("Keep your settings and palettes in your account."), this);
    subtitle->setFont(TextStyles::font(TextStyles::Style::callout));
    subtitle->setForegroundRole(QPalette::PlaceholderText);
    subtitle->setAlignment(Qt::AlignCenter);
    subtitle->setWordWrap(true);

    m_email->setPlaceholderText(QStringLiteral("Email"));
    m_password->setPlaceholderText(QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_signIn->setDefault(true);
    m_guest->setFlat(true);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setStyleSheet(QStringLiteral("color: #FF3B30;"));
    m_message->setFont(TextStyles::font(TextStyles::Style::callout));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(12);
    column->addStretch();
    column->addWidget(icon);
    column->addWidget(title);
    column->addWidget(subtitle);
    column->addSpacing(12);
    column->addWidget(m_email);
    column->addWidget(m_password);
    column->addWidget(m_message);
    column->addWidget(m_signIn);
    column->addWidget(m_guest);
    column->addStretch(2);

    connect(m_signIn, &QPushButton::clicked, this, &LoginView::signIn);
    connect(m_password, &QLineEdit::returnPressed, this, &LoginView::signIn);
    connect(m_guest, &QPushButton::clicked, this, [this] { m_auth.enableGuestMode(); });
    connect(&m_auth, &AuthManager::errorMessageChanged, this,
            [this] { m_message->setText(m_auth.errorMessage().value_or(QString())); });
}

QString LoginView::message() const { return m_message->text(); }

void LoginView::signIn()
{
    const QString email = m_email->text().trimmed();
    if (email.isEmpty() || m_password->text().isEmpty()) {
        m_message->setText(QStringLiteral("Please enter your email and password."));
        return;
    }
    m_message->clear();
    m_signIn->setEnabled(false);
    m_auth.signIn(email, m_password->text(), [this](const auto &) {
        m_signIn->setEnabled(true);
        m_password->clear();
    });
}
