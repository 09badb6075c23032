#include "receipt/ReceiptTestKit.h"
#include "data/Translation.h"

#include "data/DbAdmin.h"
#include "data/DbUtil.h"
#include "data/NumberFormat.h"
#include "data/Numbering.h"
#include "data/OrderReceipts.h"
#include "data/SaveSteps.h"
#include "forms/import/InboundPickers.h"
#include "forms/import/InboundRules.h"
#include "forms/import/TFrInbound.h"
#include "forms/purchase/TFrFrPoTran.h"
#include "forms/purchase/TFrSearchFrPoNo.h"
#include "search/SearchQuery.h"
#include "support/ImportDoc.h"
#include "support/TestEnv.h"

#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <iostream>
#include <string>

using namespace ReceiptTestKit;

// Foreign orders received by the import documents that take them over: what the orders hold
// after each import is saved, edited and deleted, what "Ref PO" still offers, the question
// before receiving more than was ordered, two workstations taking the same order at once,
// and the upgrade of a company whose imports were saved before.
class TstInboundOrders : public QObject {
    Q_OBJECT

    static QString year() { return QString::number(QDate::currentDate().year()); }
    static QString orderNo(int n) { return QStringLiteral("FP%1-%2").arg(year()).arg(n, 5, 10, QLatin1Char('0')); }

    // Received/BackOrder/Clear of each line of an order in line order, then the order's Clear.
    static QString received(TestEnv& env, int order)
    {
        QStringList l;
        QSqlQuery q = Db::exec(env.company(), "select Received, BackOrder, Clear from FrPoDt where FrPoHd = :o order by PoRecNo",
                               {{"o", order}});
        while (q.next()) {
            QStringList v;
            for (const QVariant& value : Db::rowValues(q))
                v << value.toString();
            l << v.join('/');
        }
        return (l << env.scalar("select Clear from FrPoHd where Id = :o", {{"o", order}}).toString()).join(" | ");
    }
    // The import lines as the grid shows them: code, quantity, unit, amount.
    static QString importLines(TFrInbound& im)
    {
        QStringList l;
        for (int r = 0; r < im.QDt->RecordCount(); ++r)
            l << QStringLiteral("%1 %2 %3 %4").arg(im.QDt->value(r, "ProductCode").toString(), im.QDt->value(r, "Quantity").toString(),
                                                  im.QDt->value(r, "UnitName").toString(), im.QDt->value(r, "Total").toString());
        return l.join(" | ");
    }
    // An import document opened by number, or a new one (number by the counter, lot, rate).
    static void openImport(TFrInbound& im, const QString& number = {})
    {
        im.AcNew->trigger();
        backTo(im, im.FaGetDocNo->DocNo);
        if (!number.isEmpty())
            field(number.trimmed());
        else
            enterImportHeader(im, QStringLiteral("LOT%1-01").arg(year()), "35.5");
    }
    static void takeOver(TFrInbound& im, const QString& po)
    {
        InboundPickers::Overrides o;
        o.frPo = [po](int, const QString&) { return po; };
        InboundPickers::setOverrides(o);
        im.BtLoadFrPo->click();
        InboundPickers::setOverrides({});
    }
    static void saveImport(TFrInbound& im, QList<bool> answers = {true})
    {
        if (im.QDuty->IsEmpty() || im.QDuty->value(0, "Total").isNull()) {
            im.DgDuty->setFocus();
            im.QDuty->SetField("Total", 100);
            im.QDuty->Post();
        }
        for (bool a : answers)
            MessageService::queueAnswer(a);
        backTo(im, im.TransportNo);
        key(Qt::Key_F10);
    }
    static void deleteLine(TFrInbound& im, int row)
    {
        im.DgDt->setFocus();
        im.DgDt->setCurrentIndex(im.DgDt->gridModel()->index(row, 0));
        im.BtDeleteLine->click();
    }
    static void openOrder(TFrFrPoTran& f, const QString& no)
    {
        f.AcNew->trigger();
        f.FaGetDocNo->DocNo->setFocus();
        field(no);
    }
    // Every dialog is closed; the order searches first search for all and say what they list.
    struct Searches {
        QStringList listed;   // "number colour" of the last search shown
        Searches()
        {
            MessageService::setDialogHook([this](QDialog* d) {
                if (auto* s = qobject_cast<TFrSearchFrPoNo*>(d)) {
                    s->show();
                    s->BtSearchClick();
                    listed.clear();
                    for (int r = 0; r < s->QSearch->rowCount(); ++r)
                        listed << s->QSearch->value(r, "PoNo").toString().trimmed() + " " + s->QSearch->rowColor(r).name();
                }
                d->reject();
                return int(QDialog::Rejected);
            });
        }
        ~Searches() { MessageService::setDialogHook(nullptr); }
    };

private slots:
    void cleanup()
    {
        SaveSteps::setHook(nullptr);
        InboundPickers::setOverrides({});
        MessageService::setDialogHook(nullptr);
    }

