#include "app/InstalledPaths.h"
#include "app/TDMConfig.h"
#include "data/Connection.h"
#include "data/DbAdmin.h"
#include "data/DbMigrate.h"
#include "data/NkError.h"
#include "menu/MenuData.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace {

// One line of standard input. From a terminal the line is typed without echo after a prompt.
QString readSecretLine(const char* prompt)
{
    const bool terminal = isatty(STDIN_FILENO);
    termios saved {};
    if (terminal) {
        std::fputs(prompt, stderr);
        std::fflush(stderr);
        tcgetattr(STDIN_FILENO, &saved);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    QTextStream in(stdin);
    QString line = in.readLine();
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fputs("\n", stderr);
    }
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

// The configuration database named by "Server.Dat" of the current folder, as the programs
// find it.
QSqlDatabase configDatabase()
{
    const QString here = QDir::currentPath();
    return Connection::open(QStringLiteral("nk_admin"), QLatin1String(TDMConfig::ConfigDatabase),
                            Connection::readServerName(here), here);
}

int setPassword(const QString& code, QTextStream& out, QTextStream& err)
{
    const QString password = readSecretLine("Password: ");
    if (isatty(STDIN_FILENO) && readSecretLine("Again: ") != password) {
        err << "The two passwords differ; nothing stored.\n";
        return 1;
    }
    if (password.isEmpty()) {
        err << "An empty password is not stored.\n";
        return 1;
    }
    if (!MenuData::SetPassword(configDatabase(), code, password)) {
        err << "No user " << code << " in " << TDMConfig::ConfigDatabase << "\n";
        return 1;
    }
    out << "Password of " << code.trimmed() << " stored as a salted hash\n";
    return 0;
}

int printUpgrade(const QStringList& report, QTextStream& out)
{
    for (const QString& line : report)
        out << line << "\n";
    // Numbers still used twice must be renumbered by hand before they can be unique.
    return report.filter(QStringLiteral("left as it is")).isEmpty() ? 0 : 1;
}

} // namespace

// Administrator's tool: creates databases in a folder of SQLite files or on a PostgreSQL
// server, copies a company from its files to a server, stores users' passwords and answers
// where the programs find their files.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    QString server; // --server NAME: a PostgreSQL server (postgresql://host:port) instead of a folder
    if (args.value(0) == QLatin1String("--server") && args.size() >= 2) {
        server = args[1];
        args = args.mid(2);
    }
    auto usage = [&] {
        err << "usage: namkhao-db config FOLDER\n"
               "       namkhao-db company FOLDER NAME\n"
               "       namkhao-db demo FOLDER\n"
               "       namkhao-db upgrade FOLDER NAME\n"
               "       namkhao-db --server postgresql://HOST[:PORT] config|company NAME|demo|upgrade NAME\n"
               "       namkhao-db migrate FOLDER NAME postgresql://HOST[:PORT]   (copies company NAME to the server)\n"
               "In the folder holding Server.Dat:\n"
               "       namkhao-db user CODE --password     (the password is read from standard input)\n"
               "       namkhao-db menu-entry PROGRAM_CODE  (the menu entry that starts a work form)\n"
               "       namkhao-db paths [LAYOUT...]        (where the work forms find their files)\n";
        return 2;
    };
    const QString cmd = args.value(0);
    try {
        if (cmd == "user" && args.size() == 3 && args[2] == "--password")
            return setPassword(args[1], out, err);
        if (cmd == "menu-entry" && args.size() == 2) {
            const int id = MenuData::EntryOfProgram(configDatabase(), args[1]);
            if (id == 0) {
                err << "No menu entry starts " << args[1] << "\n";
                return 1;
            }
            out << id << "\n";
            return 0;
        }
        if (cmd == "paths") {
            out << "working folder: " << QDir::currentPath() << "\n"
                << "server name: " << Connection::readServerName(QDir::currentPath()) << "\n"
                << "installed layouts: " << InstalledPaths::reportsDir() << "\n"
                << "installed database scripts: " << InstalledPaths::scriptsDir() << "\n";
            for (const QString& layout : args.mid(1))
                out << layout << ": " << InstalledPaths::layoutFile(QDir::currentPath(), layout) << "\n";
            return 0;
        }
        if (cmd == "migrate" && args.size() == 4 && server.isEmpty()) {
            const ServerLocation target = Connection::parseServerName(args[3], QDir::currentPath());
            for (const QString& line : DbMigrate::copyCompany(args[1], args[2].trimmed(), target))
                out << line << "\n";
            return 0;
        }
        if (!server.isEmpty()) {
            const ServerLocation where = Connection::parseServerName(server, QDir::currentPath());
            if (where.kind != ServerLocation::Kind::PostgreSQL) {
                err << "Not a server name: " << server << "\n";
                return 2;
            }
            if (cmd == "config" && args.size() == 1)
                DbAdmin::createConfigDatabase(where);
            else if (cmd == "company" && args.size() == 2)
                DbAdmin::createCompanyDatabase(where, args[1].trimmed());
            else if (cmd == "demo" && args.size() == 1)
                DbAdmin::createDemo(where, QDate::currentDate(), QDir::current().absoluteFilePath(QStringLiteral("pictures")));
            else if (cmd == "upgrade" && args.size() == 2)
                return printUpgrade(DbAdmin::upgradeCompanyDatabase(where, args[1].trimmed()), out);
            else
                return usage();
            out << "created on " << Connection::serverNameOf(where) << "\n";
            return 0;
        }
        if (args.size() < 2)
            return usage();
        const QString folder = QDir(args[1]).absolutePath();
        QDir().mkpath(folder);
        if (cmd == "config")
            DbAdmin::createConfigDatabase(folder);
        else if (cmd == "company" && args.size() >= 3)
            DbAdmin::createCompanyDatabase(folder, args[2].trimmed());
        else if (cmd == "demo")
            DbAdmin::createDemo(folder);
        else if (cmd == "upgrade" && args.size() >= 3)
            return printUpgrade(DbAdmin::upgradeCompanyDatabase(folder, args[2].trimmed()), out);
        else
            return usage();
        out << "created in " << folder << "\n";
    } catch (const NkError& e) {
        err << e.message() << "\n";
        return 1;
    }
    return 0;
}
