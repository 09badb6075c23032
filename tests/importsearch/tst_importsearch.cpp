// The import document search, the import lot and foreign vendor pickers and the purchase
// order searches, driven through their widgets on the demo company.
#include "data/Translation.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "forms/import/TFaGetFrVendor.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/import/TFrSearchFrVendor.h"
#include "forms/import/TFrSearchImNo.h"
#include "forms/purchase/TFrSearchFrPoNo.h"
#include "forms/purchase/TFrSearchPoNo.h"
#include "search/SearchQuery.h"
#include "search/SimpleSearch.h"
#include "support/TestEnv.h"
#include "widgets/TLookupEdit.h"

#include <QDir>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

const QDate Today(2026, 12, 9);
const QString Y = QStringLiteral("2026");

QStringList column(const SearchQuery* q, const QString& field)
{
    QStringList out;
    for (int r = 0; r < q->RecordCount(); ++r)
        out << q->value(r, field).toString().trimmed();
    return out;
}

int rowOf(const SearchQuery* q, const QString& field, const QString& value)
{
    for (int r = 0; r < q->RecordCount(); ++r)
        if (q->value(r, field).toString().trimmed() == value)
            return r;
    return -1;
}

// What the field sees when the user leaves it.
void leave(QWidget* w)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &out);
}

void enter(QWidget* w)
{
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &in);
}

} // namespace

