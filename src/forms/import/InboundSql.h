#pragma once
#include <QString>

// The statements of the import document, kept line for line as the module's documents give
// them (only the engine's spellings differ).
namespace InboundSql {

// "insert into T (a, b) values (:a, :b)" and "update T set a = :a, b = :b where ID = :OLD_ID"
// for a column list written once.
inline QString insertInto(const QString& table, const QString& columns)
{
    QString params = columns;
    params.replace(QStringLiteral(", "), QStringLiteral(", :"));
    return QStringLiteral("insert into ") + table + QStringLiteral("\n(") + columns + QStringLiteral(")\nvalues\n(:")
        + params + QStringLiteral(")");
}

inline QString updateById(const QString& table, const QString& columns)
{
    QStringList sets;
    for (const QString& c : columns.split(QStringLiteral(", ")))
        sets << c + QStringLiteral(" = :") + c;
    return QStringLiteral("update ") + table + QStringLiteral("\nset\n") + sets.join(QStringLiteral(",\n"))
        + QStringLiteral("\nwhere\nID = :OLD_ID");
}

inline QString header(bool beginBalance)
{
    return QStringLiteral(
               "SELECT H.ID, H.DelFlag, H.ImNo, H.ImDate, H.ImportLotNo, H.Department, H.Project,\n"
               "H.FrPoHd, H.FrVendor, H.TransportNo, H.Currency, H.ExchangeRate, H.DueDate,\n"
               "H.Warehouse, H.Reference, H.Remark, H.Total, H.Clear, H.PaidAmount, H.LotNo,\n"
               "H.Posted, H.Imported, H.BeginBalance\n"
               "FROM ImHd H\n"
               "Where (H.ImNo = :GetNo) And (H.BeginBalance='%1')")
        .arg(beginBalance ? QLatin1Char('Y') : QLatin1Char('N'));
}

inline const QString HeaderColumns = QStringLiteral(
    "DelFlag, ImNo, ImDate, ImportLotNo, Department, Project, FrPoHd, FrVendor, TransportNo, Currency, "
    "ExchangeRate, DueDate, Warehouse, Reference, Remark, Total, Clear, PaidAmount, LotNo, Posted, Imported, "
    "BeginBalance");

inline QString headerInsert() { return insertInto(QStringLiteral("ImHd"), HeaderColumns); }
inline QString headerModify() { return updateById(QStringLiteral("ImHd"), HeaderColumns); }

inline const QString HeaderDelete = QStringLiteral("delete from ImHd\nwhere\nID = :OLD_ID");

inline const QString Lines = QStringLiteral(
    "SELECT D.ID, D.ImHd, D.ImRecNo, D.ImDate, D.PoDt, D.Product,\n"
    "  D.ProductUnits, D.Warehouse, D.LotNo, D.SerialNo, D.ImDuty,\n"
    "  D.Quantity, D.Fraction, D.Cost, D.Total,\n"
    "  P.Code ProductCode, P.EngName ProductName, P.Blocked,\n"
    "  P.LotControl, P.UseSerial, P.ProductType,\n"
    "  U.UnitName, T.DutyNo, W.Code WhCode,L.Code LotCode\n"
    "FROM ImDt D\n"
    "Inner Join ProductView P On (D.Product = P.Id)\n"
    "Inner Join ProductUnits U On (D.ProductUnits = U.Id)\n"
    "Inner Join ImDuty T On (D.ImDuty = T.ID)\n"
    "Inner Join Warehouse W On (D.Warehouse = W.Id)\n"
    "LEFT OUTER JOIN LotNo L On (L.Id = D.LotNo)\n"
    "WHERE (D.ImHd = :GetId)\n"
    "Order By D.ImRecNo");

inline const QString LineColumns = QStringLiteral(
    "ImHd, ImRecNo, ImDate, PoDt, Product, ProductUnits, Warehouse, LotNo, SerialNo, ImDuty, Quantity, "
    "Fraction, Cost, Total");

inline QString lineInsert() { return insertInto(QStringLiteral("ImDt"), LineColumns); }
inline QString lineModify() { return updateById(QStringLiteral("ImDt"), LineColumns); }

inline const QString LineDelete = QStringLiteral("delete from ImDt\nwhere\nID = :OLD_ID");

inline const QString Duty = QStringLiteral("SELECT ID, ImHd, DutyNo, Total\nFROM ImDuty\nWhere (ImHd = :GetId)\nOrder By DutyNo");
inline const QString DutyInsert = QStringLiteral("insert into ImDuty\n(ImHd, DutyNo, Total)\nvalues\n(:ImHd, :DutyNo, :Total)");
inline const QString DutyModify = QStringLiteral("update ImDuty\nset\nImHd = :ImHd,\nDutyNo = :DutyNo,\nTotal = :Total\nwhere\nID = :OLD_ID");
inline const QString DutyDelete = QStringLiteral("delete from ImDuty\nwhere\nID = :OLD_ID");

inline const QString FrPo = QStringLiteral(
    "Select F.Id DtiD,F.Product,P.Code ProductCode,P.Thainame,\n"
    "\tF.LotNo,F.productUnits,F.Warehouse,W.Code WhCode,\n"
    "\tF.Quantity,F.Fraction,F.Price,U.UnitName,\n"
    "\tF.Total,D.FrVenDor,D.Department,D.Project,\n"
    "D.Currency,D.Reference,D.Remark,D.Total HdTotal,\n"
    "        D.LotNo HdLotNo,D.PoNo\n"
    "From frPoDt F\n"
    "Inner Join frPoHd D on (D.Id = F.FrPoHd)  \n"
    "Inner Join Product P on (P.Id = F.Product)\n"
    "Inner Join ProductUnits U on (U.Id = F.ProductUnits) \n"
    "Inner Join Warehouse W On (W.Id = F.Warehouse)\n"
    "Where (PoNo =:GNO)");

} // namespace InboundSql
