#include "forms/receipt/ReceiptSql.h"

#include "forms/import/InboundSql.h"

namespace ReceiptSql {

Names names(const QString& payType)
{
    Names n;
    n.credit = payType == QLatin1String("D");
    const QString p = n.credit ? QStringLiteral("Mr") : QStringLiteral("Pc");
    n.hd = p + QStringLiteral("Hd");
    n.dt = p + QStringLiteral("Dt");
    n.no = p + QStringLiteral("No");
    n.date = p + QStringLiteral("Date");
    n.type = p + QStringLiteral("Type");
    n.taxNo = n.credit ? QStringLiteral("MrTAXNO") : QStringLiteral("PcTaxNo");
    n.taxDate = p + QStringLiteral("TaxDate");
    n.printTaxDate = p + QStringLiteral("PrintTaxDate");
    n.lineHd = n.hd;
    n.lineRecNo = p + QStringLiteral("RecNo");
    return n;
}

QString header(const Names& n)
{
    // Credit bills carry due days, due date, payment state and paid amount; cash bills do not.
    const QString credit = n.credit ? QStringLiteral("H.DueDays, H.DueDate, ") : QString();
    const QString clear = n.credit ? QStringLiteral("H.Clear,H.CanUseTax, H.PaidAmount, ") : QString();
    const QString cashCanUseTax = n.credit ? QString() : QStringLiteral(",H.CanUseTax");
    return QStringLiteral("SELECT H.ID, H.DelFlag, H.%1, H.%2, H.%3, H.ImportLotNo, H.%4, H.%5, H.%6,H.Department, "
                          "H.Project, H.PoHd, H.Vendor, H.TaxCode, H.TaxRate, H.Price_IE, %7H.Warehouse, H.Reference, "
                          "H.Remark, H.NoTaxAmt, H.TaxAmt, H.TaxTotal, H.TaxCal, H.Total, H.DiscName1, H.DiscRate1, "
                          "H.DiscAmt1, H.DiscName2, H.DiscRate2, H.DiscAmt2, H.DiscName3, H.DiscRate3, H.DiscAmt3, "
                          "%8H.LotNo, H.Posted, H.Imported, H.BeginBalance,H.Transfer%9, P.PrNo,H.Prepaid,"
                          "H.PrepaidAmount, P.Total - P.PaidAmount PrePaidBalance\n"
                          "FROM %10 H Left Join PrePaid P On P.Id=H.PrePaid\n"
                          "Where (ltrim(rtrim(H.%2)) = :GetNo) And (H.%1 = :GetType)")
        .arg(n.type, n.no, n.date, n.taxNo, n.taxDate, n.printTaxDate, credit, clear, cashCanUseTax)
        .arg(n.hd);
}

QString headerColumns(const Names& n)
{
    QStringList c{QStringLiteral("DelFlag"), n.type, n.no, n.date, QStringLiteral("ImportLotNo"), n.taxNo,
                  n.taxDate, n.printTaxDate, QStringLiteral("Department"), QStringLiteral("Project"),
                  QStringLiteral("PoHd"), QStringLiteral("Vendor"), QStringLiteral("TaxCode"), QStringLiteral("TaxRate"),
                  QStringLiteral("Price_IE")};
    if (n.credit)
        c << QStringLiteral("DueDays") << QStringLiteral("DueDate");
    c << QStringLiteral("Warehouse") << QStringLiteral("Reference") << QStringLiteral("Remark")
      << QStringLiteral("NoTaxAmt") << QStringLiteral("TaxAmt") << QStringLiteral("TaxTotal") << QStringLiteral("TaxCal")
      << QStringLiteral("Total");
    for (int i = 1; i <= 3; ++i)
        c << QStringLiteral("DiscName%1").arg(i) << QStringLiteral("DiscRate%1").arg(i) << QStringLiteral("DiscAmt%1").arg(i);
    if (n.credit)
        c << QStringLiteral("Clear") << QStringLiteral("CanUseTax") << QStringLiteral("PaidAmount");
    c << QStringLiteral("LotNo") << QStringLiteral("Posted") << QStringLiteral("Imported") << QStringLiteral("BeginBalance")
      << QStringLiteral("Transfer");
    if (!n.credit)
        c << QStringLiteral("CanUseTax");
    c << QStringLiteral("Prepaid") << QStringLiteral("PrepaidAmount");
    return c.join(QStringLiteral(", "));
}

QString headerInsert(const Names& n)
{
    return InboundSql::insertInto(n.hd, headerColumns(n));
}

QString headerModify(const Names& n)
{
    return InboundSql::updateById(n.hd, headerColumns(n));
}

QString headerDelete(const Names& n)
{
    return QStringLiteral("delete from %1\nwhere\nID = :OLD_ID").arg(n.hd);
}

QString headerIdByNumber(const Names& n)
{
    return QStringLiteral("Select Id From %1 Where (%2 = :GetNo) And (%3 = :GetType)").arg(n.hd, n.no, n.type);
}

QString lines(const Names& n)
{
    return QStringLiteral(
               "SELECT D.ID, D.%1, D.%2, D.%3, D.PoDt, D.Product, D.TaxCode, D.TaxRate, D.ProductUnits, D.Warehouse, "
               "D.LotNo, D.ProductUnits ProductUnitsOld, D.SerialNo, D.Quantity, D.Fraction, D.Price, D.Cost, "
               "D.Discount, D.DiscountAmt, D.Total, D.ProductAmount,D.MemoLine,D.QWeightSize, "
               "D.Total - D.ProductAmount As TaxTotal,'Y'  OldDt,S.Onhand, P.Code ProductCode, P.ThaiName ProductName, "
               "P.LotControl, P.UseSerial, P.ProductType,P.PriceByVolumn, U.UnitName, U.BarCode, W.Code WhCode, "
               "L.Code LotCode, S.Serial,S.Serial OldSerial, V.PurchaseCode, V.PurchaseName,D.ProjectItemHd,"
               "X.Code ProjectItemCode, (Select PH.PoNo From PoHd PH Inner Join PoDt PD On (PH.Id = PD.PoHd) "
               "Where (PD.Id = D.PoDt)) As PoNo\n"
               "FROM %4 D INNER JOIN Product P ON (D.Product = P.ID) INNER JOIN ProductUnits U ON "
               "(D.ProductUnits = U.Id) Left Outer JOIN Warehouse W ON (D.Warehouse = W.ID) LEFT OUTER JOIN LotNo L "
               "On (L.Id = D.LotNo) LEFT OUTER JOIN SerialNo S On (S.Id = D.SerialNo) Left Outer Join ProjectItemHd X "
               "On (X.Id=D.ProjectItemHd) Left Outer Join PartSource V On (V.ProductUnits = U.Id) And "
               "(V.Vendor = :GetVId)\n"
               "WHERE (D.%1 = :GetHdId) ORDER BY D.%2")
        .arg(n.lineHd, n.lineRecNo, n.date, n.dt);
}

QString lineColumns(const Names& n)
{
    return QStringLiteral("%1, %2, %3, PoDt, Product, TaxCode, TaxRate, ProductUnits, Warehouse, LotNo, SerialNo, "
                          "Quantity, QWeightSize, Fraction, Price, Cost, Discount, DiscountAmt, ProductAmount, Total, "
                          "MemoLine, ProjectItemHd")
        .arg(n.lineHd, n.lineRecNo, n.date);
}

QString lineInsert(const Names& n)
{
    return InboundSql::insertInto(n.dt, lineColumns(n));
}

QString lineModify(const Names& n)
{
    return InboundSql::updateById(n.dt, lineColumns(n));
}

QString lineDelete(const Names& n)
{
    return QStringLiteral("delete from %1\nwhere\nID = :OLD_ID").arg(n.dt);
}

QString paymentVoucher()
{
    return QStringLiteral("select h.pdno,h.pddate from pddt d inner join pdhd h on h.id=d.pdhd where "
                          "(pddoctype='M') and (pddocid=:id)");
}

QString duplicateTaxNo()
{
    // The bill itself is left out on both halves (by its table and Id), so reopening a bill
    // and leaving its own tax number asks nothing.
    return QStringLiteral("select mrtaxno from mrhd where mrtaxno=:mrtaxno and delflag='N' and not (:credit = 1 and id = :id) "
                          "union select pctaxno from pchd where pctaxno=:mrtaxno and delflag='N' and not (:credit = 0 and id = :id)");
}

QString prepaid()
{
    return QStringLiteral("SELECT P.Id,P.Total,P.TaxTotal,P.PaidAmount,P.TaxRate From PrePaid P Where "
                          "(Ltrim(RTrim(P.PrNo)) = LTrim(RTrim(:GetNo))) And (P.Vendor = :GetVendor) And "
                          "(P.Delflag<>'Y')");
}

QString lastPrice(const Names& n)
{
    return QStringLiteral("select price from %1 where product=:pid and productunits=:uid order by %2 desc,id limit 1")
        .arg(n.dt.toLower(), n.date.toLower());
}

QString lastPriceOfVendor(const Names& n)
{
    return QStringLiteral("select d.price from %1 d inner join %2 h on h.id=d.%2 where d.product=:pid and "
                          "d.productunits=:uid and h.vendor=:vid order by h.%3 desc,h.id limit 1")
        .arg(n.dt.toLower(), n.hd.toLower(), n.date.toLower());
}

QString purchaseOrder()
{
    return QStringLiteral(
        "SELECT D.Id, D.Product, D.TaxCode, D.TaxRate, D.ProductUnits, D.ShipDate, D.Warehouse, D.LotNo, D.Quantity, "
        "D.Received, D.BackOrder, D.Fraction, D.Price, D.Discount, D.DiscountAmt, D.ProductAmount, D.Total, "
        "D.Clear,D.PoDate,D.QWeightSize,D.MemoLine, P.Code ProductCode, P.ThaiName ProductName, P.ProductType, "
        "P.LotControl, P.UseSerial,P.DefaultWh,X.Code WareHouseCode, U.UnitName,D.ProjectItemHd,PJ.Code "
        "ProjectItemCode, H.Id HdId, H.DelFlag, H.PoNo, H.Vendor, H.TaxCode HdTaxCode, H.TaxRate HdTaxRate, "
        "H.Price_IE, H.CreditDays, H.Reference, H.Remark, H.Project,H.Department,H.Approved,H.CanUseTax, "
        "H.DiscName1, H.DiscRate1, H.DiscAmt1, H.DiscName2, H.DiscRate2, H.DiscAmt2, H.DiscName3, H.DiscRate3, "
        "H.DiscAmt3, Coalesce(V.PurchaseCode, P.Code) PurchaseCode, Coalesce(V.PurchaseName, P.ThaiName) "
        "PurchaseName, (Select W.Code From Warehouse W Where (W.Id = D.Warehouse)) As WhCode\n"
        "FROM PoDt D Inner Join Product P ON (D.Product = P.Id) Inner Join ProductUnits U ON (D.ProductUnits = U.Id) "
        "Left Join ProjectItemHd PJ On PJ.Id=D.ProjectItemHd Inner Join PoHd H On (H.Id = D.PoHd) Inner Join "
        "WareHouse X on (X.Id = P.DefaultWh) Left Outer Join PartSource V On (V.Vendor = H.Vendor) And "
        "(V.ProductUnits = U.Id)\n"
        "WHERE (D.PoHd = :GetId) And (D.Clear <> 'Y') And (H.Clear <> 'Y') And (H.PoType = :GetType) "
        "Order By D.PoRecNo");
}

QString purchaseOrderId()
{
    return QStringLiteral("Select Id,PoNo from POHd Where (Ltrim(Rtrim(PoNo)) =Ltrim(Rtrim(:GetNo)))");
}

} // namespace ReceiptSql
