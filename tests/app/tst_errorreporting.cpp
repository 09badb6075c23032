// The error hook, the red error dialog and the error mail.
#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "app/TFrShowError.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "support/TestEnv.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include <future>
#include <stdexcept>
#include <thread>

namespace {

// A one-connection SMTP server on 127.0.0.1, run on its own thread because the mail is
// sent synchronously from the test's thread.
class SmtpCapture {
public:
    SmtpCapture()
    {
        std::promise<quint16> ready;
        auto portFuture = ready.get_future();
        m_thread = std::thread([this, p = std::move(ready)]() mutable { run(std::move(p)); });
        port = portFuture.get();
    }
    ~SmtpCapture()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    quint16 port = 0;
    QByteArray mailFrom, rcptTo, data;
    QList<QByteArray> commands;

private:
    void run(std::promise<quint16> ready)
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost, 0);
        ready.set_value(server.serverPort());
        if (!server.waitForNewConnection(15000))
            return;
        QTcpSocket* s = server.nextPendingConnection();
        auto say = [s](const QByteArray& line) {
            s->write(line);
            s->waitForBytesWritten(3000);
        };
        say("220 test ESMTP\r\n");
        QByteArray buf;
        bool inData = false;
        while (s->state() == QAbstractSocket::ConnectedState) {
            if (!s->waitForReadyRead(15000))
                break;
            buf += s->readAll();
            for (;;) {
                if (inData) {
                    const qsizetype end = buf.indexOf("\r\n.\r\n");
                    if (end < 0)
                        break;
                    data = buf.left(end);
                    buf.remove(0, end + 5);
                    inData = false;
                    say("250 OK queued\r\n");
                    continue;
                }
                const qsizetype eol = buf.indexOf("\r\n");
                if (eol < 0)
                    break;
                const QByteArray line = buf.left(eol);
                buf.remove(0, eol + 2);
                commands << line;
                const QByteArray verb = line.left(4).toUpper();
                if (verb == "EHLO")
                    say("250-localhost\r\n250 8BITMIME\r\n");
                else if (verb == "HELO")
                    say("250 localhost\r\n");
                else if (verb == "MAIL") {
                    mailFrom = line.mid(10);
                    say("250 OK\r\n");
                } else if (verb == "RCPT") {
                    rcptTo = line.mid(8);
                    say("250 OK\r\n");
                } else if (verb == "DATA") {
                    inData = true;
                    say("354 go ahead\r\n");
                } else if (verb == "QUIT") {
                    say("221 bye\r\n");
                    s->disconnectFromHost();
                    return;
                } else {
                    say("250 OK\r\n");
                }
            }
        }
    }
    std::thread m_thread;
};

void writeMailDat(const QString& folder, const QString& server, int port)
{
    QFile f(QDir(folder).filePath(QStringLiteral("Mail.Dat")));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QStringLiteral("[Mail]\nServer=%1\nPort=%2\nSender=errors@workstation.test\n"
                           "Recipient=support@desk.test\nUser=namkhao\nConnectTimeout=3\n")
                .arg(server)
                .arg(port)
                .toUtf8());
}

// A port on 127.0.0.1 where nothing listens.
quint16 closedPort()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    const quint16 p = s.serverPort();
    s.close();
    return p;
}

QByteArray headerOf(const QByteArray& mail, const QByteArray& name)
{
    const qsizetype split = mail.indexOf("\r\n\r\n");
    for (const QByteArray& line : mail.left(split).split('\n')) {
        const QByteArray l = line.endsWith('\r') ? line.chopped(1) : line;
        if (l.startsWith(name + ": "))
            return l.mid(name.size() + 2);
    }
    return {};
}

QByteArray bodyOf(const QByteArray& mail)
{
    return mail.mid(mail.indexOf("\r\n\r\n") + 4);
}

class Thrower : public QWidget {
public:
    enum class What { Error, Abort, StdError };
    What what = What::Error;

protected:
    void keyPressEvent(QKeyEvent*) override
    {
        switch (what) {
        case What::Error:
            throw NkError(QStringLiteral("no such column: Foo"));
        case What::Abort:
            throw NkAbort();
        case What::StdError:
            throw std::runtime_error("conversion failed");
        }
    }
};

} // namespace

