#include "forms/purchase/PoSql.h"

#include <QStringList>

#include "forms/import/InboundSql.h"

namespace PoSql {

Config foreign()
{
    Config c;
    c.foreign = true;
    c.poType = QStringLiteral("P");
    c.hd = QStringLiteral("FrPoHd");
    c.dt = QStringLiteral("FrPoDt");
    c.lineLink = QStringLiteral("FrPoHd");
    c.vendorField = QStringLiteral("FrVendor");
    c.docCode = QStringLiteral("FRPO-P");
    return c;
}

Config domestic(const QString& poType)
{
    Config c;
    c.foreign = false;
    c.poType = poType;
    c.hd = QStringLiteral("PoHd");
    c.dt = QStringLiteral("PoDt");
    c.lineLink = QStringLiteral("PoHd");
    c.vendorField = QStringLiteral("Vendor");
    c.docCode = QStringLiteral("PO-") + poType;
    c.deliveryAddress = true;
    c.requestLink = true;
    c.creditCheck = true;
    c.projectRequired = true;
    return c;
}

QString header(const Config& c)
{
    const QString first = c.foreign ? QStringLiteral("SELECT H.ID, H.DelFlag, H.PoType, H.PoNo, H.PoDate, H.PrNo,H.CanUseTax,\n")
                                    : QStringLiteral("SELECT H.ID, H.DelFlag, H.PoType, H.PoNo, H.PoDate, H.PrNo,\n");
    const QString last = c.foreign ? QStringLiteral("H.PurcRequestNo,H.PurcRequestDate,H.PaidType,H.Currency,H.Approved,H.ProformaNo\n")
                                   : QStringLiteral("H.PurcRequestNo,H.PurcRequestDate,H.PaidType,H.Approved,H.CanUseTax, H.PorqHd\n");
    return first + QStringLiteral("H.%1, H.PrePaid, H.Department, H.Project, H.TaxCode, H.TaxRate, H.Price_IE,\n").arg(c.vendorField)
           + QStringLiteral("H.ShipDate, H.CreditDays, H.Reference, H.Remark, H.NoTaxAmt, H.TaxAmt, H.TaxTotal,\n"
                            "H.TaxCal, H.Total, H.DiscName1, H.DiscRate1, H.DiscAmt1, H.DiscName2, H.DiscRate2,\n"
                            "H.DiscAmt2, H.DiscName3, H.DiscRate3, H.DiscAmt3, H.Clear, H.LotNo, H.Posted, H.Imported,\n")
           + last + QStringLiteral("FROM %1 H\nWhere (H.PoNo = :GetNo) And (H.PoType = :GetType)").arg(c.hd);
}

QString headerColumns(const Config& c)
{
    const QString middle = QStringLiteral(
        "PrePaid, Department, Project, TaxCode, TaxRate, Price_IE, ShipDate, CreditDays, Reference, Remark, NoTaxAmt, "
        "TaxAmt, TaxTotal, TaxCal, Total, DiscName1, DiscRate1, DiscAmt1, DiscName2, DiscRate2, DiscAmt2, DiscName3, "
        "DiscRate3, DiscAmt3, Clear, LotNo, Posted, Imported, PurcRequestNo, PurcRequestDate, PaidType, ");
    if (c.foreign)
        return QStringLiteral("DelFlag, PoType, PoNo, PoDate, PrNo, CanUseTax, FrVendor, ") + middle
               + QStringLiteral("Currency, Approved, ProformaNo");
    return QStringLiteral("DelFlag, PoType, PoNo, PoDate, PrNo, Vendor, ") + middle
           + QStringLiteral("Approved, CanUseTax, PorqHd");
}

QString headerInsert(const Config& c)
{
    return InboundSql::insertInto(c.hd, headerColumns(c));
}

QString headerModify(const Config& c)
{
    return InboundSql::updateById(c.hd, headerColumns(c));
}

QString headerDelete(const Config& c)
{
    return QStringLiteral("delete from %1\nwhere\nID = :OLD_ID").arg(c.hd);
}

QString lines(const Config& c)
{
    // The domestic lines bring their load-time quantities and request links along; the
    // foreign lines what they received and still wait for in their own unit, for the grid.
    const QString extra = c.foreign ? QStringLiteral(",\nCase When D.Fraction > 0 Then D.Received / D.Fraction Else D.Received End ReceivedQty,"
                                                     "\nCase When D.Fraction > 0 Then D.BackOrder / D.Fraction Else D.BackOrder End BackOrderQty")
                                    : QStringLiteral(",\nD.Quantity QuantityOld, D.BackOrder BackOrderOld, D.Fraction OldFraction,\n"
                                                     "d.porqhd, d.porqdt");
    return QStringLiteral("SELECT D.ID, D.%1, D.PoRecNo, D.PoDate, D.Product, D.TaxCode, D.TaxRate,\n").arg(c.lineLink)
           + QStringLiteral(
               "D.ProductUnits, D.ShipDate, D.Warehouse, D.LotNo, D.Quantity,D.QWeightSize,\n"
               "D.Received, D.BackOrder, D.Fraction, D.Price, D.Discount, D.DiscountAmt,\n"
               "D.ProductAmount, D.Total, D.Clear, D.Total - D.ProductAmount As TaxTotal,\n"
               "P.Code ProductCode, ")
           + (c.englishNames ? QStringLiteral("Coalesce(NullIf(Trim(P.EngName), ''), P.ThaiName)") : QStringLiteral("P.ThaiName"))
           + QStringLiteral(" ProductName, P.UseSerial, P.LotControl, P.DefaultWH,\n"
               "P.ProductType, U.UnitName, U.BarCode, W.Code WhCode, L.Code LotCode,P.PriceByVolumn,\n"
               "V.PurchaseCode, V.PurchaseName,D.MemoLine,D.ProjectItemHd,X.Code ProjectItemCode")
           + extra
           + QStringLiteral("\nFROM %1 D\n"
                            "Inner Join Product P On (D.Product = P.Id)\n"
                            "Inner Join ProductUnits U On (D.ProductUnits = U.Id)\n"
                            "Left Outer Join WareHouse W On (D.Warehouse = W.Id)\n"
                            "Left Outer Join LotNo L On (D.LotNo = L.Id)\n"
                            "Left Outer Join ProjectItemHd X On (X.Id=D.ProjectItemHd)\n"
                            "Left Outer Join PartSource V On (V.ProductUnits = U.Id) And (V.Vendor = :GetVId)\n"
                            "WHERE (D.%2 = :GetHdId)\n"
                            "Order By D.PoRecNo")
                 .arg(c.dt, c.lineLink);
}

QString lineColumns(const Config& c)
{
    return c.lineLink
           + QStringLiteral(", PoRecNo, PoDate, Product, TaxCode, TaxRate, ProductUnits, ShipDate, Warehouse, LotNo, "
                            "Quantity, QWeightSize, Received, BackOrder, Fraction, Price, Discount, DiscountAmt, "
                            "ProductAmount, Total, Clear, MemoLine, ProjectItemHd")
           + (c.foreign ? QString() : QStringLiteral(", porqhd, porqdt"));
}

QString lineInsert(const Config& c)
{
    return InboundSql::insertInto(c.dt, lineColumns(c));
}

QString lineModify(const Config& c)
{
    return InboundSql::updateById(c.dt, lineColumns(c));
}

QString lineDelete(const Config& c)
{
    return QStringLiteral("delete from %1\nwhere\nID = :OLD_ID").arg(c.dt);
}

QString approve(const Config& c)
{
    return QStringLiteral("update %1 set approved='Y'  where id=:Id").arg(c.hd.toLower());
}

} // namespace PoSql