class TstImportSearch : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;

    void addImport(const QString& no, int vendor, const QString& begin = QStringLiteral("N"),
                   const QString& del = QStringLiteral("N"))
    {
        env->exec(QStringLiteral("INSERT INTO ImHd (ImNo, ImDate, ImportLotNo, FrVendor, Currency, Total, DelFlag, "
                                 "BeginBalance) VALUES (:No, '2026-04-01 00:00:00', 1, :V, 2, 100, :Del, :Begin)"),
                  {{"No", no}, {"V", vendor}, {"Del", del}, {"Begin", begin}});
    }
    int addFrVendor(const QString& code, const QString& name)
    {
        env->exec(QStringLiteral("INSERT INTO FrVendor (Code, Name, VendorGroup, Country, Currency) "
                                 "VALUES (:C, :N, 2, 14, 2)"),
                  {{"C", code}, {"N", name}});
        return env->scalar(QStringLiteral("select Id from FrVendor where Code = :C"), {{"C", code}}).toInt();
    }
    void addFrPo(const QString& no, int vendor, const QString& clear = QStringLiteral("N"))
    {
        env->exec(QStringLiteral("INSERT INTO FrPoHd (PoType, PoNo, PoDate, FrVendor, Total, Clear, DelFlag) "
                                 "VALUES ('P', :No, '2026-05-01 00:00:00', :V, 10, :Cl, 'N')"),
                  {{"No", no}, {"V", vendor}, {"Cl", clear}});
    }
    void addPo(const QString& no, const QString& type, int vendor, const QString& clear,
               const QVariant& salesman = QVariant())
    {
        env->exec(QStringLiteral("INSERT INTO PoHd (PoType, PoNo, PoDate, Vendor, Total, Clear, DelFlag, Salesman) "
                                 "VALUES (:T, :No, '2026-05-01 00:00:00', :V, 10, :Cl, 'N', :S)"),
                  {{"T", type}, {"No", no}, {"V", vendor}, {"Cl", clear}, {"S", salesman}});
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnv>(TestEnv::Data::Demo, Today);
        Translation::useLanguage(true);
        TFrSearch::ResetSortState();
    }
    void cleanup()
    {
        MessageService::setDialogHook({});
        env.reset();
    }

    // ---- import document search ------------------------------------------------------

    void imNoMatchesTheEndOfTheNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("15 at the end, not the start") << "15" << QStringList{"IM-0115", "IM-0015"};
        QTest::newRow("empty lists all, newest first")
            << "" << QStringList{"IM" + Y + "-00003", "IM" + Y + "-00002", "IM" + Y + "-00001", "IM-1500",
                                 "IM-0115", "IM-0015"};
        QTest::newRow("whole number") << "IM" + Y + "-00002" << QStringList{"IM" + Y + "-00002"};
        QTest::newRow("nothing") << "99" << QStringList{};
    }
    void imNoMatchesTheEndOfTheNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, found);
        addImport(QStringLiteral("IM-0015"), 1);
        addImport(QStringLiteral("IM-0115"), 2);
        addImport(QStringLiteral("IM-1500"), 1);
        TFrSearchImNo dlg;
        dlg.TableName = QStringLiteral("ImHd");
        dlg.show();
        QCOMPARE(dlg.ResultField, QStringLiteral("ImNo"));
        dlg.Code->setText(typed);
        QTest::keyClick(dlg.Code, Qt::Key_Return);
        QCOMPARE(column(dlg.QSearch, QStringLiteral("ImNo")), found);
        if (!found.isEmpty()) {
            dlg.BtOkClick();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(dlg.ResultValue, found.first());
        }
    }

    void imNoModeSeparatesOpeningBills()
    {
        addImport(QStringLiteral("OB-00001"), 1, QStringLiteral("Y"));
        addImport(QStringLiteral("OB-00002"), 2, QStringLiteral("Y"));
        TFrSearchImNo dlg;
        dlg.show();
        dlg.Code->setText(QStringLiteral("00001"));
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("ImNo")), QStringList{"IM" + Y + "-00001"});

        dlg.hide();
        dlg.BeginBalance = QStringLiteral("Y");
        dlg.show();
        QVERIFY(dlg.Code->text().isEmpty());
        dlg.Code->setText(QStringLiteral("00001"));
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("ImNo")), QStringList{"OB-00001"});
        dlg.Code->clear();
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("ImNo")), (QStringList{"OB-00002", "OB-00001"}));
    }

    void imNoVendorCodeIsAPrefix()
    {
        const int ab1 = addFrVendor(QStringLiteral("AB1"), QStringLiteral("Alpha Bravo One"));
        const int ab2 = addFrVendor(QStringLiteral("AB2"), QStringLiteral("Alpha Bravo Two"));
        const int xab = addFrVendor(QStringLiteral("XAB"), QStringLiteral("Other"));
        addImport(QStringLiteral("IM-A1"), ab1);
        addImport(QStringLiteral("IM-A2"), ab2);
        addImport(QStringLiteral("IM-X1"), xab);
        TFrSearchImNo dlg;
        dlg.show();
        // The vendor filter starts empty on the scratch row.
        QVERIFY(dlg.FaGetFrVendor->text().isEmpty());
        QCOMPARE(dlg.FaGetFrVendor->Edit->dataSet(), dlg.QNullTable);
        dlg.FaGetFrVendor->Edit->setText(QStringLiteral("ab"));
        QCOMPARE(dlg.FaGetFrVendor->text(), QStringLiteral("AB")); // upper-case input
        leave(dlg.FaGetFrVendor->Edit);
        // No vendor has the code AB itself; the text stays as a filter.
        QVERIFY(!dlg.FaGetFrVendor->Found());
        QCOMPARE(dlg.FaGetFrVendor->text(), QStringLiteral("AB"));
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("ImNo")), (QStringList{"IM-A2", "IM-A1"}));

        dlg.FaGetFrVendor->Edit->setText(QStringLiteral("F002"));
        leave(dlg.FaGetFrVendor->Edit);
        QCOMPARE(dlg.QNullTable->FieldByName(QStringLiteral("Id")).toInt(), 2);
        QCOMPARE(dlg.FaGetFrVendor->DescLabel->text(), QStringLiteral("Sakura Bungu Co., Ltd."));
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("ImNo")), QStringList{"IM" + Y + "-00003"});
        QCOMPARE(column(dlg.QSearch, QStringLiteral("Description")), QStringList{QStringLiteral("เยนญี่ปุ่น")});
        // The scratch row is never written anywhere.
        QCOMPARE(env->count(QStringLiteral("NullTable")), 1);
    }

    void imNoCancelledDocumentIsRefused()
    {
        addImport(QStringLiteral("IM-DEL9"), 1, QStringLiteral("N"), QStringLiteral("Y"));
        TFrSearchImNo dlg;
        dlg.TableName = QStringLiteral("ImHd");
        dlg.show();
        dlg.BtSearchClick();
        const int del = rowOf(dlg.QSearch, QStringLiteral("ImNo"), QStringLiteral("IM-DEL9"));
        QVERIFY(del >= 0);
        QCOMPARE(dlg.QSearch->rowColor(del), QColor(Qt::red));
        dlg.setCurrentRow(del);
        MessageService::clearShown();
        QTest::keyClick(dlg.DgSearch, Qt::Key_Return);
        QCOMPARE(MessageService::lastText(), QStringLiteral("เอกสารถูกยกเลิกแล้ว"));
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.ResultValue.isEmpty());
        // Escape afterwards gives the caller nothing.
        QTest::keyClick(dlg.DgSearch, Qt::Key_Escape);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(dlg.ResultValue.isEmpty());
    }

    void imNoQuoteIsHarmless()
    {
        addImport(QStringLiteral("IM'7"), 1);
        TFrSearchImNo dlg;
        dlg.show();
        dlg.Code->setText(QStringLiteral("'7"));
        dlg.FaGetFrVendor->Edit->setText(QStringLiteral("F0'"));
        leave(dlg.FaGetFrVendor->Edit);
        QVERIFY(!dlg.FaGetFrVendor->Found());
        dlg.FaGetFrVendor->Edit->setText(QStringLiteral("F00"));
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("ImNo")), QStringList{QStringLiteral("IM'7")});
        QCOMPARE(env->count(QStringLiteral("ImHd")), 4);
    }

    // ---- foreign vendor picker and search ---------------------------------------------

    void frVendorSearchFindsAWordAnywhere_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("word inside") << "Stationery" << QStringList{"F004", "F009"};
        QTest::newRow("lower case") << "office" << QStringList{"F001"};
        QTest::newRow("empty lists all") << "" << QStringList{"F004", "F001", "F003", "F002", "F009"};
        QTest::newRow("quote") << "O'B" << QStringList{"F008"};
    }
    void frVendorSearchFindsAWordAnywhere()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, codes);
        addFrVendor(QStringLiteral("F009"), QStringLiteral("Stationery World"));
        addFrVendor(QStringLiteral("F008"), QStringLiteral("O'Brien"));
        if (typed.isEmpty())
            env->exec(QStringLiteral("DELETE FROM FrVendor WHERE Code = 'F008'"));
        TFrSearchFrVendor dlg;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("ค้นหาเจ้าหนี้ต่างประเทศ"));
        dlg.Code->setText(typed);
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("Code")), codes);
        dlg.BtOkClick();
        QCOMPARE(dlg.ResultValue, codes.first());
    }

    void frVendorPickerReadsTheTerms()
    {
        CachedDataSet hd(nullptr, QStringLiteral("QHd"));
        hd.defineFields({QStringLiteral("FrVendor"), QStringLiteral("Currency")});
        hd.Open();
        hd.Append();
        TFaGetFrVendor frame;
        frame.bind(&hd, QStringLiteral("FrVendor"));
        int exits = 0;
        frame.VendorExit = [&] {
            ++exits;
            if (frame.Found())
                hd.SetField(QStringLiteral("Currency"), frame.Term(QStringLiteral("Currency")));
        };
        frame.show();

        // Button: choose F002 in the search; the code lands in the field, which gets the focus.
        QStringList listed;
        MessageService::setDialogHook([&](QDialog* d) {
            auto* s = qobject_cast<TFrSearchFrVendor*>(d);
            s->show();
            s->Code->setText(QStringLiteral("Sakura"));
            s->BtSearchClick();
            listed = column(s->QSearch, QStringLiteral("Code"));
            s->BtOkClick();
            return s->result();
        });
        enter(frame.Edit);
        QVERIFY(frame.BtSearch->isEnabled());
        QTest::keyClick(frame.Edit, Qt::Key_F5);
        QCOMPARE(listed, QStringList{"F002"});
        QCOMPARE(frame.text(), QStringLiteral("F002"));
        // Nothing is looked up until the field is left.
        QVERIFY(hd.FieldByName(QStringLiteral("FrVendor")).isNull());
        TFrSearchFrVendor* first = frame.searchDialog();
        leave(frame.Edit);
        QVERIFY(!frame.BtSearch->isEnabled());
        QCOMPARE(exits, 1);
        QCOMPARE(hd.FieldByName(QStringLiteral("FrVendor")).toInt(), 2);
        QCOMPARE(hd.FieldByName(QStringLiteral("Currency")).toInt(), 3);
        QCOMPARE(frame.Term(QStringLiteral("DueDays")).toInt(), 30);
        QCOMPARE(frame.Term(QStringLiteral("TaxCode")).toInt(), 2);
        QCOMPARE(frame.Term(QStringLiteral("TaxRate")).toDouble(), 0.0);
        QCOMPARE(frame.DescLabel->text(), QStringLiteral("Sakura Bungu Co., Ltd."));

        // The search is kept for the next use.
        frame.BtSearch->setEnabled(true);
        frame.BtSearch->click();
        QCOMPARE(frame.searchDialog(), first);

        // An unknown code clears the Id and says so; the caller sees no terms.
        frame.Vendor->setText(QStringLiteral("NOPE"));
        leave(frame.Edit);
        QCOMPARE(exits, 2);
        QVERIFY(!frame.Found());
        QVERIFY(!frame.TermsFound());
        QVERIFY(hd.FieldByName(QStringLiteral("FrVendor")).isNull());
        QCOMPARE(frame.DescLabel->text(), TLookupEdit::notFoundText());
        QCOMPARE(frame.text(), QStringLiteral("NOPE"));

        // An empty code is not accepted here.
        frame.Vendor->setText(QString());
        leave(frame.Edit);
        QVERIFY(!frame.Found());
        QCOMPARE(frame.DescLabel->text(), TLookupEdit::emptyRefusedText());

        // An Id put into the column from outside shows its code.
        hd.SetField(QStringLiteral("FrVendor"), 4);
        QCOMPARE(frame.text(), QStringLiteral("F004"));
        QCOMPARE(frame.DescLabel->text(), QStringLiteral("Huadong Stationery Co., Ltd."));
    }

    // ---- import lot picker --------------------------------------------------------------

    void lotSearchListsInactiveLotsButTheImportFrameRefusesThem_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("import forms") << TFaGetImportLotNo::activeFilter() << false;
        QTest::newRow("import cost form") << QString() << true;
    }
    void lotSearchListsInactiveLotsButTheImportFrameRefusesThem()
    {
        QFETCH(QString, filter);
        QFETCH(bool, accepted);
        CachedDataSet hd(nullptr, QStringLiteral("QHd"));
        hd.defineFields({QStringLiteral("ImportLotNo")});
        hd.Open();
        hd.Append();
        TFaGetImportLotNo frame;
        frame.setFilter(filter);
        frame.bind(&hd, QStringLiteral("ImportLotNo"));
        frame.show();
        const QString oldLot = QStringLiteral("LOT2025-12");
        QStringList listed;
        QString title;
        MessageService::setDialogHook([&](QDialog* d) {
            auto* s = qobject_cast<TFrSimpleSearch*>(d);
            s->show();
            title = s->windowTitle();
            s->BtSearchClick();
            listed = column(s->QSearch, QStringLiteral("Code"));
            s->setCurrentRow(rowOf(s->QSearch, QStringLiteral("Code"), oldLot));
            s->BtOkClick();
            return s->result();
        });
        frame.BtSearchClick();
        QCOMPARE(title, QStringLiteral("ค้นหา Import Lot No."));
        QCOMPARE(listed.size(), 3);
        QVERIFY(listed.contains(oldLot));
        QCOMPARE(frame.Code->text(), oldLot);
        leave(frame.Edit);
        QCOMPARE(frame.Code->valid(), accepted);
        if (accepted) {
            QCOMPARE(hd.FieldByName(QStringLiteral("ImportLotNo")).toInt(), 3);
            QCOMPARE(frame.DescLabel->text(), QStringLiteral("ล็อตปีก่อน ปิดแล้ว"));
        } else {
            QVERIFY(hd.FieldByName(QStringLiteral("ImportLotNo")).isNull());
            QCOMPARE(frame.DescLabel->text(), TLookupEdit::notFoundText());
        }
        // An active lot passes either way.
        frame.Code->setText(QStringLiteral("lot2026-02"));
        leave(frame.Edit);
        QVERIFY(frame.Code->valid());
        QCOMPARE(hd.FieldByName(QStringLiteral("ImportLotNo")).toInt(), 2);
    }

    void lotFrameEnterHook()
    {
        TFaGetImportLotNo frame;
        int entered = 0;
        frame.CodeEnter = [&] { ++entered; };
        frame.show();
        enter(frame.Code);
        QCOMPARE(entered, 1);
        QVERIFY(frame.BtSearch->isEnabled());
        // Coming back from the lot search or a message box is no entering.
        QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(frame.Code, &back);
        QCOMPARE(entered, 1);
        leave(frame.Code);
        QVERIFY(!frame.BtSearch->isEnabled());
        enter(frame.Code);
        QCOMPARE(entered, 2);
    }

    // ---- purchase order searches --------------------------------------------------------

    void poSearchNumberTypeVendorAndSwitch_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("outstanding");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("vendor");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("prefix of the trimmed number, newest first")
            << "P" << "" << "12" << "" << QStringList{"1299", "12-B", "12-A"};
        QTest::newRow("other type") << "S" << "" << "" << "" << QStringList{"PS0001"};
        QTest::newRow("outstanding only") << "P" << "N" << "12" << "" << QStringList{"12-B", "12-A"};
        QTest::newRow("received only") << "P" << "Y" << "" << "" << QStringList{"1299"};
        QTest::newRow("one vendor") << "P" << "" << "12" << "V002" << QStringList{"12-B"};
        QTest::newRow("quote in the number") << "P" << "" << "O'B" << "" << QStringList{"O'B1"};
        QTest::newRow("quote in the vendor") << "P" << "" << "" << "V'1" << QStringList{};
    }
    void poSearchNumberTypeVendorAndSwitch()
    {
        QFETCH(QString, type);
        QFETCH(QString, outstanding);
        QFETCH(QString, typed);
        QFETCH(QString, vendor);
        QFETCH(QStringList, found);
        addPo(QStringLiteral("  12-A"), QStringLiteral("P"), 1, QStringLiteral("N"), 1);
        addPo(QStringLiteral("  12-B"), QStringLiteral("P"), 2, QStringLiteral("N"));
        addPo(QStringLiteral("  1299"), QStringLiteral("P"), 1, QStringLiteral("Y"));
        addPo(QStringLiteral("  3120"), QStringLiteral("P"), 1, QStringLiteral("N"));
        addPo(QStringLiteral("  O'B1"), QStringLiteral("P"), 1, QStringLiteral("N"));
        TFrSearchPoNo dlg;
        dlg.TableName = QStringLiteral("PoHd");
        dlg.PoType = type;
        dlg.Outstanding = outstanding;
        dlg.show();
        QCOMPARE(dlg.ResultField, QStringLiteral("PONo"));
        dlg.FaGetVendor->Edit->setText(vendor);
        leave(dlg.FaGetVendor->Edit);
        dlg.Code->setText(typed);
        QTest::keyClick(dlg.Code, Qt::Key_Return);
        QCOMPARE(column(dlg.QSearch, QStringLiteral("PoNo")), found);
        QCOMPARE(dlg.QSearch->SQL.size(), 7);
        QCOMPARE(dlg.QSearch->SQL.last(), TFrSearchPoNo::markerLine());
        QCOMPARE(dlg.QSearch->SQL[TFrSearchPoNo::OrderLine], QStringLiteral("ORDER BY PoNo DESC"));
        QCOMPARE(env->count(QStringLiteral("PoHd")), 6);
        if (typed == QLatin1String("12") && vendor.isEmpty() && outstanding.isEmpty()) {
            const int a = rowOf(dlg.QSearch, QStringLiteral("PoNo"), QStringLiteral("12-A"));
            QCOMPARE(dlg.QSearch->value(a, QStringLiteral("Salesman")).toString(), QStringLiteral("ประเสริฐ ขายเก่ง"));
            QCOMPARE(dlg.QSearch->rowColor(rowOf(dlg.QSearch, QStringLiteral("PoNo"), QStringLiteral("1299"))),
                     QColor(Qt::blue));
        }
    }

    void poSearchVendorPickerAndPreset()
    {
        addPo(QStringLiteral("  12-A"), QStringLiteral("P"), 1, QStringLiteral("N"));
        addPo(QStringLiteral("  12-B"), QStringLiteral("P"), 2, QStringLiteral("N"));
        TFrSearchPoNo dlg;
        dlg.PoType = QStringLiteral("P");
        dlg.show();
        // Without a preset vendor the picker has the focus.
        QCOMPARE(dlg.focusWidget(), dlg.FaGetVendor->Edit);
        MessageService::setDialogHook([&](QDialog* d) {
            auto* s = qobject_cast<TFrSimpleSearch*>(d);
            s->show();
            s->Code->setText(QStringLiteral("ชิปปิ้ง"));
            s->BtSearchClick();
            s->BtOkClick();
            return s->result();
        });
        QTest::keyClick(dlg.FaGetVendor->Edit, Qt::Key_F5);
        QCOMPARE(dlg.FaGetVendor->Edit->text(), QStringLiteral("V002"));
        leave(dlg.FaGetVendor->Edit);
        QCOMPARE(dlg.QNullTable->FieldByName(QStringLiteral("Id")).toInt(), 2);
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("PoNo")), QStringList{"12-B"});

        TFrSearchPoNo preset;
        preset.PoType = QStringLiteral("P");
        preset.ID = 1;
        preset.show();
        QCOMPARE(preset.FaGetVendor->Edit->text(), QStringLiteral("V001"));
        QCOMPARE(preset.focusWidget(), preset.Code);
        preset.BtSearchClick();
        QCOMPARE(column(preset.QSearch, QStringLiteral("PoNo")), QStringList{"12-A"});
    }

    void frPoSearchVendorAndPreset()
    {
        addFrPo(QStringLiteral("   FP9"), 2);
        addFrPo("FP" + Y + "-00003", 2, QStringLiteral("Y"));
        TFrSearchFrPoNo dlg;
        dlg.TableName = QStringLiteral("FrPoHd");
        dlg.PoType = QStringLiteral("P");
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("ค้นหาใบสั่งซื้อต่างประเทศ"));
        QVERIFY(dlg.FaGetVendor->isHidden());
        QVERIFY(!dlg.FaGetFrVendor->isHidden());
        QVERIFY(dlg.FaGetFrVendor->text().isEmpty());
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("PoNo")),
                 (QStringList{"FP" + Y + "-00003", "FP" + Y + "-00002", "FP" + Y + "-00001", "FP9"}));
        // The typed prefix matches the trimmed number.
        dlg.Code->setText(QStringLiteral("fp9"));
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("PoNo")), QStringList{"FP9"});

        // A foreign vendor chosen in the picker limits the list to its orders.
        dlg.Code->clear();
        dlg.FaGetFrVendor->Edit->setText(QStringLiteral("F001"));
        leave(dlg.FaGetFrVendor->Edit);
        dlg.BtSearchClick();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("PoNo")), QStringList{"FP" + Y + "-00001"});
        dlg.BtOkClick();
        QCOMPARE(dlg.ResultValue, "FP" + Y + "-00001");

        // A preset vendor is shown from the start and the code box has the focus.
        TFrSearchFrPoNo preset;
        preset.PoType = QStringLiteral("P");
        preset.ID = 2;
        preset.Outstanding = QStringLiteral("N");
        preset.show();
        QCOMPARE(preset.FaGetFrVendor->text(), QStringLiteral("F002"));
        QCOMPARE(preset.FaGetFrVendor->DescLabel->text(), QStringLiteral("Sakura Bungu Co., Ltd."));
        QCOMPARE(preset.focusWidget(), preset.Code);
        preset.BtSearchClick();
        QCOMPARE(column(preset.QSearch, QStringLiteral("PoNo")), (QStringList{"FP" + Y + "-00002", "FP9"}));
        QVERIFY(column(preset.QSearch, QStringLiteral("Salesman")).join(QString()).isEmpty());
    }

    // The "Ref PO" search by keys: Enter in a box searches, in the list or on "เลือก" chooses,
    // on "ค้นหา" searches; Down from the number box goes to the list and keeps the row chosen
    // there; the totals fit their column.
    void frPoSearchByKeys()
    {
        addFrPo(QStringLiteral("FP9"), 1);
        env->exec(QStringLiteral("update FrPoHd set Total = 12345678.9 where PoNo = 'FP9'"));
        TFrSearchFrPoNo dlg;
        dlg.PoType = QStringLiteral("P");
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), k, m);
        };
        dlg.FaGetFrVendor->Edit->setFocus();
        key(Qt::Key_Return); // from the vendor box: searches every order
        QCOMPARE(dlg.QSearch->RecordCount(), 3);
        QVERIFY(dlg.isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg.DgSearch));
        key(Qt::Key_Down);
        QCOMPARE(dlg.currentRow(), 1);
        // Back in the number box, Down returns to the list on the same row.
        dlg.Code->setFocus();
        key(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg.DgSearch));
        QCOMPARE(dlg.currentRow(), 1);
        // Enter on the search button searches again; on the choose button it chooses.
        dlg.BtSearch->setFocus();
        key(Qt::Key_Return);
        QVERIFY(dlg.isVisible());
        key(Qt::Key_Down);
        const QString second = dlg.QSearch->value(dlg.currentRow(), QStringLiteral("PoNo")).toString().trimmed();
        dlg.BtOk->setFocus();
        key(Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.ResultValue.trimmed(), second);
        // The largest total is shown whole.
        int col = 0;
        while (col < dlg.QSearch->columnCount() && dlg.QSearch->columnField(col) != QLatin1String("Total"))
            ++col;
        const QString total = dlg.QSearch->index(rowOf(dlg.QSearch, QStringLiteral("PoNo"), QStringLiteral("FP9")), col)
                                  .data().toString();
        QCOMPARE(total, QStringLiteral("12,345,678.90"));
        QVERIFY2(dlg.DgSearch->fontMetrics().horizontalAdvance(total) + 8 <= dlg.DgSearch->columnWidth(col),
                 qPrintable(QString::number(dlg.DgSearch->columnWidth(col))));
    }

    void frPoSearchEnglishTexts()
    {
        Translation::useLanguage(false);
        TFrSearchFrPoNo dlg;
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Searching Po"));
        QCOMPARE(dlg.LbCode->text(), QStringLiteral("Code"));
        QCOMPARE(dlg.FaGetFrVendor->Caption->text(), QStringLiteral("Vendor"));
        QStringList titles;
        for (int c = 0; c < 6; ++c)
            titles << dlg.QSearch->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{"Po No", "Date", "Ship Date", "Vendor", "Name", "Total"}));
        QCOMPARE(dlg.BtOk->text(), QStringLiteral("Choose"));
    }

    void screenshot()
    {
        TFrSearchImNo dlg;
        dlg.show();
        dlg.FaGetFrVendor->Edit->setText(QStringLiteral("F001"));
        leave(dlg.FaGetFrVendor->Edit);
        dlg.BtSearchClick();
        QCOMPARE(dlg.QSearch->RecordCount(), 2);
        const QString dir = qEnvironmentVariable("NK_BUILD_DIR", QDir::tempPath());
        QVERIFY(dlg.grab().save(QDir(dir).filePath(QStringLiteral("TFrSearchImNo.png"))));
    }
};

QTEST_MAIN(TstImportSearch)
#include "tst_importsearch.moc"
