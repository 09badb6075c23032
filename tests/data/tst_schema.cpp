#include "data/DbAdmin.h"
#include "data/NkError.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include "support/SqliteFile.h"

#include <cmath>

namespace {

using Db = SqliteFile;

const QDate kToday(2026, 6, 15);

} // namespace

class TstSchema : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Db> m_company;
    std::unique_ptr<Db> m_config;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        DbAdmin::createDemo(m_dir.path(), kToday);
        m_company = std::make_unique<Db>(m_dir.filePath(QStringLiteral("DEMO.sqlite")));
        m_config = std::make_unique<Db>(m_dir.filePath(QStringLiteral("KOV_CONFIG.sqlite")));
    }

    void cleanupTestCase()
    {
        m_company.reset();
        m_config.reset();
    }

    void companyObjectsExist_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList names = {
            "Product", "ProductView", "ProductUnits", "ProductPrice", "PartSource", "LotNo", "SerialNo",
            "ProductOnHand", "productonhand01", "ProdAttrGroup", "ProdAttrCode", "ProductAttr", "ProductAttribute",
            "ProductInFo", "WorkId", "Warehouse", "Misc", "Tax", "Project", "ProjectItemHd", "ImportLotNo",
            "Vendor", "VendorGroup", "FrVendor", "VendorBalance", "VenAttrGroup", "VenAttrCode", "VendorAttribute",
            "Employee", "Salesman", "PrePaid", "pdhd", "pddt", "frmiscpdhd", "frmiscpddt", "DocumentNo",
            "DocNoConvert", "accountperiod", "Config", "glhd", "gldt", "NullTable", "UserLog", "SystemForm",
            "PoHd", "PoDt", "PoShip", "PoRQHd", "PoRQDt", "FrPoHd", "FrPoDt", "MrHd", "MrDt", "PcHd", "PcDt",
            "ImHd", "ImDt", "ImDuty", "ImDtDuty"};
        for (const QString& n : names)
            QTest::newRow(qPrintable(n)) << n;
    }
    void companyObjectsExist()
    {
        QFETCH(QString, name);
        QCOMPARE(m_company->count("SELECT COUNT(*) FROM sqlite_master WHERE type IN ('table','view') AND name = ? COLLATE NOCASE",
                                  {name}),
                 1);
    }

    // The documented statements of the forms run unchanged and see the columns they name.
    void documentStatementsRun_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("ImDt lines") << "SELECT D.ID, D.ImHd, D.ImRecNo, D.ImDate, D.PoDt, D.Product, D.ProductUnits, D.Warehouse, D.LotNo, D.SerialNo, D.ImDuty, D.Quantity, D.Fraction, D.Cost, D.Total, P.Code ProductCode, P.EngName ProductName, P.Blocked, P.LotControl, P.UseSerial, P.ProductType, U.UnitName, T.DutyNo, W.Code WhCode,L.Code LotCode FROM ImDt D Inner Join ProductView P On (D.Product = P.Id) Inner Join ProductUnits U On (D.ProductUnits = U.Id) Inner Join ImDuty T On (D.ImDuty = T.ID) Inner Join Warehouse W On (D.Warehouse = W.Id) LEFT OUTER JOIN LotNo L On (L.Id = D.LotNo) WHERE (D.ImHd = 1) Order By D.ImRecNo";
        QTest::newRow("ImHd search") << "SELECT H.Id,H.DelFlag, H.ImNo, H.ImDate, H.Reference, I.Code, V.Name, H.Total, C.Description FROM ImHd H Inner Join ImportLotNo I On (H.ImportLotNo = I.Id) Inner Join FrVendor V On (H.FrVendor = V.ID) Inner Join Misc C On (H.Currency = C.Id) WHERE (H.ImNo Like '%1') And (V.Code Like '%') And BeginBalance <> 'Y' Order By H.ImNo Desc";
        QTest::newRow("FrVendor terms") << "SELECT V.Code,V.Currency,V.DueDays,V.OpenAccount, V.CreditLimit,G.TaxCode,T.Rate TaxRate FROM FrVendor V Inner Join VendorGroup G On G.Id=V.VendorGroup Inner Join Tax T On T.Id=G.TaxCode Where V.Code = 'F001'";
        QTest::newRow("FrPo copy") << "Select F.Id DtiD,F.Product,P.Code ProductCode,P.Thainame, F.LotNo,F.productUnits,F.Warehouse,W.Code WhCode, F.Quantity,F.Fraction,F.Price,U.UnitName, F.Total,D.FrVenDor,D.Department,D.Project, D.Currency,D.Reference,D.Remark,D.Total, D.LotNo ,D.PoNo From frPoDt F Inner Join frPoHd D on (D.Id = F.FrPoHd) Inner Join Product P on (P.Id = F.Product) Inner Join ProductUnits U on (U.Id = F.ProductUnits) Inner Join Warehouse W On (W.Id = F.Warehouse) Where (PoNo ='FP2026-00001')";
        QTest::newRow("MrHd header") << "SELECT H.ID, H.DelFlag, H.MrType, H.MrNo, H.MrDate, H.ImportLotNo, H.MrTAXNO, H.MrTaxDate, H.MrPrintTaxDate,H.Department, H.Project, H.PoHd, H.Vendor, H.TaxCode, H.TaxRate, H.Price_IE, H.DueDays, H.DueDate, H.Warehouse, H.Reference, H.Remark, H.NoTaxAmt, H.TaxAmt, H.TaxTotal, H.TaxCal, H.Total, H.DiscName1, H.DiscRate1, H.DiscAmt1, H.DiscName2, H.DiscRate2, H.DiscAmt2, H.DiscName3, H.DiscRate3, H.DiscAmt3, H.Clear,H.CanUseTax, H.PaidAmount, H.LotNo, H.Posted, H.Imported, H.BeginBalance,H.Transfer, P.PrNo,H.Prepaid,H.PrepaidAmount, P.Total - P.PaidAmount PrePaidBalance FROM MrHd H Left Join PrePaid P On P.Id=H.PrePaid Where (ltrim(rtrim(H.MrNo)) = 'MS0001') And (H.MrType = 'S')";
        QTest::newRow("MrDt lines") << "SELECT D.ID, D.MrHd, D.MrRecNo, D.MrDate, D.PoDt, D.Product, D.TaxCode, D.TaxRate, D.ProductUnits, D.Warehouse, D.LotNo, D.ProductUnits ProductUnitsOld, D.SerialNo, D.Quantity, D.Fraction, D.Price, D.Cost, D.Discount, D.DiscountAmt, D.Total, D.ProductAmount,D.MemoLine,D.QWeightSize, D.Total - D.ProductAmount As TaxTotal,'Y'  OldDt,S.Onhand, P.Code ProductCode, P.ThaiName ProductName, P.LotControl, P.UseSerial, P.ProductType,P.PriceByVolumn, U.UnitName, U.BarCode, W.Code WhCode, L.Code LotCode, S.Serial,S.Serial OldSerial, V.PurchaseCode, V.PurchaseName,D.ProjectItemHd,X.Code ProjectItemCode, (Select PH.PoNo From PoHd PH Inner Join PoDt PD On (PH.Id = PD.PoHd) Where (PD.Id = D.PoDt)) As PoNo FROM MrDt D INNER JOIN Product P ON (D.Product = P.ID) INNER JOIN ProductUnits U ON (D.ProductUnits = U.Id) Left Outer JOIN Warehouse W ON (D.Warehouse = W.ID) LEFT OUTER JOIN LotNo L On (L.Id = D.LotNo) LEFT OUTER JOIN SerialNo S On (S.Id = D.SerialNo) Left Outer Join ProjectItemHd X On (X.Id=D.ProjectItemHd) Left Outer Join PartSource V On (V.ProductUnits = U.Id) And (V.Vendor = 1) WHERE (D.MrHd = 1) ORDER BY D.MrRecNo";
        QTest::newRow("PoRQ search") << "SELECT H.Id PrId, H.PoRQNo, H.PoRQDate, H.ShipDate, H.Reference, H.DelFlag, H.Total, H.Clear, V.NAME, V.CODE,H.Id,D.Code DepCode, P.Code ProjCode, E.Code EmpCode, E.Name EmpName FROM PoRQHd H LEFT  JOIN VENDOR V ON (H.VENDOR = V.ID) LEFT Join Misc D On (D.Id = H.Department) And(D.GroupCode = 'DEPARTMENT') Left Join Project P On (P.Id = H.Project) Left Join Employee E On (E.Id = H.Employee) WHERE (ltrim(rtrim(H.PoRQNo)) LIKE '%') ORDER BY PoRQNo DESC";
        QTest::newRow("Product search 3") << "Select P.Id, P.Code, P.ThaiName, P.ProductType, P.Picture1, (Select I.MemoDesc From ProductInFo I Where (I.Misc = (Select Material From WorkId)) AND (I.Product = P.Id)) || ' - ' || (Select I.MemoDesc From ProductInFo I Where (I.Misc = (Select Model From WorkId)) AND (I.Product = P.Id)) AS Remark From Product P Where (P.Code Like 'P%') And (P.MasterCode ='N') Order By P.Code";
        QTest::newRow("Product search 6") << "select p.id,p.code,p.thainame,P.ProductType, P.Picture1, o.onhand qnty from product p left join productonhand01 o on o.product=p.id";
        QTest::newRow("Product view") << "Select P.Id, P.Code, P.ThaiName, P.Remark, P.ProductType ,P.Picture1 From ProductView P Where (P.Code Like '%') And (P.Blocked <> 'Y') And (P.MasterCode ='N') And (P.ProductType <> 'S') And (ProductType <> 'M') Order By P.Code";
        QTest::newRow("Vendor picker") << "SELECT V.Blocked, V.HeadCode, V.Customer, V.TaxNumber, V.TaxCode, V.DueDays, V.OpenAccount, V.CreditLimit, V.DirectVendor, T.Rate TaxRate FROM Vendor V Inner Join Tax T On (T.Id = V.TaxCode) Where V.Code = 'V001'";
        QTest::newRow("payment voucher") << "select h.pdno,h.pddate from pddt d inner join pdhd h on h.id=d.pdhd where (pddoctype='M') and (pddocid=1)";
        QTest::newRow("SystemForm") << "Select FormOrderNo,FormCode,FormDesc,FrfName,SpName,DocCode,DocParaName,ShowPrintPreview From  SystemForm Where LTrim(RTrim(FormCode))=LTrim(RTrim('IMPORT')) Order By FormOrderNo";
        QTest::newRow("placeholder") << "Select 0 Id From NullTable";
        QTest::newRow("DelGL") << "delete from gldt where glhd in ( select id from glhd where glfromdocid=-1 and ltrim(rtrim(glfromdocno))='X' )";
    }
    void documentStatementsRun()
    {
        QFETCH(QString, sql);
        QSqlQuery q(m_company->db());
        QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
    }

    // The three start-up statements of the configuration database, as the suite's server ran them.
    void configStatementsRun()
    {
        QSqlQuery q(m_config->db());
        QVERIFY(q.prepare(
            "SELECT C.Company, C.PicturePath, C.Public_Price_IE, C.DefaultWh, C.POS1_Wh, C.POS1_TaxCode, C.POS1_Price_IE, C.POS1_PriceType, C.POS1_SumDetail, C.DefaultPosComPort,C.DefaultTax, C.DefaultPosMenuId,M.Command,M.MenuOption, O.Description, O.YearNo, P.Id, P.Code, P.Password, P.NameThai, P.NameEng, P.ShortName, P.Address1, P.Address2, P.Address3, P.Address4, P.Province, P.Zip, P.Telephone, P.Fax, P.EMail, P.Logo, P.TaxNo, P.InstallDate, P.RunYear, P.LocalServer FROM CompanyConfig C Inner Join DatabaseList O On (O.Company = C.Company) Inner Join Company P On (P.Id = O.Company) Left Outer Join Menu M On (M.Id = C.DefaultPosMenuId) Where (O.DatabaseName = :GetName)"));
        q.bindValue(":GetName", "demo");
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        QVERIFY(q.next());
        QCOMPARE(q.value("NameThai").toString(), QStringLiteral("บริษัท นำเข้าตัวอย่าง จำกัด"));
        QCOMPARE(q.value("PicturePath").toString(), m_dir.filePath("pictures"));

        QVERIFY(q.prepare("SELECT ID,CODE, PASSWORD, NAMETHAI, NAMEENG, SHORTNAME, ADDRESS1, ADDRESS2, ADDRESS3, ADDRESS4, PROVINCE, ZIP, TELEPHONE, FAX, EMAIL, LOGO, TAXNO, RUNYEAR FROM COMPANY Where (Id = (Select Distinct Company From DatabaseList Where DatabaseName = :GetName))"));
        q.bindValue(":GetName", "DEMO");
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        QVERIFY(q.next());
        QCOMPARE(q.value("RUNYEAR").toInt(), kToday.year());

        QVERIFY(q.prepare("select * from  username where id=:uid"));
        for (int uid : {1, 2}) {
            q.bindValue(":uid", uid);
            QVERIFY(q.exec());
            QVERIFY(q.next());
            QCOMPARE(q.value("LanguageNo").toInt(), uid == 1 ? 1 : 0);
            QCOMPARE(q.value("Approve_PO").toString(), QStringLiteral("Y"));
        }
        QVERIFY(m_config->count("SELECT COUNT(*) FROM softwareconfig") >= 1);
    }

    void textComparesIgnoreCase()
    {
        QCOMPARE(m_company->scalar("SELECT Id FROM Product WHERE Code = 'p001'").toInt(), 1);
        QCOMPARE(m_company->count("SELECT COUNT(*) FROM Misc WHERE GroupCode = 'currency'"), 5);
        QCOMPARE(m_company->scalar("SELECT Code FROM Product WHERE Code IN ('s002')").toString(), QStringLiteral("S002"));
        QCOMPARE(m_config->scalar("SELECT Id FROM username WHERE Code = 'admin'").toInt(), 1);
    }

    void demoMasterData()
    {
        const Db& c = *m_company;
        QVERIFY(c.count("SELECT COUNT(*) FROM Product") >= 12);
        for (const char* type : {"P", "S", "M"})
            QVERIFY2(c.count("SELECT COUNT(*) FROM Product WHERE ProductType = ?", {type}) > 0, type);
        for (const char* flag : {"Blocked", "MasterCode", "UseSerial", "LotControl"})
            QVERIFY2(c.count(QStringLiteral("SELECT COUNT(*) FROM Product WHERE %1 = 'Y'").arg(flag)) == 1, flag);
        // Every product has exactly one small unit and one stock unit; the small unit counts 1.
        QCOMPARE(c.count("SELECT COUNT(*) FROM Product P WHERE (SELECT COUNT(*) FROM ProductUnits U WHERE U.Product = P.Id AND U.SmallUnitFlag = 'Y' AND U.Fraction = 1) <> 1"), 0);
        QCOMPARE(c.count("SELECT COUNT(*) FROM Product P WHERE (SELECT COUNT(*) FROM ProductUnits U WHERE U.Product = P.Id AND U.StockUnitFlag = 'Y') <> 1"), 0);
        QCOMPARE(c.scalar("SELECT U.Fraction FROM ProductUnits U JOIN Product P ON P.Id = U.Product WHERE P.Code = 'P001' AND U.UnitName = 'กล่อง'").toInt(), 12);
        QCOMPARE(c.scalar("SELECT U.Fraction FROM ProductUnits U JOIN Product P ON P.Id = U.Product WHERE P.Code = 'P001' AND U.UnitName = 'ลัง'").toInt(), 144);
        // Every product of the demo passes the product check's joins except the blocked and master ones.
        QCOMPARE(c.count("SELECT COUNT(*) FROM Product P INNER JOIN Tax T On (T.Id = P.TaxCode) INNER JOIN Warehouse W On (W.Id = P.DefaultWh) WHERE (P.Blocked <> 'Y') And (P.MasterCode<>'Y')"),
                 c.count("SELECT COUNT(*) FROM Product") - 2);
        QCOMPARE(c.count("SELECT COUNT(*) FROM LotNo WHERE HasExpired <> 'N' AND ExpiredDate < ?", {kToday.toString(Qt::ISODate)}), 1);
        QCOMPARE(c.count("SELECT COUNT(DISTINCT M.Code) FROM FrVendor V JOIN Misc M ON M.Id = V.Currency AND M.GroupCode = 'CURRENCY' WHERE M.Code IN ('USD','JPY','EUR','CNY')"), 4);
        for (const char* group : {"CURRENCY", "DEPARTMENT", "CITY", "REM_PURC"})
            QVERIFY2(c.count("SELECT COUNT(*) FROM Misc WHERE GroupCode = ?", {group}) > 0, group);
        QCOMPARE(c.count("SELECT COUNT(*) FROM ImportLotNo WHERE Active = 'N'"), 1);
        QCOMPARE(c.scalar("SELECT Rate FROM Tax WHERE Code = 'VAT7'").toDouble(), 7.0);
        QCOMPARE(c.count("SELECT COUNT(*) FROM NullTable"), 1);
    }

    void demoNumberingAndSettings()
    {
        const Db& c = *m_company;
        const int y = kToday.year();
        for (const char* code : {"IMPORT", "FRPO-P", "FRPO-", "MR-S", "PC-S", "PO-S"})
            for (int year : {y, y + 1})
                QVERIFY2(c.count("SELECT COUNT(*) FROM DocumentNo WHERE Code = ? AND DocYear = ?", {code, year}) == 1,
                         qPrintable(QStringLiteral("%1 %2").arg(code).arg(year)));
        QCOMPARE(c.scalar("SELECT AutoRun FROM DocumentNo WHERE Code = 'IMPORT' AND DocYear = ?", {y}).toString(), QStringLiteral("Y"));
        QVERIFY(c.count("SELECT COUNT(*) FROM DocumentNo WHERE AutoRun = 'N' AND DocYear = ?", {y}) > 0);
        // Counters agree with the numbers the demo documents already use.
        QCOMPARE(c.scalar("SELECT LastNo FROM DocumentNo WHERE Code = 'IMPORT' AND DocYear = ?", {y}).toInt(),
                 c.count("SELECT COUNT(*) FROM ImHd"));
        QCOMPARE(c.scalar("SELECT LastNo FROM DocumentNo WHERE Code = 'FRPO-P' AND DocYear = ?", {y}).toInt(),
                 c.count("SELECT COUNT(*) FROM FrPoHd"));

        QSqlQuery cfg = c.query("SELECT * FROM Config");
        QVERIFY(cfg.next());
        QCOMPARE(cfg.value("RunYear").toInt(), y);
        QCOMPARE(cfg.value("UnitLeft").toString(), QString());
        QCOMPARE(cfg.value("UnitRight").toString(), QString());
        QCOMPARE(cfg.value("SearchProductNo").toInt(), 0);
        QCOMPARE(cfg.value("AutoGenGL").toString(), QStringLiteral("Y"));
        QCOMPARE(cfg.value("PicturePath").toString(), m_dir.filePath("pictures"));
        QVERIFY(!cfg.next());

        QCOMPARE(c.count("SELECT COUNT(*) FROM accountperiod WHERE AccountYear IN (?, ?)", {y - 1, y}), 2);
        QCOMPARE(c.scalar("SELECT Stop2 FROM accountperiod WHERE AccountYear = ?", {y}).toString(),
                 QDate(y, 3, 1).addDays(-1).toString("yyyy-MM-dd 00:00:00"));
        int locked = 0;
        QSqlQuery p = c.query("SELECT * FROM accountperiod");
        while (p.next())
            for (int m = 1; m <= 12; ++m)
                locked += p.value(QStringLiteral("Lock%1").arg(m)).toString() == "Y";
        QCOMPARE(locked, 1);

        for (const char* code : {"IMPORT", "FRPO-P", "MR-S", "PC-S"})
            QVERIFY2(c.count("SELECT COUNT(*) FROM SystemForm WHERE FormCode = ?", {code}) > 0, code);
    }

    void demoConfigUsers()
    {
        const Db& c = *m_config;
        QCOMPARE(c.count("SELECT COUNT(*) FROM Menu WHERE Id BETWEEN 1 AND 6 AND ProgramCode IN ('INBOUND','IMPBEGIN','IMEXPTRAN','IMEXCTRAN','IMPORTCOST','FRPO')"), 6);
        QCOMPARE(c.count("SELECT COUNT(*) FROM MenuRight WHERE UserId = 1 AND Access_R = 'Y' AND Add_R = 'Y' AND Modify_R = 'Y' AND Delete_R = 'Y'"), 6);
        QCOMPARE(c.count("SELECT COUNT(*) FROM MenuRight WHERE UserId = 3 AND Access_R = 'Y'"), 0);
        QCOMPARE(c.count("SELECT COUNT(*) FROM MenuRight WHERE UserId = 4 AND MenuId <= 6 AND Access_R = 'Y' AND Add_R <> 'Y' AND Modify_R <> 'Y' AND Delete_R <> 'Y'"), 6);
    }

    // Each duty group's amount is spread over its lines in proportion to their baht value and
    // nothing is lost or gained by the spreading.
    void dutySpreadsByBahtValue()
    {
        const Db& c = *m_company;
        QSqlQuery q = c.query(
            "SELECT V.Duty, D.Total * H.ExchangeRate, T.Total, "
            "(SELECT SUM(D2.Total * H.ExchangeRate) FROM ImDt D2 WHERE D2.ImDuty = D.ImDuty) "
            "FROM ImDtDuty V JOIN ImDt D ON D.ID = V.ImDt JOIN ImHd H ON H.ID = D.ImHd JOIN ImDuty T ON T.ID = D.ImDuty");
        int rows = 0;
        while (q.next()) {
            ++rows;
            QVERIFY(std::abs(q.value(0).toDouble() - q.value(2).toDouble() * q.value(1).toDouble() / q.value(3).toDouble()) < 1e-6);
        }
        QCOMPARE(rows, c.count("SELECT COUNT(*) FROM ImDt"));
        QCOMPARE(c.count("SELECT COUNT(*) FROM (SELECT T.ID FROM ImDuty T JOIN ImDtDuty V ON V.ImDuty = T.ID GROUP BY T.ID, T.Total HAVING ABS(SUM(V.Duty) - T.Total) > 0.000001)"), 0);
        // The lot of two documents at different rates: the shared group of the second document.
        QCOMPARE(c.scalar("SELECT SUM(Duty) FROM ImDtDuty WHERE ImportLotNo = 1 AND Product = 1").toDouble(), 1065.0 + 135.0);
    }

    void dutyOfWorthlessLinesIsSplitEquallyAndCancelledBringsNone()
    {
        QTemporaryDir dir;
        DbAdmin::createCompanyDatabase(dir.path(), "EMPTY");
        Db c(dir.filePath("EMPTY.sqlite"));
        c.query("INSERT INTO ImHd (ID, ImNo, ImportLotNo, ExchangeRate) VALUES (1, 'X1', 7, 30)");
        c.query("INSERT INTO ImDuty (ID, ImHd, DutyNo, Total) VALUES (1, 1, 1, 90)");
        c.query("INSERT INTO ImDt (ImHd, Product, ProductUnits, ImDuty, Quantity, Total) VALUES (1, 1, 1, 1, 5, 0), (1, 2, 1, 1, 5, 0), (1, 3, 1, 1, 5, 0)");
        QCOMPARE(c.count("SELECT COUNT(*) FROM ImDtDuty WHERE Duty = 30"), 3);
        c.query("UPDATE ImHd SET DelFlag = 'Y' WHERE ID = 1");
        QCOMPARE(c.count("SELECT COUNT(*) FROM ImDtDuty"), 0);
    }

    void demoVouchersBalanced()
    {
        const Db& c = *m_company;
        QCOMPARE(c.count("SELECT COUNT(*) FROM glhd"),
                 c.count("SELECT COUNT(*) FROM ImHd WHERE DelFlag = 'N' AND BeginBalance = 'N'")
                     + c.count("SELECT COUNT(*) FROM MrHd WHERE DelFlag = 'N'")
                     + c.count("SELECT COUNT(*) FROM PcHd WHERE DelFlag = 'N'"));
        QCOMPARE(c.count("SELECT COUNT(*) FROM glhd H WHERE ABS((SELECT SUM(debit) - SUM(credit) FROM gldt D WHERE D.glhd = H.id)) > 0.001"), 0);
    }

    void demoPicturesLoad()
    {
        const QString folder = m_dir.filePath("pictures");
        int shown = 0;
        QSqlQuery q = m_company->query("SELECT Picture1 FROM ProductView WHERE Picture1 <> ''");
        while (q.next()) {
            QImage img(QDir(folder).filePath(q.value(0).toString()));
            QVERIFY2(!img.isNull(), qPrintable(q.value(0).toString()));
            ++shown;
        }
        QVERIFY(shown >= 3);
    }

    void createdFilesUseWal()
    {
        QCOMPARE(m_company->scalar("PRAGMA journal_mode").toString(), QStringLiteral("wal"));
        QCOMPARE(m_config->scalar("PRAGMA journal_mode").toString(), QStringLiteral("wal"));
    }

    void creatingOverExistingFileFails()
    {
        const QString demo = m_dir.filePath("DEMO.sqlite");
        const qint64 size = QFileInfo(demo).size();
        QVERIFY_THROWS_EXCEPTION(NkError, DbAdmin::createDemo(m_dir.path(), kToday));
        QVERIFY_THROWS_EXCEPTION(NkError, DbAdmin::createCompanyDatabase(m_dir.path(), "DEMO"));
        QVERIFY_THROWS_EXCEPTION(NkError, DbAdmin::createConfigDatabase(m_dir.path()));
        QCOMPARE(QFileInfo(demo).size(), size);
        QCOMPARE(m_company->count("SELECT COUNT(*) FROM Product") >= 12, true);

        QTemporaryDir dir;
        DbAdmin::createCompanyDatabase(dir.path(), "ACME");
        try {
            DbAdmin::createCompanyDatabase(dir.path(), "ACME");
            QFAIL("second creation accepted");
        } catch (const NkError& e) {
            QVERIFY2(e.message().contains("ACME.sqlite"), qPrintable(e.message()));
        }
        QVERIFY_THROWS_EXCEPTION(NkError, DbAdmin::createCompanyDatabase(dir.path(), "../ACME"));
        QVERIFY_THROWS_EXCEPTION(NkError, DbAdmin::createCompanyDatabase(dir.path(), " "));
    }

    // A company database of the older schema (numbers not unique) brought up to date: every
    // document table gets its unique number per kind, except one already holding a number
    // twice, which is listed and left until renumbered.
    void upgradeMakesDocumentNumbersUnique()
    {
        QTemporaryDir dir;
        DbAdmin::createCompanyDatabase(dir.path(), "OLD");
        {
            Db old(dir.filePath("OLD.sqlite"));
            for (const char* index : {"IX_ImHd_ImNo", "IX_MrHd_MrNo", "IX_PcHd_PcNo", "IX_PoHd_PoNo", "IX_FrPoHd_PoNo"})
                old.query(QString("DROP INDEX %1").arg(index));
            old.query("CREATE INDEX IX_ImHd_ImNo ON ImHd (ImNo)");
            old.query("DROP INDEX IX_ImHd_SaveKey"); // from before the save keys
            old.query("ALTER TABLE ImHd DROP COLUMN SaveKey");
            old.query("INSERT INTO ImHd (ImNo) VALUES ('IM-1'), ('IM-1'), ('IM-2')");
            old.query("INSERT INTO MrHd (MrType, MrNo) VALUES ('S', 'MR-1'), ('P', 'MR-1')");
        }
        QStringList report = DbAdmin::upgradeCompanyDatabase(dir.path(), "OLD");
        // The five document tables, the foreign orders' receipts, the estimates' tables.
        // ... and the save keys.
        QCOMPARE(report.size(), 9);
        QCOMPARE(report[6], QString("FrPoEstHd, FrPoEstDt, FrPoEstSetting: landed cost estimates already there"));
        QCOMPARE(report.mid(7), QStringList({"ImHd: save keys added", "MrHd, PcHd, FrPoHd: save keys already there"}));
        QCOMPARE(report[0], QString("ImHd: left as it is, these numbers are used more than once: \"IM-1\""));
        QCOMPARE(report.filter("numbers made unique").size(), 4);
        {
            Db old(dir.filePath("OLD.sqlite"));
            QVERIFY(!QSqlQuery(old.db()).exec("INSERT INTO MrHd (MrType, MrNo) VALUES ('S', 'MR-1')"));
            QVERIFY(QSqlQuery(old.db()).exec("INSERT INTO MrHd (MrType, MrNo) VALUES ('X', 'MR-1')")); // another kind
            old.query("DELETE FROM ImHd WHERE Id = 2");
        }
        report = DbAdmin::upgradeCompanyDatabase(dir.path(), "OLD");
        QCOMPARE(report[0], QString("ImHd: numbers made unique"));
        QCOMPARE(report.filter("already unique").size(), 4);
        Db old(dir.filePath("OLD.sqlite"));
        QVERIFY(!QSqlQuery(old.db()).exec("INSERT INTO ImHd (ImNo) VALUES ('IM-2')"));
        old.query("INSERT INTO ImHd (ImNo, SaveKey) VALUES ('IM-3', 'k1')");
        QVERIFY(!QSqlQuery(old.db()).exec("INSERT INTO ImHd (ImNo, SaveKey) VALUES ('IM-4', 'k1')"));
    }

    void scriptStatementsSplit_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected"); // values of T.V in Id order

        QTest::newRow("plain") << "INSERT INTO T (V) VALUES ('a');\nINSERT INTO T (V) VALUES ('b');" << QStringList{"a", "b"};
        QTest::newRow("semicolon in string at line end")
            << "INSERT INTO T (V) VALUES ('x;\ny;\n');\nINSERT INTO T (V) VALUES ('z');" << QStringList{"x;\ny;\n", "z"};
        QTest::newRow("comment lines and blanks")
            << "-- first\n\nINSERT INTO T (V)\n-- inside\nVALUES ('c');   \n  -- last" << QStringList{"c"};
        QTest::newRow("comment marker inside string")
            << "INSERT INTO T (V) VALUES ('a\n-- not a comment\n');" << QStringList{"a\n-- not a comment\n"};
        QTest::newRow("doubled quote") << "INSERT INTO T (V) VALUES ('it''s;');\nINSERT INTO T (V) VALUES ('d');"
                                       << QStringList{"it's;", "d"};
        QTest::newRow("semicolon inside line") << "INSERT INTO T (V) VALUES ('e'); -- trailing\nINSERT INTO T (V) VALUES ('f');"
                                               << QStringList{"f"};
        QTest::newRow("placeholders") << "INSERT INTO T (V) VALUES ('{{PREVYEAR}}/{{YEAR}}/{{NEXTYEAR}}/{{TODAY}}')"
                                      << QStringList{"2025/2026/2027/2026-06-15"};
        QTest::newRow("CRLF") << "INSERT INTO T (V) VALUES ('g');\r\nINSERT INTO T (V) VALUES ('h');\r\n" << QStringList{"g", "h"};
    }
    void scriptStatementsSplit()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        Db c(dir.filePath("s.sqlite"));
        c.query("CREATE TABLE T (Id INTEGER PRIMARY KEY AUTOINCREMENT, V TEXT)");
        if (QString(QTest::currentDataTag()) == "semicolon inside line") {
            // A ";" followed by more text does not end the statement: the two inserts are one
            // statement, which the engine refuses.
            QVERIFY_THROWS_EXCEPTION(NkError, DbAdmin::runScript(c.db(), script, kToday));
            c.query("INSERT INTO T (V) VALUES ('f')");
        } else {
            DbAdmin::runScript(c.db(), script, kToday);
        }
        QStringList got;
        QSqlQuery q = c.query("SELECT V FROM T ORDER BY Id");
        while (q.next())
            got << q.value(0).toString();
        QCOMPARE(got, expected);
    }

    void scriptErrorNamesStatement()
    {
        QTemporaryDir dir;
        Db c(dir.filePath("e.sqlite"));
        try {
            DbAdmin::runScript(c.db(), "CREATE TABLE A (Id INTEGER);\n\nCREATE TABLE A (Id INTEGER);\n", kToday);
            QFAIL("duplicate table accepted");
        } catch (const NkError& e) {
            QVERIFY2(e.message().contains("statement 2") && e.message().contains("line 3")
                         && e.message().contains("CREATE TABLE A"),
                     qPrintable(e.message()));
        }
        QVERIFY_THROWS_EXCEPTION(NkError, DbAdmin::runScript(c.db(), "INSERT INTO A VALUES ('open);", kToday));
        QVERIFY_THROWS_EXCEPTION(NkError, DbAdmin::scriptText("no_such_script.sql"));
    }
};

QTEST_GUILESS_MAIN(TstSchema)
#include "tst_schema.moc"
