#pragma once
#include <QString>

// Where an installed copy of the programs keeps its shared files: "<prefix>/share/namkhao"
// beside "<prefix>/bin", found from the program's own location so an unpacked package works
// wherever it lies. A build folder has none; files in the working folder always come first.
namespace InstalledPaths {

QString dataDir();     // "<prefix>/share/namkhao" when it exists, else empty
QString reportsDir();  // default report layouts, "<data>/reports"
QString scriptsDir();  // database scripts, "<data>/db"

// The report layout `name` a work form uses: the file in the working folder when it is there
// (names written with "\" are found too), else the installed default layout of that name,
// else empty.
QString layoutFile(const QString& workingFolder, const QString& name, const QString& data = dataDir());

} // namespace InstalledPaths
