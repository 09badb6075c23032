#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>

// Starts work forms as processes of their own, as the suite's menu shell does: the program
// `namkhao` with the shell's six parameters, in the folder holding "Server.Dat". Several may run
// at once; a form that ends with a failure status (or cannot start) is announced. Forms still
// open when the launcher goes keep running: closing the menu never closes a form with unsaved
// work.
class FormLauncher : public QObject {
    Q_OBJECT
public:
    explicit FormLauncher(QObject* parent = nullptr);
    ~FormLauncher() override;

    // `namkhao` beside this program, or on the PATH when there is none.
    static QString defaultProgram();
    void setProgram(const QString& path) { m_program = path; }
    QString program() const { return m_program; }
    void setWorkingFolder(const QString& folder) { m_folder = folder; }
    QString workingFolder() const { return m_folder; }

    void start(const QString& caption, const QStringList& arguments);
    int running() const;

signals:
    void failed(const QString& caption, int exitCode, bool crashed);
    void couldNotStart(const QString& caption, const QString& reason);

private:
    QString m_program;
    QString m_folder;
    QList<QPointer<QProcess>> m_processes;
};