    // An order of three lines, two imports and a third "Ref PO", by keys, with what the order
    // holds after each step.
    void storyByKeys()
    {
        TestEnv env;
        Searches searches;
        int po = 0;
        {
            TFrFrPoTran f;
            open(f, 6);
            enterOrder(f, "F001", {{"P001", "10", ""}, {"P003", "5", ""}, {"P006", "3", ""}});
            if (QTest::currentTestFailed())
                return;
            const QStringList prices{"18", "7.2", "2.5"};
            for (int r = 0; r < 3; ++r) {
                cell(f, r, "UnitName", QStringLiteral("กล่อง"));
                cell(f, r, "Price", prices[r]);
            }
            backTo(f, f.Reference);
            MessageService::queueAnswer(true);
            key(Qt::Key_F10);
            po = env.scalar("select Id from FrPoHd where PoNo = :n", {{"n", orderNo(3)}}).toInt();
            QVERIFY2(po > 0, qPrintable(MessageService::lastText()));
        }
        auto state = [&](const QString& step) { return step + ": " + received(env, po); };
        QCOMPARE(state("ordered"), QStringLiteral("ordered: 0/120/N | 0/60/N | 0/36/N | N"));

        // Import 1: 30 pens of the 10 boxes, 2 of the 5 boxes of notebooks, no paper.
        TFrInbound im;
        im.PoType = "P";
        open(im, 1);
        openImport(im);
        takeOver(im, orderNo(3));
        QCOMPARE(importLines(im), QStringLiteral("P001 10 กล่อง 180 | P003 5 กล่อง 36 | P006 3 กล่อง 7.5"));
        cell(im, 0, "UnitName", QStringLiteral("ชิ้น"));
        cell(im, 0, "Quantity", "30");
        cell(im, 1, "Quantity", "2");
        deleteLine(im, 2);
        // A save failing at its last step changes no order.
        SaveSteps::setHook([](SaveSteps::Step s) {
            if (s == SaveSteps::Step::Commit)
                throw NkError("disk full");
        });
        saveImport(im);
        SaveSteps::setHook(nullptr);
        QCOMPARE(state("import 1 failed"), QStringLiteral("import 1 failed: 0/120/N | 0/60/N | 0/36/N | N"));
        saveImport(im);
        QCOMPARE(state("import 1"), QStringLiteral("import 1: 30/90/N | 24/36/N | 0/36/N | N"));
        const QString import1 = env.scalar("select max(ImNo) from ImHd").toString();

        // The order form shows what came and what is still to come, in each line's unit.
        {
            TFrFrPoTran f;
            open(f, 6);
            openOrder(f, orderNo(3));
            QVERIFY(f.AcSave->isEnabled());
            QStringList shown;
            const int rc = f.DgDt->gridModel()->columnOf("ReceivedQty"), bc = f.DgDt->gridModel()->columnOf("BackOrderQty");
            QCOMPARE(f.DgDt->gridModel()->headerData(bc, Qt::Horizontal).toString(), QStringLiteral("ค้างรับ"));
            for (int r = 0; r < 3; ++r)
                shown << f.DgDt->gridModel()->index(r, rc).data().toString() + "/" + f.DgDt->gridModel()->index(r, bc).data().toString();
            QCOMPARE(shown.join(" | "), QStringLiteral("2.500/7.500 | 2.000/3.000 | 0.000/3.000"));
        }

        // Import 2 is offered the rest; one box of paper more than ordered, after a question.
        openImport(im);
        takeOver(im, orderNo(3));
        QCOMPARE(importLines(im), QStringLiteral("P001 7.5 กล่อง 135 | P003 3 กล่อง 21.6 | P006 3 กล่อง 7.5"));
        cell(im, 2, "Quantity", "4");
        MessageService::clearShown();
        saveImport(im, {false});
        QCOMPARE(MessageService::lastText(),
                 QStringLiteral("รายการที่ 3 P006 รับเกินจำนวนค้างรับของใบสั่งซื้อ %1 อยู่ 1 กล่อง\n"
                                "ต้องการรับสินค้าเกินจำนวนที่สั่งหรือไม่ ?").arg(orderNo(3)));
        QCOMPARE(state("excess refused"), QStringLiteral("excess refused: 30/90/N | 24/36/N | 0/36/N | N"));
        saveImport(im, {true, true});
        QCOMPARE(state("import 2"), QStringLiteral("import 2: 120/0/Y | 60/0/Y | 48/0/Y | Y"));
        const QString import2 = env.scalar("select max(ImNo) from ImHd").toString();
        QVERIFY(import2 != import1);

        // A third "Ref PO": the search no longer offers the order, and its number is refused.
        openImport(im);
        im.BtLoadFrPo->click();
        QVERIFY2(!searches.listed.join(",").contains(orderNo(3)) && searches.listed.contains(orderNo(2) + " #000000"),
                 qPrintable(searches.listed.join(",")));
        MessageService::clearShown();
        takeOver(im, orderNo(3));
        QCOMPARE(MessageService::lastText(), QStringLiteral("รายการสั่งซื้อรับหมดแล้ว"));
        QVERIFY(im.LoadedOrders.isEmpty());
        QVERIFY(im.QDt->RecordCount() <= 1 && im.QDt->value(0, "Product").isNull());

        // The order received in full: said when opened, not saved, blue in its search.
        {
            TFrFrPoTran f;
            open(f, 6);
            MessageService::clearShown();
            openOrder(f, orderNo(3));
            QCOMPARE(MessageService::lastText(), QStringLiteral("รายการสั่งซื้อรับหมดแล้ว ไม่สามารถแก้ไขได้"));
            QVERIFY(!f.AcSave->isEnabled() && !f.AcDel->isEnabled());
            f.AcNew->trigger();
            f.FaGetDocNo->DocNo->setFocus();
            key(Qt::Key_F5);
            QVERIFY2(searches.listed.contains(orderNo(3) + " #0000ff") && searches.listed.contains(orderNo(2) + " #000000"),
                     qPrintable(searches.listed.join(",")));
        }

        // Import 2 edited: 5 boxes of pens instead of 7.5, the notebooks gone; the paper it held
        // asks nothing again.
        openImport(im, import2);
        QCOMPARE(im.QDt->RecordCount(), 3);
        cell(im, 0, "Quantity", "5");
        deleteLine(im, 1);
        MessageService::clearShown();
        saveImport(im);
        QCOMPARE(MessageService::shown().first().text, QStringLiteral("จัดเก็บข้อมูล ?"));
        QCOMPARE(state("import 2 edited"), QStringLiteral("import 2 edited: 90/30/N | 24/36/N | 48/0/Y | N"));

        // Import 2 deleted: the order holds import 1 only.
        openImport(im, import2);
        MessageService::queueAnswer(true);
        key(Qt::Key_F8);
        QCOMPARE(env.scalar("select DelFlag from ImHd where ImNo = :n", {{"n", import2}}).toString(), QStringLiteral("Y"));
        QCOMPARE(state("import 2 deleted"), QStringLiteral("import 2 deleted: 30/90/N | 24/36/N | 0/36/N | N"));
    }

