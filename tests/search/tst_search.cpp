// The search dialog base and the simple search, driven through their widgets.
#include "data/Translation.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "search/SearchQuery.h"
#include "search/SimpleSearch.h"
#include "search/TFrSearch.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

namespace {

// A document search as the document dialogs build theirs: grid columns in another order
// than the statement's, and the typed number as a parameter.
class DocSearch : public TFrSearch {
public:
    explicit DocSearch(const QSqlDatabase& db)
    {
        setDatabase(db);
        QSearch->addColumn(QStringLiteral("DocNo"), QStringLiteral("เลขที่"), 90, Qt::AlignRight | Qt::AlignVCenter);
        QSearch->addColumn(QStringLiteral("Amount"), QStringLiteral("รวมเงิน"), 90, Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("#,##0.00"));
        QSearch->addColumn(QStringLiteral("Remark"), QStringLiteral("หมายเหตุ"), 120);
        ResultField = QStringLiteral("DocNo");
    }
    void BtSearchClick() override
    {
        QSearch->setParam(QStringLiteral("GetCode"), Code->text().trimmed() + QStringLiteral("%"));
        TFrSearch::BtSearchClick();
    }
    void FormShow() override
    {
        TFrSearch::FormShow();
        QSearch->SQL = QStringList{QStringLiteral("SELECT Id, DocNo, DocDate, Amount, DelFlag, DelRemark, Clear, Remark"),
                                   QStringLiteral("FROM Doc"),
                                   QStringLiteral("WHERE ltrim(DocNo) LIKE :GetCode"),
                                   QStringLiteral("ORDER BY DocNo"),
                                   QStringLiteral("/* Don't Move SQL Line */")};
    }
};

QStringList column(const SearchQuery* q, const QString& field)
{
    QStringList out;
    for (int r = 0; r < q->RecordCount(); ++r)
        out << q->value(r, field).toString().trimmed();
    return out;
}

void clickTitle(TFrSearch& dlg, int section)
{
    QHeaderView* h = dlg.DgSearch->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(section) + 5, h->height() / 2));
}

void rightPress(TFrSearch& dlg, Qt::KeyboardModifiers mods, Qt::MouseButton button = Qt::RightButton)
{
    const QRect r = dlg.DgSearch->visualRect(dlg.DgSearch->currentIndex());
    QTest::mousePress(dlg.DgSearch->viewport(), button, mods, r.center());
    QTest::mouseRelease(dlg.DgSearch->viewport(), button, mods, r.center());
}

} // namespace

class TstSearch : public QObject {
    Q_OBJECT

    QSqlDatabase db;

