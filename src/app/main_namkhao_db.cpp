#include "data/DbAdmin.h"
#include "data/NkError.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

// Administrator's tool: creates an empty configuration database, an empty company database
// or the demo pair in a folder of the embedded backend.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    auto usage = [&] {
        err << "usage: namkhao-db config FOLDER\n"
               "       namkhao-db company FOLDER NAME\n"
               "       namkhao-db demo FOLDER\n";
        return 2;
    };
    if (args.size() < 2)
        return usage();
    const QString cmd = args[0];
    const QString folder = QDir(args[1]).absolutePath();
    QDir().mkpath(folder);
    try {
        if (cmd == "config")
            DbAdmin::createConfigDatabase(folder);
        else if (cmd == "company" && args.size() >= 3)
            DbAdmin::createCompanyDatabase(folder, args[2].trimmed());
        else if (cmd == "demo")
            DbAdmin::createDemo(folder);
        else
            return usage();
    } catch (const NkError& e) {
        err << e.message() << "\n";
        return 1;
    }
    QTextStream(stdout) << "created in " << folder << "\n";
    return 0;
}
