// A window of another program, for the desktop tests: it shows itself at the
// geometry given (x y width height), and reports on standard output each key
// and click it gets, one line each ("key", "click"). Its first line, "ready
// WINDOW-ID", comes once it is on screen.
#include <QApplication>
#include <QKeyEvent>
#include <QTextStream>
#include <QWidget>

namespace {

QTextStream out(stdout);

class Bystander : public QWidget
{
protected:
    void keyPressEvent(QKeyEvent *) override { out << "key" << Qt::endl; }
    void mousePressEvent(QMouseEvent *) override { out << "click" << Qt::endl; }
    void showEvent(QShowEvent *) override { out << "ready " << winId() << Qt::endl; }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 5)
        return 2;
    Bystander window;
    window.setFocusPolicy(Qt::StrongFocus);
    window.setWindowTitle(QStringLiteral("Bystander"));
    window.setGeometry(arguments[1].toInt(), arguments[2].toInt(), arguments[3].toInt(), arguments[4].toInt());
    window.show();
    return app.exec();
}
