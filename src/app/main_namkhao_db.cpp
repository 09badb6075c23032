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
               "       namkhao-db demo FOLDER\n"
               "       namkhao-db upgrade FOLDER NAME\n";
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
        else if (cmd == "upgrade" && args.size() >= 3) {
            const QStringList report = DbAdmin::upgradeCompanyDatabase(folder, args[2].trimmed());
            QTextStream out(stdout);
            for (const QString& line : report)
                out << line << "\n";
            // Numbers still used twice must be renumbered by hand before they can be unique.
            return report.filter(QStringLiteral("left as it is")).isEmpty() ? 0 : 1;
        } else
            return usage();
    } catch (const NkError& e) {
        err << e.message() << "\n";
        return 1;
    }
    QTextStream(stdout) << "created in " << folder << "\n";
    return 0;
}
