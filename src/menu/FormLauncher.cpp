#include "menu/FormLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

FormLauncher::FormLauncher(QObject* parent)
    : QObject(parent)
    , m_program(defaultProgram())
    , m_folder(QDir::currentPath())
{
}

FormLauncher::~FormLauncher()
{
    // A QProcess ends its process when it is destroyed; a form still open must outlive the
    // menu, so its process object is let go instead (its output goes to the menu's own
    // channels, never to a pipe that closes).
    for (const QPointer<QProcess>& p : std::as_const(m_processes))
        if (p && p->state() != QProcess::NotRunning) {
            p->disconnect(this);
            p->setParent(nullptr);
        }
}

QString FormLauncher::defaultProgram()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("namkhao"));
    return QFileInfo(beside).isExecutable() ? beside : QStringLiteral("namkhao");
}

void FormLauncher::start(const QString& caption, const QStringList& arguments)
{
    auto* p = new QProcess(this);
    p->setProcessChannelMode(QProcess::ForwardedChannels);
    p->setInputChannelMode(QProcess::ForwardedInputChannel);
    p->setWorkingDirectory(m_folder);
    p->setProgram(m_program);
    p->setArguments(arguments);
    connect(p, &QProcess::finished, this, [this, p, caption](int code, QProcess::ExitStatus status) {
        if (status == QProcess::CrashExit || code != 0)
            emit failed(caption, code, status == QProcess::CrashExit);
        p->deleteLater();
    });
    connect(p, &QProcess::errorOccurred, this, [this, p, caption](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        emit couldNotStart(caption, p->errorString());
        p->deleteLater();
    });
    m_processes.removeAll(nullptr);
    m_processes.append(p);
    p->start();
}

int FormLauncher::running() const
{
    int n = 0;
    for (const QPointer<QProcess>& p : m_processes)
        if (p && p->state() != QProcess::NotRunning)
            ++n;
    return n;
}
