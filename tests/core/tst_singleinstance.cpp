#include "platform/singleinstance.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <functional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

Q_DECLARE_METATYPE(SingleInstance::Answer)

namespace {

// Requests block until answered, and the instance answers from this thread's
// event loop: so they are sent from another thread.
SingleInstance::Answer sendWhileServing(const std::function<SingleInstance::Answer()> &request)
{
    SingleInstance::Answer answer = SingleInstance::Answer::none;
    QThread *thread = QThread::create([&] { answer = request(); });
    thread->start();
    const bool finished = QTest::qWaitFor([&] { return thread->isFinished(); }, 10000);
    if (!finished)
        thread->wait();
    delete thread;
    return answer;
}

// A socket file nobody listens on, as a killed instance leaves it.
bool makeStaleSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    qstrncpy(address.sun_path, bytes.constData(), sizeof address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_name = m_dir.filePath(QStringLiteral("tintora%1.socket").arg(++m_count)); }

    void requests_data();
    void requests();
    void nobodyListening();
    void secondInstanceDoesNotListen();
    void replacesStaleSocket();
    void garbageIsRefused();
    void defaultNameFollowsRuntimeFolder();

private:
    QTemporaryDir m_dir;
    QString m_name;
    int m_count = 0;
};

void TestSingleInstance::requests_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<SingleInstance::Answer>("answer");
    QTest::newRow("reopen") << "reopen" << QString() << SingleInstance::Answer::accepted;
    QTest::newRow("shortcuts changed") << "shortcuts" << QString() << SingleInstance::Answer::accepted;
    QTest::newRow("action") << "action" << "myPalette5" << SingleInstance::Answer::accepted;
    QTest::newRow("unknown action") << "action" << "paint" << SingleInstance::Answer::refused;
    QTest::newRow("name in other case") << "action" << "ForegroundColor" << SingleInstance::Answer::refused;
    QTest::newRow("two lines") << "action" << "slot1\nreopen" << SingleInstance::Answer::refused;
}

void TestSingleInstance::requests()
{
    QFETCH(QString, kind);
    QFETCH(QString, argument);
    QFETCH(SingleInstance::Answer, answer);

    SingleInstance instance(m_name);
    QVERIFY(instance.listen());
    QSignalSpy reopen(&instance, &SingleInstance::reopenRequested);
    QSignalSpy action(&instance, &SingleInstance::actionRequested);
    QSignalSpy shortcuts(&instance, &SingleInstance::shortcutsChanged);

    const QString name = m_name;
    const auto got = sendWhileServing([&] {
        if (kind == u"reopen")
            return SingleInstance::requestReopen(name);
        if (kind == u"shortcuts")
            return SingleInstance::announceShortcutsChanged(name);
        return SingleInstance::requestAction(argument, name);
    });
    QCOMPARE(got, answer);
    const bool accepted = answer == SingleInstance::Answer::accepted;
    QCOMPARE(reopen.size(), int(accepted && kind == u"reopen"));
    QCOMPARE(shortcuts.size(), int(accepted && kind == u"shortcuts"));
    QCOMPARE(action.size(), int(accepted && kind == u"action"));
    if (!action.isEmpty())
        QCOMPARE(action.first().first().toString(), argument);
}

void TestSingleInstance::nobodyListening()
{
    QCOMPARE(SingleInstance::requestReopen(m_name, 500), SingleInstance::Answer::none);
    QVERIFY(makeStaleSocket(m_name));
    QCOMPARE(SingleInstance::requestAction(QStringLiteral("slot1"), m_name, 500), SingleInstance::Answer::none);
}

void TestSingleInstance::secondInstanceDoesNotListen()
{
    SingleInstance first(m_name);
    QVERIFY(first.listen());
    QSignalSpy reopen(&first, &SingleInstance::reopenRequested);

    bool secondListened = true;
    const QString name = m_name;
    QThread *thread = QThread::create([&] {
        SingleInstance second(name);
        secondListened = second.listen();
    });
    thread->start();
    QVERIFY(QTest::qWaitFor([&] { return thread->isFinished(); }, 10000));
    delete thread;
    QVERIFY(!secondListened);

    // The first one still answers.
    QCOMPARE(sendWhileServing([&] { return SingleInstance::requestReopen(name); }), SingleInstance::Answer::accepted);
    QCOMPARE(reopen.size(), 1);
}

void TestSingleInstance::replacesStaleSocket()
{
    QVERIFY(makeStaleSocket(m_name));
    SingleInstance instance(m_name);
    QVERIFY(instance.listen());
    const QString name = m_name;
    QCOMPARE(sendWhileServing([&] { return SingleInstance::requestReopen(name); }), SingleInstance::Answer::accepted);
}

void TestSingleInstance::garbageIsRefused()
{
    SingleInstance instance(m_name);
    QVERIFY(instance.listen());
    QSignalSpy action(&instance, &SingleInstance::actionRequested);

    for (const QByteArray &garbage : {QByteArray(4096, 'x'), QByteArray("\n"), QByteArray("action \xff\xfe\n")}) {
        QLocalSocket socket;
        socket.connectToServer(m_name);
        QVERIFY(socket.waitForConnected(2000));
        socket.write(garbage);
        QByteArray reply;
        QVERIFY(QTest::qWaitFor([&] {
            reply += socket.readAll();
            return reply.contains('\n');
        }, 5000));
        QCOMPARE(reply, QByteArray("refused\n"));
    }
    QCOMPARE(action.size(), 0);

    // Still serving afterwards.
    const QString name = m_name;
    QCOMPARE(sendWhileServing([&] { return SingleInstance::requestAction(QStringLiteral("slot2"), name); }),
             SingleInstance::Answer::accepted);
    QCOMPARE(action.size(), 1);
}

void TestSingleInstance::defaultNameFollowsRuntimeFolder()
{
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", m_dir.path().toUtf8());
    QCOMPARE(SingleInstance::defaultServerName(), m_dir.filePath(QStringLiteral("tintora.socket")));
    qputenv("XDG_RUNTIME_DIR", m_dir.filePath(QStringLiteral("missing")).toUtf8());
    QCOMPARE(SingleInstance::defaultServerName(), QDir::tempPath() + QStringLiteral("/tintora-%1.socket").arg(::getuid()));
    qputenv("XDG_RUNTIME_DIR", previous);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
