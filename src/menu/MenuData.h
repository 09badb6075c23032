#pragma once
#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

// What the menu reads from the configuration database: the companies to work in, the user who
// signs in, and the menu entries that user may open, in the user's language.

struct MenuCompany {
    QString DatabaseName; // command-line parameter 3 of the work forms
    QString Code;
    QString NameThai;
    QString NameEng;
    QString name(bool thai) const { return thai || NameEng.trimmed().isEmpty() ? NameThai : NameEng; }
};

struct MenuUser {
    int Id = 0;
    QString Code;
    QString Name;
    QString Password; // as stored: a hash, or a plain password of older data
    bool Thai = false;
    bool Blocked = false;
};

struct MenuEntry {
    int Id = 0;
    QString Caption;     // in the user's language
    QString ProgramCode; // empty for a heading
    QList<MenuEntry> Children;
    bool startable() const { return !ProgramCode.trimmed().isEmpty(); }
};

namespace MenuData {

// Companies whose database the work forms can open (a DatabaseList row with its Company and
// CompanyConfig rows), by company code and database name.
QList<MenuCompany> Companies(const QSqlDatabase& cfg);
// The user of a code (compared without regard to letter case, as codes are stored).
std::optional<MenuUser> FindUser(const QSqlDatabase& cfg, const QString& code);
// Stores the password of the user of a code as a salted hash; false when there is no such user.
bool SetPassword(const QSqlDatabase& cfg, const QString& code, const QString& password);
// The entries on which the user's Access_R is exactly "Y", as a tree: an entry sits under its
// ParentId; children of an entry the user may not open are not listed; an entry whose parent
// does not exist is a top entry. Each level in MenuOrder, then Id.
QList<MenuEntry> Entries(const QSqlDatabase& cfg, int userId, bool thai);
// The first entry (by ParentId, MenuOrder, Id) that starts the program code; 0 when none.
int EntryOfProgram(const QSqlDatabase& cfg, const QString& programCode);

// The work form's command line, as the suite's menu shell passes it:
// MENU_ID USER_ID COMPANY - PROGRAM_CODE DD/MM/YYYY.
QStringList FormArguments(int menuId, int userId, const QString& company, const QString& programCode,
                          const QDate& workingDate);

} // namespace MenuData
