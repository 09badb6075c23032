#include "app/ErrorReporting.h"
#include "app/TDMConfig.h"
#include "menu/TFrMenu.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <QTextStream>

// The module's menu: namkhao-menu [--user CODE] [--company DATABASE] [FOLDER]
// FOLDER holds "Server.Dat"; without it the menu looks in the current folder, then in the
// user's own folder (~/.local/share/namkhao), then in /etc/namkhao.
int main(int argc, char** argv)
{
    NkApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("namkhao"));
    QApplication::setApplicationDisplayName(QStringLiteral("Namkhao"));
    QApplication::setDesktopFileName(QStringLiteral("namkhao-menu"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/menu/namkhao-menu.png")));

    QCommandLineParser cl;
    cl.setApplicationDescription(QStringLiteral("Menu of the import and foreign-purchasing work forms"));
    cl.addHelpOption();
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("User code to sign in with."),
                                  QStringLiteral("CODE"));
    const QCommandLineOption company(QStringLiteral("company"), QStringLiteral("Company database to choose."),
                                     QStringLiteral("DATABASE"));
    cl.addOption(user);
    cl.addOption(company);
    cl.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Working folder holding Server.Dat."),
                             QStringLiteral("[FOLDER]"));
    cl.process(app);

    QString folder;
    QStringList searched;
    if (!cl.positionalArguments().isEmpty()) {
        folder = QDir(cl.positionalArguments().constFirst()).absolutePath();
    } else {
        const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        searched = {QDir::currentPath(), own, QStringLiteral("/etc/namkhao")};
        for (const QString& f : std::as_const(searched))
            if (QFileInfo::exists(QDir(f).filePath(QStringLiteral("Server.Dat")))) {
                folder = f;
                break;
            }
        if (folder.isEmpty()) {
            folder = own; // where the demo company can be made for this user
            QDir().mkpath(folder);
        } else {
            searched.clear();
        }
    }
    if (!QDir::setCurrent(folder)) {
        QTextStream(stderr) << "Cannot enter the working folder " << folder << "\n";
        return 2;
    }

    DMConfig = new TDMConfig(&app);
    TFrMenu menu;
    menu.prefill(cl.value(user), cl.value(company));
    if (!searched.isEmpty())
        menu.offerDemo(searched.join(QStringLiteral(", ")));
    menu.show();
    return app.exec();
}
