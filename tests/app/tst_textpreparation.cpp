// The program starts preparing its first text before the application object exists. Qt must
// still take the thread that makes the application object for the process's main thread: a
// helper thread that made a Qt object first would be taken instead, and the process would
// break when that thread ends.
#include "app/TextPreparation.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTest>

#include <chrono>
#include <mutex>
#include <thread>

namespace {
QStringList warnings; // from any thread
std::mutex warningsMutex;
void collect(QtMsgType, const QMessageLogContext&, const QString& text)
{
    std::lock_guard<std::mutex> lock(warningsMutex);
    warnings << text;
}
} // namespace

class TstTextPreparation : public QObject {
    Q_OBJECT
public:
    explicit TstTextPreparation(StartUp::TextPreparation& p)
        : m_preparation(p)
    {
    }

private slots:
    void applicationObjectKeepsTheMainThread()
    {
        QStringList aboutThreads;
        {
            std::lock_guard<std::mutex> lock(warningsMutex);
            aboutThreads = warnings.filter(QStringLiteral("thread"), Qt::CaseInsensitive);
        }
        QVERIFY2(aboutThreads.isEmpty(), qPrintable(aboutThreads.join('\n')));
        m_preparation.mayStart();
        m_preparation.join();
        QVERIFY(!QFontDatabase::families().isEmpty());
    }

private:
    StartUp::TextPreparation& m_preparation;
};

int main(int argc, char** argv)
{
    qInstallMessageHandler(collect);
    StartUp::TextPreparation preparation;
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // both threads are well under way
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    TstTextPreparation t(preparation);
    return QTest::qExec(&t, argc, argv);
}

#include "tst_textpreparation.moc"