class TstErrorReporting : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        MessageService::setScripted(true);
    }

    void countdownClosesAfterNineTicks()
    {
        TFrShowError dlg;
        dlg.setErrorText(QStringLiteral("Disk full\r"));
        dlg.show();
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Windows Error Message"));
        QCOMPARE(dlg.size(), QSize(344, 101));
        QCOMPARE(dlg.focusWidget(), dlg.BCancel);
        QCOMPARE(dlg.ErrorBox->toPlainText().trimmed(), QStringLiteral("Disk full"));
        QVERIFY(dlg.TimeCount->text().isEmpty());
        QVERIFY(dlg.CloseTimer->isActive());
        QCOMPARE(dlg.CloseTimer->interval(), 1000);

        for (int i = 0; i < 8; ++i)
            dlg.CloseTimerTick();
        QVERIFY(dlg.isVisible()); // eight seconds: still open
        dlg.CloseTimerTick();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(!dlg.CloseTimer->isActive());

        // Shown again, it starts over from ten.
        dlg.show();
        QCOMPARE(dlg.countdown(), 10);
        dlg.CloseTimerTick();
        QVERIFY(dlg.isVisible());
        dlg.BCancel->click();
        QVERIFY(!dlg.isVisible());

        // By keys: Enter presses the focused "Don't Send".
        dlg.show();
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Return);
        QCOMPARE(QString("open after Enter: %1, result %2").arg(dlg.isVisible()).arg(dlg.result()),
                 QString("open after Enter: 0, result %1").arg(int(QDialog::Rejected)));
    }

    void sendAfterEightSecondsMailsExactText()
    {
        TestEnv env(TestEnv::Data::Empty);
        DMConfig->CompanyCode = QStringLiteral(" DEMO ");
        DMConfig->MenuCaption = QStringLiteral("  Import Goods ");
        DMConfig->UserCode = QStringLiteral(" ADMIN  ");
        SmtpCapture smtp;
        writeMailDat(env.folder(), QStringLiteral("127.0.0.1"), smtp.port);

        TFrShowError dlg;
        dlg.setErrorText(QStringLiteral("Key violation\r"));
        dlg.show();
        for (int i = 0; i < 8; ++i)
            dlg.CloseTimerTick();
        QTest::mouseClick(dlg.BOk, Qt::LeftButton);
        smtp.wait();

        QVERIFY(dlg.sent());
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        dlg.CloseTimerTick(); // the countdown has stopped
        QCOMPARE(dlg.countdown(), 2);

        QCOMPARE(smtp.mailFrom, QByteArray("<errors@workstation.test>"));
        QCOMPARE(smtp.rcptTo, QByteArray("<support@desk.test>"));
        QCOMPARE(headerOf(smtp.data, "Subject"), QByteArray("Error DEMO Import Goods"));
        QCOMPARE(headerOf(smtp.data, "Content-Type"), QByteArray("text/plain; charset=us-ascii"));
        QCOMPARE(headerOf(smtp.data, "MIME-Version"), QByteArray("1.0"));
        const QByteArray expectedBody =
            "[User = ADMIN] \rLocal IP = " + LocalIp().toLatin1() + "\rKey violation\r";
        QCOMPARE(bodyOf(smtp.data), expectedBody);
        QVERIFY(!bodyOf(smtp.data).contains('\n'));
    }

    void thaiTextIsMailedAsUtf8()
    {
        TestEnv env(TestEnv::Data::Empty);
        SmtpCapture smtp;
        writeMailDat(env.folder(), QStringLiteral("127.0.0.1"), smtp.port);
        DMConfig->SendErrorMail(QStringLiteral("Error DEMO นำเข้าสินค้า"), QStringLiteral("ไม่พบข้อมูล\r"));
        smtp.wait();
        const QByteArray subject = headerOf(smtp.data, "Subject");
        QVERIFY(subject.startsWith("=?UTF-8?B?"));
        QCOMPARE(QString::fromUtf8(QByteArray::fromBase64(subject.mid(10).chopped(2))),
                 QStringLiteral("Error DEMO นำเข้าสินค้า"));
        QCOMPARE(QString::fromUtf8(bodyOf(smtp.data)), QStringLiteral("ไม่พบข้อมูล\r"));
    }

    void unreachableMailServerIsSilent()
    {
        TestEnv env(TestEnv::Data::Empty);
        writeMailDat(env.folder(), QStringLiteral("127.0.0.1"), closedPort());
        QVERIFY(!SendMail(ReadErrorMailSettings(env.folder()), QStringLiteral("s"), QStringLiteral("b")));
        DMConfig->SendErrorMail(QStringLiteral("s"), QStringLiteral("b")); // returns, raises nothing

        QFile::remove(QDir(env.folder()).filePath(QStringLiteral("Mail.Dat")));
        const ErrorMailSettings none = ReadErrorMailSettings(env.folder());
        QVERIFY(none.Server.isEmpty());
        QCOMPARE(none.Port, 25);
        QVERIFY(!SendMail(none, QStringLiteral("s"), QStringLiteral("b")));
    }

    void errorInEventHandlerIsLoggedOnceAndShown()
    {
        TestEnv env(TestEnv::Data::Empty);
        DMConfig->UserId = 7;
        DMConfig->MenuId = 3;
        const auto logCount = [&env] {
            return Db::scalar(env.config(), QStringLiteral("select count(*) from ErrorLog")).toInt();
        };
        const int before = logCount();

        QStringList shownTexts;
        MessageService::setDialogHook([&](QDialog* d) {
            if (auto* e = qobject_cast<TFrShowError*>(d))
                shownTexts << e->errorText();
            return int(QDialog::Rejected);
        });

        Thrower w;
        w.show();
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(shownTexts, QStringList{QStringLiteral("no such column: Foo\r")});
        QCOMPARE(logCount(), before + 1);
        QSqlQuery q = Db::exec(env.config(),
                               QStringLiteral("select ErrorMsg, UserId, MenuId, LogName, CompName from ErrorLog order by Id desc"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("no such column: Foo"));
        QCOMPARE(q.value(1).toInt(), 7);
        QCOMPARE(q.value(2).toInt(), 3);
        QCOMPARE(q.value(3).toString(), LoginUserName());
        QCOMPARE(q.value(4).toString(), ComputerName());

        // A silent abort is neither logged nor shown; the loop goes on.
        w.what = Thrower::What::Abort;
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(shownTexts.size(), 1);
        QCOMPARE(logCount(), before + 1);

        w.what = Thrower::What::StdError;
        QTest::keyClick(&w, Qt::Key_A);
        QCOMPARE(shownTexts.last(), QStringLiteral("conversion failed\r"));
        QCOMPARE(logCount(), before + 2);

        // A form reporting its rolled-back save goes the same way.
        ReportError(QStringLiteral("UNIQUE constraint failed: ImHd.ImNo"));
        QCOMPARE(shownTexts.size(), 3);
        QCOMPARE(logCount(), before + 3);
    }

    void unreachableErrorLogStillShowsTheError()
    {
        TestEnv env(TestEnv::Data::Empty);
        DMConfig->CloseConnection();
        QVERIFY(QFile::remove(QDir(env.folder()).filePath(QStringLiteral("data/KOV_CONFIG.sqlite"))));
        int shown = 0;
        MessageService::setDialogHook([&](QDialog* d) {
            shown += qobject_cast<TFrShowError*>(d) ? 1 : 0;
            return int(QDialog::Rejected);
        });
        ReportError(QStringLiteral("save failed"));
        QCOMPARE(shown, 1);
    }

    void localIpIsTheLastAddressResolved()
    {
        const QStringList several{QStringLiteral("10.0.0.5"), QStringLiteral("fe80::1"), QStringLiteral("192.168.1.20"),
                                  QStringLiteral("::1")};
        QCOMPARE(LastIPv4Address(several), QStringLiteral("192.168.1.20"));
        QCOMPARE(LastIPv4Address({}), QString());
        const QString ip = LocalIp();
        if (!ip.isEmpty())
            QCOMPARE(QHostAddress(ip).protocol(), QAbstractSocket::IPv4Protocol);
        QCOMPARE(LoginUserName(), LoginUserName().toUpper());
    }
};

int main(int argc, char** argv)
{
    NkApplication app(argc, argv);
    TstErrorReporting t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_errorreporting.moc"
