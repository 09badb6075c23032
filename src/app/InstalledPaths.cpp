#include "app/InstalledPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace InstalledPaths {

namespace {
QString existingFile(const QString& folder, const QString& name)
{
    const QString path = folder + QLatin1Char('\\') + name;
    if (QFileInfo(path).isFile())
        return path;
    QString local = path;
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(local).isFile() ? local : QString();
}
} // namespace

QString dataDir()
{
    if (!QCoreApplication::instance())
        return {};
    const QString dir =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/namkhao"));
    return QFileInfo(dir).isDir() ? dir : QString();
}

QString reportsDir()
{
    const QString d = dataDir();
    return d.isEmpty() ? d : d + QStringLiteral("/reports");
}

QString scriptsDir()
{
    const QString d = dataDir();
    return d.isEmpty() ? d : d + QStringLiteral("/db");
}

QString layoutFile(const QString& workingFolder, const QString& name, const QString& data)
{
    const QString local = existingFile(workingFolder, name);
    if (!local.isEmpty() || data.isEmpty())
        return local;
    return existingFile(data + QStringLiteral("/reports"), name);
}

} // namespace InstalledPaths