    // Two workstations take over the rest of the same order; the second to save is refused in
    // its user's language, keeps what it typed, and may take the order over again.
    void secondWorkstationIsRefused_data()
    {
        QTest::addColumn<bool>("thai");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("inFull");
        QTest::newRow("Thai") << true
                              << QStringLiteral("รายการที่ 1 P005 : ยอดค้างรับของใบสั่งซื้อ %1 เปลี่ยนไป เครื่องอื่นรับสินค้าของ"
                                                "ใบสั่งซื้อนี้ไปแล้ว ค้างรับขณะนี้ 0 กล่อง\nยังไม่ได้บันทึกข้อมูล กรุณาแก้จำนวน "
                                                "หรืออ้างใบสั่งซื้อใหม่ แล้วบันทึกอีกครั้ง")
                              << QStringLiteral("รายการสั่งซื้อรับหมดแล้ว");
        QTest::newRow("English") << false
                                 << QStringLiteral("Line 1 P005: the outstanding quantity of order %1 has changed; another "
                                                   "workstation has received goods of it. Now outstanding: 0 กล่อง\nNothing "
                                                   "was saved. Correct the quantity or take the order over again (Ref PO), "
                                                   "then save again.")
                                 << QStringLiteral("The order has been received in full.");
    }
    void secondWorkstationIsRefused()
    {
        QFETCH(bool, thai);
        QFETCH(QString, refused);
        QFETCH(QString, inFull);
        TestEnv env;
        Dialogs dialogs;
        TFrInbound first, second;
        for (TFrInbound* im : {&first, &second}) {
            im->PoType = "P";
            open(*im, 1);
            openImport(*im);
            takeOver(*im, orderNo(2)); // its last line: 30 boxes of ink
            QCOMPARE(importLines(*im), QStringLiteral("P005 30 กล่อง 72000"));
        }
        Translation::useLanguage(thai); // the user's language (the rights read at opening set it)
        backTo(first, first.TransportNo);
        saveImport(first);
        const int documents = env.count("ImHd");
        MessageService::clearShown();
        backTo(second, second.TransportNo);
        saveImport(second);
        QCOMPARE(MessageService::lastText(), refused.arg(orderNo(2)));
        QCOMPARE(env.count("ImHd"), documents);
        QCOMPARE(received(env, 2), QStringLiteral("20/0/Y | 360/0/Y | Y"));
        QCOMPARE(importLines(second), QStringLiteral("P005 30 กล่อง 72000"));
        QVERIFY(second.QHd->UpdatesPending());
        MessageService::clearShown();
        takeOver(second, orderNo(2));
        QCOMPARE(MessageService::lastText(), inFull);
        QCOMPARE(importLines(second), QStringLiteral("P005 30 กล่อง 72000"));
    }

