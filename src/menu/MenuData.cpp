#include "menu/MenuData.h"

#include "data/DbUtil.h"
#include "data/PasswordHash.h"
#include "data/ServerProcs.h"

#include <QHash>
#include <QSet>

namespace MenuData {

QList<MenuCompany> Companies(const QSqlDatabase& cfg)
{
    QSqlQuery q = Db::exec(cfg, QStringLiteral(
        "SELECT O.DatabaseName, P.Code, P.NameThai, P.NameEng FROM DatabaseList O "
        "Inner Join Company P On (P.Id = O.Company) Inner Join CompanyConfig C On (C.Company = O.Company) "
        "Order By P.Code, O.DatabaseName"));
    QList<MenuCompany> list;
    while (q.next())
        list.append({q.value(0).toString().trimmed(), q.value(1).toString().trimmed(), q.value(2).toString(),
                     q.value(3).toString()});
    return list;
}

std::optional<MenuUser> FindUser(const QSqlDatabase& cfg, const QString& code)
{
    QSqlQuery q = Db::exec(cfg, QStringLiteral("SELECT Id, Code, Name, Password, LanguageNo, Blocked "
                                               "FROM username WHERE Code = :code"),
                           {{QStringLiteral("code"), code.trimmed()}});
    if (!q.next())
        return std::nullopt;
    MenuUser u;
    u.Id = q.value(0).toInt();
    u.Code = q.value(1).toString();
    u.Name = q.value(2).toString();
    u.Password = q.value(3).toString();
    u.Thai = ServerProcs::IsThaiLanguage(q.value(4));
    u.Blocked = q.value(5).toString() == QLatin1String("Y");
    return u;
}

bool SetPassword(const QSqlDatabase& cfg, const QString& code, const QString& password)
{
    QSqlQuery q = Db::exec(cfg, QStringLiteral("UPDATE username SET Password = :hash WHERE Code = :code"),
                           {{QStringLiteral("hash"), PasswordHash::hash(password)}, {QStringLiteral("code"), code.trimmed()}});
    return q.numRowsAffected() > 0;
}

namespace {
struct Row {
    int id = 0, parent = 0;
    MenuEntry entry;
    bool open = false;
};

QList<MenuEntry> childrenOf(int parent, const QHash<int, QList<const Row*>>& byParent, QSet<int>& placed)
{
    QList<MenuEntry> list;
    for (const Row* r : byParent.value(parent)) {
        if (placed.contains(r->id)) // a ParentId loop lists an entry once at most
            continue;
        placed.insert(r->id);
        MenuEntry e = r->entry;
        e.Children = childrenOf(r->id, byParent, placed);
        list.append(e);
    }
    return list;
}
} // namespace

QList<MenuEntry> Entries(const QSqlDatabase& cfg, int userId, bool thai)
{
    QSqlQuery q = Db::exec(cfg, QStringLiteral(
        "SELECT M.Id, M.ParentId, M.Caption, M.EngCaption, M.ProgramCode, R.Access_R "
        "FROM Menu M Left Outer Join MenuRight R On (R.MenuId = M.Id And R.UserId = :user) "
        "Order By M.MenuOrder, M.Id"), {{QStringLiteral("user"), userId}});
    QList<Row> rows;
    QSet<int> exists;
    while (q.next()) {
        Row r;
        r.id = q.value(0).toInt();
        r.parent = q.value(1).toInt();
        r.entry.Id = r.id;
        r.entry.Caption = ServerProcs::MenuCaptionIn(thai, q.value(2).toString(), q.value(3).toString()).trimmed();
        r.entry.ProgramCode = q.value(4).toString().trimmed().toUpper();
        r.open = q.value(5).toString() == QLatin1String("Y"); // only exactly "Y" grants
        rows.append(r);
        exists.insert(r.id);
    }
    QHash<int, QList<const Row*>> byParent; // in MenuOrder, Id as read
    for (const Row& r : rows)
        if (r.open)
            byParent[exists.contains(r.parent) && r.parent != r.id ? r.parent : 0].append(&r);
    QSet<int> placed;
    return childrenOf(0, byParent, placed);
}

int EntryOfProgram(const QSqlDatabase& cfg, const QString& programCode)
{
    return Db::scalar(cfg, QStringLiteral("SELECT Id FROM Menu WHERE ProgramCode = :code "
                                          "Order By ParentId, MenuOrder, Id"),
                      {{QStringLiteral("code"), programCode.trimmed()}})
        .toInt();
}

QStringList FormArguments(int menuId, int userId, const QString& company, const QString& programCode,
                          const QDate& workingDate)
{
    return {QString::number(menuId), QString::number(userId), company, QStringLiteral("-"), programCode,
            workingDate.toString(QStringLiteral("dd/MM/yyyy"))};
}

} // namespace MenuData