    void exec(const QString& sql) { Db::exec(db, sql); }
    int count(const QString& table) { return Db::scalar(db, QStringLiteral("select count(*) from ") + table).toInt(); }

private slots:
    void initTestCase()
    {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("search_test"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(db.open());
    }

    void init()
    {
        MessageService::setScripted(true);
        TFrSearch::ResetSortState();
        for (const char* t : {"Doc", "Unit", "IvHd", "IvShip"})
            exec(QStringLiteral("drop table if exists ") + QLatin1String(t));
        exec(QStringLiteral("create table Doc (Id integer primary key, DocNo text collate nocase, DocDate text, "
                            "Amount real, DelFlag text, DelRemark text, Clear text, Remark text)"));
        exec(QStringLiteral("insert into Doc values (1, '  A10', '2026-12-01 00:00:00', 300, 'N', '', 'N', 'z')"));
        exec(QStringLiteral("insert into Doc values (2, '  A11', '2026-12-02 00:00:00', 100, 'Y', 'wrong vendor', 'N', 'y')"));
        exec(QStringLiteral("insert into Doc values (3, '  A12', '2026-12-03 00:00:00', 200, 'N', '', 'Y', 'x')"));
        exec(QStringLiteral("insert into Doc values (4, '  B20', '2026-12-04 00:00:00', 1234.5, 'N', '', 'N', 'w')"));
        exec(QStringLiteral("create table Unit (Id integer primary key, Code text collate nocase, "
                            "Description text collate nocase, Active text)"));
        exec(QStringLiteral("insert into Unit values (1, 'BOX', 'Box', 'Y')"));
        exec(QStringLiteral("insert into Unit values (2, 'BBOX', 'Big box', 'Y')"));
        exec(QStringLiteral("insert into Unit values (3, 'CTN', 'Carton', 'Y')"));
        exec(QStringLiteral("insert into Unit values (4, 'OBC', 'O''Brien crate', 'Y')"));
        exec(QStringLiteral("insert into Unit values (5, 'OLD', 'Old box', 'N')"));
    }

    void searchKeysAndResult()
    {
        DocSearch dlg(db);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("ค้นหา"));
        QCOMPARE(dlg.focusWidget(), dlg.Code);
        QVERIFY(!dlg.QSearch->Active());

        QTest::keyClicks(dlg.Code, QStringLiteral("a1"));
        QCOMPARE(dlg.Code->text(), QStringLiteral("A1")); // codes are typed in capitals
        QTest::keyClick(dlg.Code, Qt::Key_Return);
        QVERIFY(dlg.isVisible()); // Enter outside the grid searches
        QCOMPARE(column(dlg.QSearch, QStringLiteral("DocNo")), (QStringList{"A10", "A11", "A12"}));
        QCOMPARE(dlg.focusWidget(), dlg.DgSearch);
        QCOMPARE(dlg.currentRow(), 0);
        QCOMPARE(dlg.QSearch->data(dlg.QSearch->index(0, 1)).toString(), QStringLiteral("300.00"));

        // No rows: the focus stays in the code box.
        dlg.Code->setFocus();
        dlg.Code->setText(QStringLiteral("ZZ"));
        QTest::keyClick(dlg.Code, Qt::Key_Return);
        QCOMPARE(dlg.QSearch->RecordCount(), 0);
        QCOMPARE(dlg.focusWidget(), dlg.Code);

        dlg.Code->clear();
        QTest::keyClick(dlg.Code, Qt::Key_Return); // empty code: everything
        QCOMPARE(dlg.QSearch->RecordCount(), 4);
        dlg.Code->setFocus();
        QTest::keyClick(dlg.Code, Qt::Key_Down);
        QCOMPARE(dlg.focusWidget(), dlg.DgSearch);
        dlg.setCurrentRow(3);
        QTest::keyClick(dlg.DgSearch, Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.ResultValue, QStringLiteral("  B20"));

        // Shown again, it starts closed and empty; Escape gives Cancel and no value.
        dlg.show();
        QVERIFY(dlg.Code->text().isEmpty());
        QCOMPARE(dlg.QSearch->RecordCount(), 0);
        QTest::keyClick(dlg.Code, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(dlg.ResultValue.isEmpty());

        // OK without rows is a Cancel.
        dlg.show();
        dlg.BtOk->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void cancelledDocumentCannotBeChosen()
    {
        DocSearch dlg(db);
        dlg.show();
        dlg.BtSearch->click();
        dlg.setCurrentRow(1); // A11, cancelled
        MessageService::clearShown();
        const QPoint at = dlg.DgSearch->visualRect(dlg.QSearch->index(1, 0)).center();
        QTest::mouseClick(dlg.DgSearch->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(dlg.DgSearch->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.ResultValue.isEmpty());
        QCOMPARE(MessageService::shown().size(), 2);
        QCOMPARE(MessageService::shown().at(0).text, QStringLiteral("เอกสารถูกยกเลิกแล้ว"));
        QCOMPARE(MessageService::shown().at(1).text, QStringLiteral("สาเหตุยกเลิก : wrong vendor"));

        QTest::keyClick(dlg.DgSearch, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(dlg.ResultValue.isEmpty());

        // English users read the English box.
        TDMConfig cfg;
        DMConfig = &cfg;
        Translation::useLanguage(false);
        dlg.show();
        QCOMPARE(dlg.BtOk->text(), QStringLiteral("Choose"));
        QVERIFY(dlg.DgSearch->toolTip().isEmpty());
        dlg.BtSearch->click();
        dlg.setCurrentRow(1);
        MessageService::clearShown();
        dlg.BtOk->click();
        DMConfig = nullptr;
        Translation::useLanguage(true);
        QVERIFY(dlg.isVisible());
        QCOMPARE(MessageService::shown().at(0).text, QStringLiteral("Document Was Deleted"));
    }

    void rowColours()
    {
        DocSearch dlg(db);
        dlg.show();
        dlg.BtSearch->click();
        auto bg = [&](int row) { return dlg.QSearch->data(dlg.QSearch->index(row, 0), Qt::BackgroundRole); };
        QVERIFY(!bg(0).isValid());
        QCOMPARE(bg(1).value<QColor>(), QColor(Qt::red));  // cancelled
        QCOMPARE(bg(2).value<QColor>(), QColor(Qt::blue)); // received in full
        QVERIFY(!bg(3).isValid());

        // Without DelFlag and Clear, an inactive code is red.
        TFrSearch codes;
        codes.setDatabase(db);
        codes.show();
        codes.QSearch->setSQL(QStringLiteral("select Code, Description, Active from Unit order by Id"));
        codes.BtSearch->click();
        QCOMPARE(codes.QSearch->data(codes.QSearch->index(4, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
        QVERIFY(!codes.QSearch->data(codes.QSearch->index(0, 0), Qt::BackgroundRole).isValid());
        QAbstractItemModelTester tester(codes.QSearch, QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void sortingByColumnTitle()
    {
        DocSearch dlg(db);
        dlg.show();
        dlg.BtSearch->click();
        const QString base = dlg.QSearch->text();

        // Grid column 1 is Amount, the fourth column of the result.
        clickTitle(dlg, 1);
        QCOMPARE(dlg.QSearch->SQL.at(3), QStringLiteral("Order By 4"));
        QCOMPARE(column(dlg.QSearch, QStringLiteral("Amount")), (QStringList{"100", "200", "300", "1234.5"}));
        clickTitle(dlg, 1);
        QCOMPARE(dlg.QSearch->SQL.at(3), QStringLiteral("Order By 4 Desc"));
        QCOMPARE(column(dlg.QSearch, QStringLiteral("Amount")), (QStringList{"1234.5", "300", "200", "100"}));
        clickTitle(dlg, 1);
        QCOMPARE(dlg.QSearch->SQL.at(3), QStringLiteral("Order By 4"));
        clickTitle(dlg, 1);
        QCOMPARE(dlg.QSearch->SQL.at(3), QStringLiteral("Order By 4 Desc"));

        // Another column after two clicks starts ascending.
        clickTitle(dlg, 0);
        QCOMPARE(dlg.QSearch->SQL.at(3), QStringLiteral("Order By 2"));
        QCOMPARE(column(dlg.QSearch, QStringLiteral("DocNo")), (QStringList{"A10", "A11", "A12", "B20"}));
        QCOMPARE(dlg.QSearch->SQL.last(), QStringLiteral("/* Don't Move SQL Line */"));
        QCOMPARE(dlg.QSearch->SQL.size(), base.split(QLatin1Char('\n')).size());

        // Remark is never a sort column.
        const QString before = dlg.QSearch->text();
        clickTitle(dlg, 2);
        QCOMPARE(dlg.QSearch->text(), before);

        // The state is shared: another dialog continues where this one stopped.
        DocSearch other(db);
        other.show();
        other.BtSearch->click();
        clickTitle(other, 0);
        QCOMPARE(other.QSearch->SQL.at(3), QStringLiteral("Order By 2 Desc"));
        QCOMPARE(TFrSearch::SortColumn(), QStringLiteral("DOCNO"));

        // A statement without an order is searched again unchanged.
        TFrSearch plain;
        plain.setDatabase(db);
        plain.show();
        plain.QSearch->setSQL(QStringLiteral("select Code, Description from Unit"));
        plain.BtSearch->click();
        clickTitle(plain, 1);
        QCOMPARE(plain.QSearch->text(), QStringLiteral("select Code, Description from Unit"));
        QCOMPARE(plain.QSearch->RecordCount(), 5);
    }

    void purgeNeedsExactlyShiftCtrlRightButton()
    {
        DocSearch dlg(db);
        dlg.TableName = QStringLiteral("Doc");
        dlg.show();
        dlg.BtSearch->click();
        dlg.setCurrentRow(1); // cancelled A11

        MessageService::clearShown();
        for (int i = 0; i < 4; ++i)
            MessageService::queueAnswer(true);
        rightPress(dlg, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        rightPress(dlg, Qt::ControlModifier);
        rightPress(dlg, Qt::ShiftModifier);
        rightPress(dlg, Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton);
        QVERIFY(MessageService::shown().isEmpty());
        QCOMPARE(count(QStringLiteral("Doc")), 4);

        // No to the second question keeps the row.
        MessageService::setScripted(true);
        MessageService::queueAnswer(true);
        MessageService::queueAnswer(false);
        rightPress(dlg, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(MessageService::shown().size(), 2);
        QCOMPARE(MessageService::shown().at(0).text, QStringLiteral("Confirm Delete #1/2 ?"));
        QCOMPARE(MessageService::shown().at(1).text, QStringLiteral("Confirm Delete #2/2 ?"));
        QCOMPARE(count(QStringLiteral("Doc")), 4);

        // A document that is not cancelled is never purged, and nothing is asked.
        MessageService::setScripted(true);
        dlg.setCurrentRow(0);
        MessageService::queueAnswer(true);
        MessageService::queueAnswer(true);
        rightPress(dlg, Qt::ShiftModifier | Qt::ControlModifier);
        QVERIFY(MessageService::shown().isEmpty());

        // Yes twice removes it and searches again.
        dlg.setCurrentRow(1);
        rightPress(dlg, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(count(QStringLiteral("Doc")), 3);
        QCOMPARE(column(dlg.QSearch, QStringLiteral("DocNo")), (QStringList{"A10", "A12", "B20"}));
    }

    void purgeOfInvoiceRemovesItsShipRows()
    {
        exec(QStringLiteral("create table IvHd (Id integer primary key, DocNo text, DelFlag text)"));
        exec(QStringLiteral("create table IvShip (Id integer primary key, IvHd integer)"));
        exec(QStringLiteral("insert into IvHd values (5, 'X1', 'Y')"));
        exec(QStringLiteral("insert into IvShip values (1, 5)"));
        exec(QStringLiteral("insert into IvShip values (2, 6)"));
        TFrSearch dlg;
        dlg.setDatabase(db);
        dlg.TableName = QStringLiteral(" ivhd ");
        dlg.show();
        dlg.QSearch->setSQL(QStringLiteral("select Id, DocNo, DelFlag from IvHd"));
        dlg.BtSearch->click();
        MessageService::queueAnswer(true);
        MessageService::queueAnswer(true);
        rightPress(dlg, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(count(QStringLiteral("IvHd")), 0);
        QCOMPARE(count(QStringLiteral("IvShip")), 1);
    }

    void simpleSearchFindsTypedTextAnywhere()
    {
        TFrSimpleSearch* dlg = SimpleSearchDialog();
        dlg->setDatabase(db);
        QStringList seen;
        MessageService::setDialogHook([&](QDialog* d) {
            auto* s = static_cast<TFrSimpleSearch*>(d);
            s->show();
            QTest::keyClicks(s->Code, QStringLiteral("box"));
            QTest::keyClick(s->Code, Qt::Key_Return);
            seen = column(s->QSearch, QStringLiteral("Description"));
            QTest::keyClick(s->DgSearch, Qt::Key_Return);
            return s->result();
        });
        QVERIFY(SimpleSearch(QStringLiteral("ค้นหา หน่วยนับ"), QStringLiteral("Code"), QStringLiteral("Unit"),
                             QStringLiteral("Active = 'Y'"), QStringLiteral("Description")));
        QCOMPARE(seen, (QStringList{"Big box", "Box"}));
        QCOMPARE(SimpleSearchDialog()->ResultValue, QStringLiteral("BBOX"));
        QCOMPARE(dlg->windowTitle(), QStringLiteral("ค้นหา หน่วยนับ"));
        QCOMPARE(dlg->QSearch->SQL,
                 (QStringList{"Select Id, Description, Code From Unit Where (Description Like :GetCode) ",
                              "And (Active = 'Y')", "Order By Description"}));
        QCOMPARE(dlg->QSearch->headerData(0, Qt::Horizontal).toString(), QStringLiteral("รายละเอียด"));
        QCOMPARE(dlg->QSearch->headerData(1, Qt::Horizontal).toString(), QStringLiteral("รหัส"));
        QCOMPARE(dlg->DgSearch->columnWidth(0), 380);

        // The same dialog is kept; blank names fall back to Code and Description.
        MessageService::setDialogHook([&](QDialog* d) {
            auto* s = static_cast<TFrSimpleSearch*>(d);
            s->show();
            QTest::keyClick(s->Code, Qt::Key_Return);
            seen = column(s->QSearch, QStringLiteral("Description"));
            return int(QDialog::Rejected);
        });
        QVERIFY(!SimpleSearch(QString(), QString(), QStringLiteral("Unit"), QString(), QStringLiteral(" ")));
        QCOMPARE(SimpleSearchDialog(), dlg);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Search"));
        QCOMPARE(seen.size(), 5);
        QVERIFY(dlg->ResultValue.isEmpty());
    }

    void simpleSearchQuoteIsHarmless()
    {
        TFrSimpleSearch dlg;
        dlg.setDatabase(db);
        dlg.SearchTable = QStringLiteral("Unit");
        dlg.show();
        dlg.Code->setText(QStringLiteral("O'B"));
        dlg.BtSearch->click();
        QCOMPARE(column(dlg.QSearch, QStringLiteral("Code")), QStringList{QStringLiteral("OBC")});

        dlg.Code->setText(QStringLiteral("'); DELETE FROM Unit; --"));
        dlg.BtSearch->click();
        QCOMPARE(dlg.QSearch->RecordCount(), 0);
        QCOMPARE(count(QStringLiteral("Unit")), 5);

        // A column the table lacks is a database error of the search; the dialog stays.
        dlg.DescField = QStringLiteral("NoSuchColumn");
        dlg.hide();
        dlg.show();
        QVERIFY_THROWS_EXCEPTION(NkError, dlg.BtSearchClick());
        QVERIFY(dlg.isVisible());
    }
};

QTEST_MAIN(TstSearch)
#include "tst_search.moc"