    // The question before a save and the check inside it, for one order line of 120 pieces
    // (10 boxes of 12) and one import line in boxes.
    void orderRules_data()
    {
        QTest::addColumn<double>("seenOthers"); // other imports' pieces when the lines were read
        QTest::addColumn<double>("held");       // this import's pieces as stored
        QTest::addColumn<double>("nowOthers");  // other imports' pieces at the save
        QTest::addColumn<double>("boxes");      // the import line
        QTest::addColumn<bool>("agreed");
        QTest::addColumn<QString>("question");  // excess asked about, empty: none
        QTest::addColumn<QString>("refusal");   // start of the refusal, empty: saved
        const QString changed = QStringLiteral("รายการที่ 1 P001 : ยอดค้างรับของใบสั่งซื้อ FP-1 เปลี่ยนไป");
        const QString excess = QStringLiteral("รายการที่ 1 P001 รับเกินจำนวนค้างรับของใบสั่งซื้อ FP-1 อยู่ ");
        QTest::newRow("the rest, another took some meanwhile") << 30.0 << 0.0 << 60.0 << 5.0 << false << "" << "";
        QTest::newRow("one box more, not asked") << 0.0 << 0.0 << 0.0 << 11.0 << false << "1" << excess + "1 กล่อง";
        QTest::newRow("agreed, then another received") << 0.0 << 0.0 << 12.0 << 11.0 << true << "1" << changed;
        QTest::newRow("less than held, others grew") << 0.0 << 144.0 << 60.0 << 11.0 << false << "" << "";
        QTest::newRow("more than held") << 0.0 << 132.0 << 0.0 << 12.0 << false << "2" << excess + "2 กล่อง";
    }
    void orderRules()
    {
        QFETCH(double, seenOthers);
        QFETCH(double, held);
        QFETCH(double, nowOthers);
        QFETCH(double, boxes);
        QFETCH(bool, agreed);
        QFETCH(QString, question);
        QFETCH(QString, refusal);
        CachedDataSet lines(nullptr, "QDt");
        lines.defineFields({"PoDt", "ProductCode", "UnitName", "Quantity", "Fraction"});
        lines.Open();
        lines.Append();
        for (const auto& [f, v] : {std::pair{"PoDt", QVariant(7)}, {"ProductCode", "P001"}, {"UnitName", QStringLiteral("กล่อง")},
                                   {"Quantity", boxes}, {"Fraction", 12}})
            lines.SetField(f, v);
        lines.Post();
        auto order = [&](double others) {
            OrderReceipts::Line l;
            l.id = 7;
            l.poNo = "  FP-1";
            l.ordered = 120;
            l.others = others;
            l.mine = held;
            return InboundRules::OrdersSeen{{7, l}};
        };
        const QList<InboundRules::OverReceipt> asked = InboundRules::OverReceipts(lines, order(seenOthers), true);
        QCOMPARE(asked.isEmpty() ? QString() : FormatFloat("0.###", asked[0].excess / 12), question);
        const auto r = InboundRules::CheckOrders(lines, order(nowOthers), order(seenOthers),
                                                  agreed ? QSet<int>{7} : QSet<int>{}, true);
        QVERIFY2(refusal.isEmpty() ? !r : r && r->text.startsWith(refusal), r ? qPrintable(r->text) : "saved");
    }

