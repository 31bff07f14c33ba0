#pragma once

#include <QWidget>

class AuthManager;
class QLabel;
class QLineEdit;
class QPushButton;

// Signing in to the optional account in place of the main window's content:
// e-mail and password, or going on as a guest.
class LoginView : public QWidget
{
    Q_OBJECT

public:
    explicit LoginView(AuthManager &auth, QWidget *parent = nullptr);

    QLineEdit *emailField() const { return m_email; }
    QLineEdit *passwordField() const { return m_password; }
    QPushButton *signInButton() const { return m_signIn; }
    QPushButton *guestButton() const { return m_guest; }
    QString message() const;

private:
    void signIn();

    AuthManager &m_auth;
    QLineEdit *m_email;
    QLineEdit *m_password;
    QPushButton *m_signIn;
    QPushButton *m_guest;
    QLabel *m_message;
};