    // Two workstations take over the same order at the same moment, round after round: both
    // all of it (one save is refused and leaves its document on screen) or half each (both
    // saved). The order never receives more than was ordered.
    void twoWorkstationsAtOnce()
    {
        TestEnv env;
        const int rounds = 12;
        std::vector<std::unique_ptr<QProcess>> stations;
        for (int i = 0; i < 2; ++i) {
            stations.push_back(std::make_unique<QProcess>());
            stations.back()->start(QCoreApplication::applicationFilePath(), {TakeOverSwitch, env.folder(), QString::number(i)});
            QVERIFY(stations.back()->waitForStarted(30000));
        }
        const auto stop = qScopeGuard([&] {
            for (auto& p : stations)
                if (p->state() != QProcess::NotRunning) {
                    p->kill();
                    p->waitForFinished(30000);
                }
        });
        auto ask = [&](const QString& line) {
            QStringList answers;
            // Both get the line before either answer is waited for.
            for (auto& p : stations)
                p->write(line.toUtf8() + '\n');
            for (auto& p : stations)
                p->waitForBytesWritten(30000);
            for (auto& p : stations) {
                while (!p->canReadLine())
                    if (!p->waitForReadyRead(120000))
                        return QStringList{"no answer: " + QString::fromUtf8(p->readAllStandardError())};
                answers << QString::fromUtf8(p->readLine()).trimmed();
            }
            return answers;
        };
        for (int round = 0; round < rounds; ++round) {
            const bool half = round % 2 == 1;
            const QString no = QStringLiteral("RACE-%1").arg(round);
            env.exec("insert into FrPoHd (DelFlag, PoType, PoNo, FrVendor, Currency, Clear) values ('N', 'P', :n, 1, 2, 'N')",
                     {{"n", no}});
            const int po = env.scalar("select Id from FrPoHd where PoNo = :n", {{"n", no}}).toInt();
            env.exec("insert into FrPoDt (FrPoHd, PoRecNo, Product, ProductUnits, Warehouse, Quantity, Fraction, Received, "
                     "BackOrder, Clear, Total) values (:o, 1, 1, 2, 1, 10, 12, 0, 120, 'N', 15), "
                     "(:o, 2, 3, 8, 1, 4, 12, 0, 48, 'N', 28.8)",
                     {{"o", po}});
            const int documents = env.count("ImHd");
            const QStringList read = ask(QStringLiteral("take %1 %2").arg(no, half ? "0.5" : "1"));
            QCOMPARE(read, QStringList({"ready", "ready"}));
            const QString label = QStringLiteral("round %1: ").arg(round);
            QStringList saved = ask(QStringLiteral("save %1").arg(round));
            if (env.isServer()) {
                // Both transactions are open before either reads the order.
                QCOMPARE(label + saved.join(", "), label + "inside, inside");
                saved = ask("go");
            }
            saved.sort();
            QCOMPARE(label + saved.join(", "), label + (half ? "saved, saved" : "refused, pending 2 lines, saved"));
            QCOMPARE(label + received(env, po), label + "120/0/Y | 48/0/Y | Y");
            QCOMPARE(env.count("ImHd"), documents + (half ? 2 : 1));
        }
        QCOMPARE(env.count("FrPoDt", "Received > Quantity * Fraction + 0.000001"), 0);
        for (auto& p : stations) {
            p->write("quit\n");
            QVERIFY(p->waitForFinished(30000));
            QCOMPARE(p->exitCode(), 0);
        }
    }

    // A company whose imports were saved before they received their orders.
    void upgradeReceivesTheOrders()
    {
        TestEnv env;
        // The demo's orders as its imports left them: the first in full, the second but one line.
        QCOMPARE(received(env, 1) + " || " + received(env, 2),
                 QStringLiteral("1200/0/Y | 600/0/Y | 1440/0/Y | Y || 20/0/Y | 0/360/N | N"));
        env.exec("update FrPoDt set Received = 0, BackOrder = Quantity * Fraction, Clear = 'N'");
        env.exec("update FrPoHd set Clear = 'N'");
        env.exec("update ImHd set DelFlag = 'Y' where Id = 2"); // a cancelled import brings nothing
        env.exec("drop index IX_ImDt_PoDt");
        const QStringList report = DbAdmin::upgradeCompanyDatabase(env.location(), env.companyName());
        QVERIFY2(report.contains("FrPoDt: received quantities of 5 order lines computed from the import documents"),
                 qPrintable(report.join('\n')));
        QCOMPARE(received(env, 1) + " || " + received(env, 2),
                 QStringLiteral("1200/0/Y | 600/0/Y | 0/1440/N | N || 20/0/Y | 0/360/N | N"));
    }

public:
    // A workstation of its own for twoWorkstationsAtOnce: reads "take <order> <share>" (takes
    // over that share of what the order has outstanding, answers "ready"), "save <round>"
    // (answers "saved" or "refused, pending <n> lines" with the document still unsaved; on a
    // server first "inside" once its transaction is open, then it waits for "go") and "quit"
    // from its standard input.
    static constexpr const char* TakeOverSwitch = "--take-over";
    static int runStation(const QString& folder, const QString& who)
    {
        ImportDoc::startWorkstation(folder);
        std::unique_ptr<ImportDoc> doc;
        InboundRules::OrdersSeen seen;
        std::string command;
        if (Db::backendOf(DM->DMdata()) == Db::Backend::PostgreSQL)
            SaveSteps::setHook([&](SaveSteps::Step step) {
                if (step != SaveSteps::Step::Lines)
                    return;
                std::cout << "inside" << std::endl;
                std::getline(std::cin, command);
            });
        while (std::getline(std::cin, command)) {
            const QStringList words = QString::fromStdString(command).split(' ');
            QString answer;
            try {
                if (words[0] == "take") {
                    QList<int> ids;
                    QSqlQuery q = Db::exec(DM->DMdata(),
                                           "select D.Id from FrPoDt D inner join FrPoHd H on H.Id = D.FrPoHd where H.PoNo = :n "
                                           "order by D.PoRecNo",
                                           {{"n", words[1]}});
                    while (q.next())
                        ids << q.value(0).toInt();
                    seen = OrderReceipts::Read(DM->DMdata(), ids, 0);
                    doc = std::make_unique<ImportDoc>();
                    doc->newHeader();
                    for (int id : ids) {
                        QSqlQuery d = Db::exec(DM->DMdata(), "select Product, ProductUnits from FrPoDt where Id = :i", {{"i", id}});
                        d.next();
                        doc->line(d.value(0).toInt(), d.value(1).toInt(), seen[id].free() / 12 * words[2].toDouble(), 1);
                        doc->dt.SetField("Fraction", 12);
                        doc->dt.SetField("PoDt", id);
                        doc->dt.Post();
                    }
                    doc->group(10);
                    if (!InboundRules::CheckComplete(doc->dt, doc->duty, true, true).ok)
                        throw NkError("incomplete");
                    answer = "ready";
                } else if (words[0] == "save") {
                    InboundRules::SaveInput in = doc->input(false, PadLeft(QStringLiteral("W%1-%2").arg(who, words[1]), 12, ' '));
                    in.orders = seen;
                    try {
                        InboundRules::Save(in);
                        answer = "saved";
                    } catch (const InboundRules::OrderRefused&) {
                        answer = QStringLiteral("refused, pending %1 lines").arg(doc->hd.UpdatesPending() ? doc->dt.RecordCount() : -1);
                    }
                } else {
                    break;
                }
            } catch (const NkError& e) {
                answer = "error " + e.message().simplified();
            }
            std::cout << answer.toStdString() << std::endl;
        }
        doc.reset();
        delete DM;
        delete DMConfig;
        return 0;
    }
};

int main(int argc, char** argv)
{
    if (argc >= 4 && qstrcmp(argv[1], TstInboundOrders::TakeOverSwitch) == 0) {
        QCoreApplication app(argc, argv);
        return TstInboundOrders::runStation(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QApplication app(argc, argv);
    TstInboundOrders tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_inboundorders.moc"
