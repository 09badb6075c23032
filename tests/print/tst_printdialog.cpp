// The print dialog and the GL voucher dialog driven through their controls on the demo
// company, with the default layouts of reports/. Printing goes to a PDF file.
#include "data/Translation.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "app/TFrShowError.h"
#include "data/DbUtil.h"
#include "data/ServerProcs.h"
#include "data/TDM.h"
#include "print/TFrDocPrintForm.h"
#include "print/TFrDocPrintFormGLAuto.h"
#include "report/ReportExport.h"
#include "report/ReportPreview.h"
#include "report/TReport.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace {
QString year() { return QString::number(QDate::currentDate().year()); }
QString importNo() { return QStringLiteral("IM%1-00001").arg(year()); }

// What the dialogs of one run showed, in order.
struct Seen {
    QStringList dialogs;  // class names in the order they were run
    QList<bool> previewHasPrint;
    QList<TReport::PreviewButtons> previewButtons;
    QStringList previewTexts;  // text runs of the first page of the last preview
    int errors = 0;
};

class Fixture {
public:
    Fixture()
    {
        for (const QString& f : QDir(QStringLiteral(NK_SOURCE_DIR "/reports")).entryList({QStringLiteral("*.frf")}))
            QFile::copy(QStringLiteral(NK_SOURCE_DIR "/reports/") + f, QDir(env.folder()).filePath(f));
        DM->StartFolder.clear();
        pdf = QDir(env.folder()).filePath(QStringLiteral("printed.pdf"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        TFrDocPrintForm::setPrinterProvider([this] { return &printer; });
    }
    ~Fixture() { TFrDocPrintForm::setPrinterProvider(nullptr); }

    void setAutoGenGL(const QString& flag)
    {
        env.exec(QStringLiteral("update Config set AutoGenGL = :f"), {{QStringLiteral("f"), flag}});
        DM->RefreshConfig();
    }
    int logRows(int action) { return env.count(QStringLiteral("UserLog"), QStringLiteral("FunctionListId = %1").arg(action)); }
    int errorLogRows(const QString& like)
    {
        return Db::scalar(env.config(), QStringLiteral("select count(*) from ErrorLog where ErrorMsg like :m"),
                          {{QStringLiteral("m"), QStringLiteral("%") + like + QStringLiteral("%")}})
            .toInt();
    }
    QString pdfText()
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (!p.waitForFinished(20000)) return {};
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    int pdfPages()
    {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {pdf});
        if (!p.waitForFinished(20000)) return -1;
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        for (const QString& line : out.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
        return -1;
    }

    // Every modal dialog goes through here: the print dialog to `onPrint`, the GL voucher
    // dialog to `onGL`; previews and error dialogs are recorded and closed.
    void hook(std::function<int(TFrDocPrintForm*)> onPrint, std::function<int(TFrDocPrintFormGLAuto*)> onGL = {})
    {
        MessageService::setDialogHook([this, onPrint, onGL](QDialog* d) -> int {
            if (auto* gl = qobject_cast<TFrDocPrintFormGLAuto*>(d)) {
                seen.dialogs << QStringLiteral("GL");
                return onGL ? onGL(gl) : int(QDialog::Rejected);
            }
            if (auto* pd = qobject_cast<TFrDocPrintForm*>(d)) {
                seen.dialogs << QStringLiteral("Print");
                return onPrint ? onPrint(pd) : int(QDialog::Rejected);
            }
            if (auto* pv = qobject_cast<ReportPreview*>(d)) {
                seen.dialogs << QStringLiteral("Preview");
                seen.previewHasPrint << (pv->findChild<QToolButton*>(QStringLiteral("BtPrint")) != nullptr);
                seen.previewButtons << pv->buttons();
                return QDialog::Accepted;
            }
            if (qobject_cast<TFrShowError*>(d)) {
                seen.dialogs << QStringLiteral("Error");
                ++seen.errors;
                return QDialog::Accepted;
            }
            if (auto* fd = qobject_cast<QFileDialog*>(d); fd && onFile) {
                seen.dialogs << QStringLiteral("File");
                return onFile(fd);
            }
            seen.dialogs << QString::fromLatin1(d->metaObject()->className());
            return QDialog::Rejected;
        });
    }
    std::function<int(QFileDialog*)> onFile; // the file a print to a file goes to

    TestEnv env;
    QPrinter printer{QPrinter::HighResolution};
    QString pdf;
    Seen seen;
};

void pressKey(QWidget* w, Qt::Key key) { QTest::keyClick(w, key); }
}  // namespace

class TestPrintDialog : public QObject {
    Q_OBJECT
private slots:
    void printClosesOnlyTheOnlyLayout_data();
    void printClosesOnlyTheOnlyLayout();
    void enterPrintsWithoutPreview();
    void previewButtonsAndLog_data();
    void previewButtonsAndLog();
    void glDialogAfterPrintDialog_data();
    void glDialogAfterPrintDialog();
    void glDialogPrintsAndStaysOpen();
    void glDialogWithoutVoucherSaysSo();
    void missingLayoutFiles();
    void preparationProcedure();
    void unknownPreparationProcedure();
    void preparationScriptBesideTheLayouts_data();
    void preparationScriptBesideTheLayouts();
    void failedPrintIsNotLogged();
    void brokenLayoutReachesErrorDialog();
    void importDocumentInWords();
    void defaultLayouts_data();
    void defaultLayouts();
    void printToAFileItNames_data();
    void printToAFileItNames();
    void longDocumentRepeatsColumnTitles();
    void captions_data();
    void captions();
    void frfNameOnF11AndPopup();
    void escapeCloses();
    void setPrinterUsesPlatformDialog();
    void quoteInDocumentNumber();
    void cancelledDocumentOfTheSameNumber();
};

void TestPrintDialog::printClosesOnlyTheOnlyLayout_data()
{
    QTest::addColumn<QString>("printCode");
    QTest::addColumn<QString>("docNo");
    QTest::addColumn<int>("layouts");
    QTest::addColumn<bool>("closed");
    QTest::newRow("one layout") << "FRPO-P" << QStringLiteral("FP%1-00001").arg(year()) << 1 << true;
    QTest::newRow("two layouts") << "IMPORT" << importNo() << 2 << false;
    // The print code is compared trimmed on both sides.
    QTest::newRow("padded code") << " FRPO-P " << QStringLiteral("FP%1-00001").arg(year()) << 1 << true;
}

void TestPrintDialog::printClosesOnlyTheOnlyLayout()
{
    QFETCH(QString, printCode);
    QFETCH(QString, docNo);
    QFETCH(int, layouts);
    QFETCH(bool, closed);
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    int count = -1;
    int rows = -1;
    bool finished = false;
    bool printedFlag = false;
    fx.hook([&](TFrDocPrintForm* d) {
        count = d->LayoutCount();
        rows = d->SystemFormList->rowCount();
        QSignalSpy spy(d, &QDialog::finished);
        d->BPrint->click();
        finished = spy.count() == 1;
        printedFlag = d->Printed();
        return d->result();
    });
    PrintDocument(nullptr, docNo, QDate::currentDate().year(), printCode);
    QCOMPARE(count, layouts);
    QCOMPARE(rows, layouts);
    QCOMPARE(finished, closed);
    QVERIFY(printedFlag);
    QCOMPARE(fx.logRows(5), 1);
    QCOMPARE(fx.logRows(10), 0);
    QCOMPARE(fx.env.scalar(QStringLiteral("select DocumentId from UserLog where FunctionListId = 5")).toInt(), 0);
    QCOMPARE(fx.env.scalar(QStringLiteral("select Remark from UserLog where FunctionListId = 5")).toString(), docNo);
    QVERIFY(fx.pdfPages() >= 1);
    QVERIFY2(fx.pdfText().contains(docNo), qPrintable(fx.pdfText().left(400)));
    QVERIFY(!fx.seen.dialogs.contains(QStringLiteral("Preview")));
}

void TestPrintDialog::enterPrintsWithoutPreview()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    bool finished = true;
    fx.hook([&](TFrDocPrintForm* d) {
        d->setCurrentLayout(1);
        QSignalSpy spy(d, &QDialog::finished);
        pressKey(d->SystemFormList, Qt::Key_Return);
        finished = spy.count() > 0;
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QCOMPARE(fx.seen.dialogs, QStringList{QStringLiteral("Print")});
    QVERIFY(!finished);  // two layouts: the dialog stays
    QCOMPARE(fx.logRows(5), 1);
    QCOMPARE(fx.logRows(10), 0);
    QVERIFY(QFile::exists(fx.pdf));
    QVERIFY(fx.pdfText().contains(QStringLiteral("19,809.00")));
}

void TestPrintDialog::previewButtonsAndLog_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("printButton");
    QTest::newRow("ShowPrintPreview Y") << 0 << true;
    QTest::newRow("ShowPrintPreview N") << 1 << false;
}

void TestPrintDialog::previewButtonsAndLog()
{
    QFETCH(int, row);
    QFETCH(bool, printButton);
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    fx.hook([&](TFrDocPrintForm* d) {
        d->setCurrentLayout(row);
        d->BDisplay->click();
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QCOMPARE(fx.seen.dialogs, (QStringList{QStringLiteral("Print"), QStringLiteral("Preview")}));
    QCOMPARE(fx.seen.previewHasPrint.value(0), printButton);
    const TReport::PreviewButtons b = fx.seen.previewButtons.value(0);
    QVERIFY(b.testFlag(TReport::Zoom) && b.testFlag(TReport::Find) && b.testFlag(TReport::Exit));
    QVERIFY(!b.testFlag(TReport::Load) && !b.testFlag(TReport::Save));
    QCOMPARE(b.testFlag(TReport::PageSetup), printButton);
    QCOMPARE(fx.logRows(10), 1);
    QCOMPARE(fx.logRows(5), 0);
    QCOMPARE(fx.env.scalar(QStringLiteral("select DocumentId from UserLog where FunctionListId = 10")).toInt(), 0);
    QCOMPARE(fx.env.scalar(QStringLiteral("select Remark from UserLog where FunctionListId = 10")).toString(), importNo());
    QVERIFY(!QFile::exists(fx.pdf));
}

void TestPrintDialog::glDialogAfterPrintDialog_data()
{
    QTest::addColumn<QString>("autoGenGL");
    QTest::addColumn<QString>("printCode");
    QTest::addColumn<QStringList>("dialogs");
    const QStringList both{QStringLiteral("Print"), QStringLiteral("GL")};
    QTest::newRow("Y, nothing printed") << "Y" << "IMPORT" << both;
    QTest::newRow("Y, code without layouts") << "Y" << "NO-SUCH" << QStringList{QStringLiteral("GL")};
    QTest::newRow("N") << "N" << "IMPORT" << QStringList{QStringLiteral("Print")};
    QTest::newRow("N, code without layouts") << "N" << "NO-SUCH" << QStringList{};
    QTest::newRow("y is not Y") << "y" << "IMPORT" << QStringList{QStringLiteral("Print")};
}

void TestPrintDialog::glDialogAfterPrintDialog()
{
    QFETCH(QString, autoGenGL);
    QFETCH(QString, printCode);
    QFETCH(QStringList, dialogs);
    Fixture fx;
    fx.setAutoGenGL(autoGenGL);
    QString glDoc, glCode;
    int glYear = 0;
    bool listHidden = false;
    fx.hook(
        [&](TFrDocPrintForm*) {
            return int(QDialog::Rejected);  // the user printed nothing
        },
        [&](TFrDocPrintFormGLAuto* gl) {
            glDoc = gl->DocNo;
            glYear = gl->DocYear;
            glCode = gl->PrintCode;
            listHidden = gl->SystemFormList->isHidden() && !gl->LbGLVoucher->isHidden();
            return int(QDialog::Rejected);
        });
    PrintDocument(nullptr, importNo(), 2026, printCode);
    QCOMPARE(fx.seen.dialogs, dialogs);
    if (dialogs.contains(QStringLiteral("GL"))) {
        QCOMPARE(glDoc, importNo());
        QCOMPARE(glYear, 2026);
        QCOMPARE(glCode, printCode);
        QVERIFY(listHidden);
        QCOMPARE(TFrDocPrintFormGLAuto::Instance()->LbGLVoucher->text(), QStringLiteral("พิมพ์ใบบันทึกรายการบัญชี"));
    }
    QCOMPARE(fx.logRows(5) + fx.logRows(10), 0);
}

void TestPrintDialog::glDialogPrintsAndStaysOpen()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("Y"));
    // A voucher for the demo import document, as saving it would have posted.
    const int id = fx.env.scalar(QStringLiteral("select ID from ImHd where ImNo = :n"), {{QStringLiteral("n"), importNo()}}).toInt();
    ServerProcs::GenerateGL(fx.env.company(), QStringLiteral("GL_ImHd"), id, 1);
    bool stayed = false;
    fx.hook([](TFrDocPrintForm*) { return int(QDialog::Rejected); },
            [&](TFrDocPrintFormGLAuto* gl) {
                QSignalSpy spy(gl, &QDialog::finished);
                gl->BPrint->click();
                stayed = spy.isEmpty();
                gl->BDisplay->click();
                return int(QDialog::Rejected);
            });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QCOMPARE(fx.seen.dialogs, (QStringList{QStringLiteral("Print"), QStringLiteral("GL"), QStringLiteral("Preview")}));
    QVERIFY(stayed);
    QCOMPARE(fx.logRows(5), 1);
    QCOMPARE(fx.logRows(10), 1);
    const QString text = fx.pdfText();
    QVERIFY2(text.contains(QStringLiteral("19,809.00")), qPrintable(text.left(600)));  // goods and duty in baht
    QCOMPARE(fx.seen.previewHasPrint.value(0), true);
}

// A document without a voucher (an order, a document saved before the company posted): Print
// and Show say so plainly instead of failing on the empty voucher.
void TestPrintDialog::glDialogWithoutVoucherSaysSo()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("Y"));
    QStringList messages;
    fx.hook([](TFrDocPrintForm*) { return int(QDialog::Rejected); },
            [&](TFrDocPrintFormGLAuto* gl) {
                for (QPushButton* b : {gl->BPrint, gl->BDisplay}) {
                    MessageService::clearShown();
                    b->click();
                    messages << MessageService::lastText();
                }
                return int(QDialog::Rejected);
            });
    const QString none = QStringLiteral("IM%1-09999").arg(year());
    PrintDocument(nullptr, none, QDate::currentDate().year(), QStringLiteral("IMPORT"));
    const QString said = QStringLiteral("เอกสารเลขที่ %1 ไม่มีใบบันทึกรายการบัญชี").arg(none);
    QCOMPARE(messages, (QStringList{said, said}));
    QCOMPARE(fx.seen.dialogs, (QStringList{QStringLiteral("Print"), QStringLiteral("GL")}));
}

void TestPrintDialog::missingLayoutFiles()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("Y"));
    QVERIFY(QFile::remove(QDir(fx.env.folder()).filePath(QStringLiteral("Form_Import.frf"))));
    QVERIFY(QFile::remove(QDir(fx.env.folder()).filePath(QStringLiteral("Form_GLAuto.frf"))));
    QStringList messages;
    fx.hook(
        [&](TFrDocPrintForm* d) {
            d->BDisplay->click();
            messages << MessageService::lastText();
            d->BPrint->click();
            messages << MessageService::lastText();
            return int(QDialog::Rejected);
        },
        [&](TFrDocPrintFormGLAuto* gl) {
            gl->BPrint->click();
            messages << MessageService::lastText();
            return int(QDialog::Rejected);
        });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QCOMPARE(messages, (QStringList{QStringLiteral("ยังไม่ได้กำหนดรูปแบบเอกสาร เพื่อพิมพ์"),
                                    QStringLiteral("ยังไม่ได้กำหนดรูปแบบเอกสาร เพื่อพิมพ์"),
                                    QStringLiteral("ไม่พบฟอร์ม บันทึกบัญชี")}));
    QCOMPARE(fx.logRows(5) + fx.logRows(10), 0);
    QVERIFY(!QFile::exists(fx.pdf));
    QVERIFY(!fx.seen.dialogs.contains(QStringLiteral("Preview")));
}

void TestPrintDialog::preparationProcedure()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    QVariantMap got;
    int runs = 0;
    ServerProcs::registerPrepareProc(QStringLiteral("SP_PrintFrPo"), [&](const QSqlDatabase&, const QVariantMap& p) {
        got = p;
        ++runs;
    });
    fx.env.exec(QStringLiteral("update SystemForm set SpName = ' SP_PrintFrPo ', DocCode = 'FRPO-X' where FormCode = 'FRPO-P'"));
    fx.hook([](TFrDocPrintForm* d) {
        d->BDisplay->click();
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, QStringLiteral("  FP1"), 2026, QStringLiteral("FRPO-P"));
    QCOMPARE(runs, 1);
    QCOMPARE(got.value(QStringLiteral("No")).toString(), QStringLiteral("  FP1"));
    QCOMPARE(got.value(QStringLiteral("DocYear")).toInt(), 2026);
    QCOMPARE(got.value(QStringLiteral("DocCode")).toString(), QStringLiteral("FRPO-X"));
    QVERIFY(got.contains(QStringLiteral("NewDocNo")));
    // The registry outlives this test: nothing may call back into its locals.
    ServerProcs::registerPrepareProc(QStringLiteral("SP_PrintFrPo"), [](const QSqlDatabase&, const QVariantMap&) {});
}

void TestPrintDialog::unknownPreparationProcedure()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    fx.env.exec(QStringLiteral("update SystemForm set SpName = 'SP_NotThere' where FormCode = 'FRPO-P'"));
    bool finished = true;
    fx.hook([&](TFrDocPrintForm* d) {
        QSignalSpy spy(d, &QDialog::finished);
        d->BPrint->click();
        finished = spy.count() > 0;
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, QStringLiteral("FP%1-00001").arg(year()), QDate::currentDate().year(), QStringLiteral("FRPO-P"));
    QCOMPARE(fx.seen.dialogs, (QStringList{QStringLiteral("Print"), QStringLiteral("Error")}));
    QCOMPARE(fx.errorLogRows(QStringLiteral("SP_NotThere")), 1);
    QVERIFY(!finished);  // nothing printed: the dialog stays for another choice
    QCOMPARE(fx.logRows(5) + fx.logRows(10), 0);
    QVERIFY(!QFile::exists(fx.pdf));
}

void TestPrintDialog::preparationScriptBesideTheLayouts_data()
{
    // An installation's own procedure: an SQL script named after it in the layouts' folder.
    QTest::addColumn<QString>("spName");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("rows");         // left in PrintPrep afterwards
    QTest::addColumn<QString>("error");    // in the error dialog's text; empty: none
    const QString good = QStringLiteral("-- fills the table the layout could read; a ':' in a comment binds nothing\n"
                                        "insert into PrintPrep values (:No, :DocYear, :DocCode);\n"
                                        "update PrintPrep set DocCode = DocCode || ';x' /* ; inside a comment */ where DocNo = :No;\n");
    QTest::newRow("runs with the document's values") << "SP_PrintPrep" << good << 1 << "";
    QTest::newRow("owner prefix and case") << "dbo.sp_printprep" << good << 1 << "";
    QTest::newRow("failing statement undoes the script")
        << "SP_PrintPrep" << QStringLiteral("insert into PrintPrep values (:No, :DocYear, :DocCode);\nupdate NoSuchTable set x = 1;") << 0
        << "SP_PrintPrep.sql, statement 2";
    QTest::newRow("a name that is no file name") << "../SP_PrintPrep" << good << 0 << "ไม่พบโปรแกรมเตรียมข้อมูล ../SP_PrintPrep";
}

void TestPrintDialog::preparationScriptBesideTheLayouts()
{
    QFETCH(QString, spName);
    QFETCH(QString, script);
    QFETCH(int, rows);
    QFETCH(QString, error);
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    fx.env.exec(QStringLiteral("create table PrintPrep (DocNo text, DocYear integer, DocCode text)"));
    QFile f(QDir(fx.env.folder()).filePath(QStringLiteral("SP_PrintPrep.sql")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(script.toUtf8());
    f.close();
    fx.env.exec(QStringLiteral("update SystemForm set SpName = :sp, DocCode = 'FRPO-X' where FormCode = 'FRPO-P'"),
                {{QStringLiteral("sp"), spName}});
    fx.hook([](TFrDocPrintForm* d) {
        d->BDisplay->click();
        return int(QDialog::Rejected);
    });
    const QString docNo = QStringLiteral("FP%1-00001").arg(year());
    PrintDocument(nullptr, docNo, 2026, QStringLiteral("FRPO-P"));
    QCOMPARE(fx.env.count(QStringLiteral("PrintPrep")), rows);
    if (error.isEmpty()) {
        QCOMPARE(fx.seen.dialogs, (QStringList{QStringLiteral("Print"), QStringLiteral("Preview")}));
        QCOMPARE(fx.env.scalar(QStringLiteral("select DocNo || '/' || DocYear || '/' || DocCode from PrintPrep")).toString(),
                 docNo + QStringLiteral("/2026/FRPO-X;x"));
    } else {
        // Reported like any failure of the procedure; nothing shown, nothing logged.
        QCOMPARE(fx.seen.dialogs, (QStringList{QStringLiteral("Print"), QStringLiteral("Error")}));
        QCOMPARE(fx.errorLogRows(error), 1);
        QCOMPARE(fx.logRows(10), 0);
    }
}

void TestPrintDialog::failedPrintIsNotLogged()
{
    // The printer refuses the job (here: a PDF file whose name is taken by a folder); the
    // print is reported, not logged, and the dialog stays for another try.
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    QVERIFY(QDir(fx.env.folder()).mkpath(QStringLiteral("taken.pdf")));
    fx.printer.setOutputFileName(QDir(fx.env.folder()).filePath(QStringLiteral("taken.pdf")));
    bool finished = true;
    fx.hook([&](TFrDocPrintForm* d) {
        QSignalSpy spy(d, &QDialog::finished);
        d->BPrint->click();
        finished = spy.count() > 0;
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, QStringLiteral("FP%1-00001").arg(year()), QDate::currentDate().year(), QStringLiteral("FRPO-P"));
    QCOMPARE(fx.seen.dialogs, (QStringList{QStringLiteral("Print"), QStringLiteral("Error")}));
    QCOMPARE(fx.logRows(5), 0);
    QVERIFY(!finished);
    QCOMPARE(fx.errorLogRows(QStringLiteral("ไม่สามารถพิมพ์ได้")), 1);
}

void TestPrintDialog::brokenLayoutReachesErrorDialog()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    // Reads fine, fails while preparing: an unknown field.
    QFile f(QDir(fx.env.folder()).filePath(QStringLiteral("Form_FrPo.frf")));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("report title=\"x\"\nband MasterData height=6\n  text x=0 y=0 w=40 h=6 : [NoSuchField]\n");
    f.close();
    fx.hook([](TFrDocPrintForm* d) {
        d->BDisplay->click();
        d->BPrint->click();
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, QStringLiteral("FP%1-00001").arg(year()), QDate::currentDate().year(), QStringLiteral("FRPO-P"));
    QCOMPARE(fx.seen.errors, 2);
    QVERIFY(!fx.seen.dialogs.contains(QStringLiteral("Preview")));
    QCOMPARE(fx.logRows(5) + fx.logRows(10), 0);  // a failed preparation leaves no log row
    QVERIFY(!QFile::exists(fx.pdf));
    QCOMPARE(fx.errorLogRows(QStringLiteral("NoSuchField")), 2);
}

void TestPrintDialog::importDocumentInWords()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    QStringList texts;
    fx.hook([&](TFrDocPrintForm* d) {
        d->BDisplay->click();
        for (const ReportPage& p : d->Report()->prepared().pages) texts += p.texts();
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    // 510.00 USD at 35.5 is 18,105.00 baht; duty 1,065.00 + 639.00.
    QVERIFY(texts.contains(QStringLiteral("18,105.00")));
    QVERIFY(texts.contains(QStringLiteral("1,704.00")));
    QVERIFY(texts.contains(QStringLiteral("19,809.00")));
    const QString all = texts.join(QString());
    QVERIFY2(all.contains(QStringLiteral("(หนึ่งหมื่นเก้าพันแปดร้อยเก้าบาทถ้วน)")), qPrintable(all));
    QVERIFY(all.contains(QStringLiteral("(NINETEEN  THOUSAND EIGHT  HUNDRED NINE  BAHT  ONLY)")));
}

void TestPrintDialog::defaultLayouts_data()
{
    QTest::addColumn<QString>("printCode");
    QTest::addColumn<QString>("docNo");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("IMPORT") << "IMPORT" << importNo()
                            << QStringList{QStringLiteral("บริษัท นำเข้าตัวอย่าง จำกัด"), QStringLiteral("BL-USA-0001"),
                                           QStringLiteral("35.5000"), QStringLiteral("F001  Pacific Office Supply Inc."),
                                           QStringLiteral("510.00"), QStringLiteral("หน้า 1 / 1")};
    QTest::newRow("FRPO-P") << "FRPO-P" << QStringLiteral("FP%1-00001").arg(year())
                            << QStringList{QStringLiteral("PI-7788"), QStringLiteral("1,710.00"), QStringLiteral("1,200.00"),
                                           QStringLiteral("USD ONE  THOUSAND SEVEN  HUNDRED TEN   ONLY")};
    QTest::newRow("MR-S") << "MR-S" << QStringLiteral("    MS0001")
                          << QStringList{QStringLiteral("INV-FW-1001"), QStringLiteral("10,700.00"), QStringLiteral("700.00"),
                                         QStringLiteral("(หนึ่งหมื่นเจ็ดร้อยบาทถ้วน)"), QStringLiteral("ค่าระวางเรือล็อต 1")};
    QTest::newRow("PC-S") << "PC-S" << QStringLiteral("CS%1-00001").arg(year())
                          << QStringList{QStringLiteral("RC-5501"), QStringLiteral("5,350.00"), QStringLiteral("เงินสด"),
                                         QStringLiteral("(ห้าพันสามร้อยห้าสิบบาทถ้วน)")};
}

void TestPrintDialog::defaultLayouts()
{
    QFETCH(QString, printCode);
    QFETCH(QString, docNo);
    QFETCH(QStringList, expected);
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    QStringList texts;
    int pages = 0;
    fx.hook([&](TFrDocPrintForm* d) {
        d->BDisplay->click();
        pages = d->Report()->pageCount();
        if (pages > 0) {
            texts = d->Report()->prepared().pages[0].texts();
            const QString dir = qEnvironmentVariable("NK_BUILD_DIR");
            if (!dir.isEmpty())
                ReportExport::toImage(d->Report()->prepared().pages[0], dir + QStringLiteral("/layout_%1.png").arg(printCode), 110);
        }
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, docNo, QDate::currentDate().year(), printCode);
    QCOMPARE(pages, 1);
    QCOMPARE(fx.seen.errors, 0);
    QVERIFY(texts.contains(docNo.trimmed()));
    for (const QString& e : expected) QVERIFY2(texts.contains(e), qPrintable(e + QStringLiteral(" | ") + texts.join(QStringLiteral(" | "))));
}

// Without a file set up (no printer on the system, or a file printer not yet named), every
// layout of every form prints to a PDF file the user names; the name proposed is made of the
// layout's title and the document number, safe for a file system ("... / Purchase Order"
// would be a folder).
void TestPrintDialog::printToAFileItNames_data()
{
    QTest::addColumn<QString>("printCode");
    QTest::addColumn<QString>("docNo");
    QTest::addColumn<QStringList>("proposed");
    QTest::newRow("IMPORT") << "IMPORT" << importNo()
                            << QStringList{QStringLiteral("ใบนำเข้าสินค้า %1.pdf").arg(importNo()),
                                           QStringLiteral("ใบนำเข้าสินค้า %1.pdf").arg(importNo())};
    QTest::newRow("FRPO-P") << "FRPO-P" << QStringLiteral("FP%1-00001").arg(year())
                            << QStringList{QStringLiteral("ใบสั่งซื้อต่างประเทศ - Purchase Order FP%1-00001.pdf").arg(year())};
    QTest::newRow("MR-S") << "MR-S" << QStringLiteral("    MS0001") << QStringList{QStringLiteral("MS0001.pdf")};
    QTest::newRow("PC-S") << "PC-S" << QStringLiteral("CS%1-00001").arg(year())
                          << QStringList{QStringLiteral("CS%1-00001.pdf").arg(year())};
}

void TestPrintDialog::printToAFileItNames()
{
    QFETCH(QString, printCode);
    QFETCH(QString, docNo);
    QFETCH(QStringList, proposed);
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    fx.printer.setOutputFileName(QString());
    QStringList names;
    QStringList written;
    fx.hook([&](TFrDocPrintForm* d) {
        for (int row = 0; row < d->LayoutCount(); ++row) {
            d->setCurrentLayout(row);
            d->BPrint->setFocus();
            QTest::keyClick(d->BPrint, Qt::Key_Return); // Enter on the button prints
        }
        return int(QDialog::Accepted);
    });
    fx.onFile = [&](QFileDialog* fd) {
        const QString name = QFileInfo(fd->selectedFiles().value(0)).fileName();
        names << name;
        const QString path = QDir(fx.env.folder()).filePath(QStringLiteral("out%1").arg(names.size()));
        written << path + QStringLiteral(".pdf");
        fd->selectFile(path); // typed without the suffix
        return int(QDialog::Accepted);
    };
    PrintDocument(nullptr, docNo, QDate::currentDate().year(), printCode);
    QCOMPARE(fx.seen.errors, 0);
    QCOMPARE(names.size(), proposed.size());
    for (int i = 0; i < names.size(); ++i) {
        QVERIFY2(names[i].endsWith(proposed[i]), qPrintable(names[i]));
        QVERIFY(!names[i].contains(QLatin1Char('/')));
        fx.pdf = written[i];
        QVERIFY2(QFile::exists(fx.pdf), qPrintable(fx.pdf));
        QVERIFY(fx.pdfText().contains(docNo.trimmed()));
    }
    QCOMPARE(fx.logRows(5), names.size());
}

void TestPrintDialog::longDocumentRepeatsColumnTitles()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    for (int i = 3; i <= 90; ++i)
        fx.env.exec(QStringLiteral("insert into ImDt (ImHd, ImRecNo, Product, ProductUnits, ImDuty, Quantity, Fraction, Total) "
                                   "values (1, :n, 1, 2, 1, 1, 12, 1)"),
                    {{QStringLiteral("n"), i}});
    QList<QStringList> pages;
    fx.hook([&](TFrDocPrintForm* d) {
        d->BDisplay->click();
        for (const ReportPage& p : d->Report()->prepared().pages) pages << p.texts();
        const QString dir = qEnvironmentVariable("NK_BUILD_DIR");
        if (!dir.isEmpty() && d->Report()->pageCount() > 1) {
            ReportExport::toImage(d->Report()->prepared().pages[1], dir + QStringLiteral("/layout_IMPORT_page2.png"), 110);
            ReportExport::toImage(d->Report()->prepared().pages.last(), dir + QStringLiteral("/layout_IMPORT_last.png"), 110);
        }
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QVERIFY(pages.size() >= 3);
    for (int i = 0; i < pages.size(); ++i) {
        const QStringList& t = pages[i];
        QVERIFY2(t.contains(QStringLiteral("หน้า %1 / %2").arg(i + 1).arg(pages.size())), qPrintable(QString::number(i)));
        QVERIFY(t.contains(QStringLiteral("เลขที่ %1").arg(importNo())));
    }
    // The block of header fields only on the first page; the line table's titles on every page
    // that has lines.
    QCOMPARE(pages[0].count(QStringLiteral("ผู้ขาย / Vendor")), 1);
    QCOMPARE(pages[1].count(QStringLiteral("ผู้ขาย / Vendor")), 0);
    for (int i = 0; i < pages.size() - 1; ++i) QCOMPARE(pages[i].count(QStringLiteral("รหัสสินค้า")), 1);
    QVERIFY(pages.last().join(QString()).contains(QStringLiteral("(หนึ่งหมื่นเก้าพันแปดร้อยเก้าบาทถ้วน)")));
}

void TestPrintDialog::captions_data()
{
    QTest::addColumn<bool>("thai");
    QTest::addColumn<QStringList>("texts");  // title, then caption and hint of each button
    QTest::newRow("Thai") << true
                          << QStringList{"พิมพ์เอกสาร", "แสดง", "แสดงเอกสารบนจอภาพ", "พิมพ์", "พิมพ์เอกสารทางเครื่องพิมพ์",
                                         "กำหนดเครื่องพิมพ์", "กำหนดเครื่องพิมพ์", "ไม่พิมพ์", "ยกเลิก หรือ ไม่ต้องการพิมพ์"};
    QTest::newRow("English") << false
                             << QStringList{"Print Document", "Preview", "Display Document To Screen", "Print",
                                            "Print Document To Printer", "Set Printer", "Setup Printer", "Cancel",
                                            "Cancel or don't want to print"};
}

void TestPrintDialog::captions()
{
    QFETCH(bool, thai);
    QFETCH(QStringList, texts);
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    Translation::useLanguage(thai);
    QStringList got;
    QString header;
    fx.hook([&](TFrDocPrintForm* d) {
        got << d->windowTitle();
        for (QPushButton* b : {d->BDisplay, d->BPrint, d->BSetPrinter, d->BExit}) got << b->text() << b->toolTip();
        header = d->SystemFormList->horizontalHeaderItem(0)->text();
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QCOMPARE(got, texts);
    QCOMPARE(header, thai ? QStringLiteral("กรุณาเลือกฟอร์มที่ต้องการพิมพ์") : QStringLiteral("Choose the form to print"));
}

void TestPrintDialog::frfNameOnF11AndPopup()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    fx.env.exec(QStringLiteral("update SystemForm set FrfName = 'Forms\\Second.frf' where FormCode = 'IMPORT' and FormOrderNo = 2"));
    QStringList messages;
    fx.hook([&](TFrDocPrintForm* d) {
        pressKey(d->SystemFormList, Qt::Key_F11);
        messages << MessageService::lastText();
        d->setCurrentLayout(1);
        QAction* item = d->PopupMenu->actions().value(0);
        if (item) {
            messages << item->text();
            item->trigger();
            messages << MessageService::lastText();
        }
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QCOMPARE(messages, (QStringList{QStringLiteral("Form_Import.frf"), QStringLiteral("แสดงชื่อฟอร์ม.frf"),
                                    QStringLiteral("Forms\\Second.frf")}));
    QCOMPARE(fx.logRows(5) + fx.logRows(10), 0);
}

void TestPrintDialog::escapeCloses()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    int result = -1;
    fx.hook([&](TFrDocPrintForm* d) {
        QSignalSpy spy(d, &QDialog::finished);
        pressKey(d->SystemFormList, Qt::Key_Escape);
        result = spy.isEmpty() ? -1 : spy.first().first().toInt();
        return d->result();
    });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(fx.logRows(5) + fx.logRows(10), 0);
}

void TestPrintDialog::setPrinterUsesPlatformDialog()
{
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    fx.hook([](TFrDocPrintForm* d) {
        d->BSetPrinter->click();
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QCOMPARE(fx.seen.dialogs, (QStringList{QStringLiteral("Print"), QStringLiteral("QPrintDialog")}));
    QCOMPARE(fx.logRows(5) + fx.logRows(10), 0);
    QVERIFY(!QFile::exists(fx.pdf));
}

void TestPrintDialog::quoteInDocumentNumber()
{
    // A number typed with a quote is handed to the layout as a value, not as expression text.
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    const QString odd = QStringLiteral("IM'1' + '2");
    fx.env.exec(QStringLiteral("update ImHd set ImNo = :n where ImNo = :o"), {{QStringLiteral("n"), odd}, {QStringLiteral("o"), importNo()}});
    QStringList texts;
    fx.hook([&](TFrDocPrintForm* d) {
        d->BDisplay->click();
        if (d->Report()->pageCount() > 0) texts = d->Report()->prepared().pages[0].texts();
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, odd, QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QCOMPARE(fx.seen.errors, 0);
    QVERIFY(texts.contains(odd));
    QVERIFY(texts.contains(QStringLiteral("19,809.00")));
}

void TestPrintDialog::cancelledDocumentOfTheSameNumber()
{
    // A cancelled document that carries the same number (stored padded) never replaces the
    // live one; alone, it prints marked as cancelled.
    Fixture fx;
    fx.setAutoGenGL(QStringLiteral("N"));
    fx.env.exec(QStringLiteral("insert into ImHd (DelFlag, ImNo, ImDate, FrVendor, Currency, ExchangeRate, Total) "
                               "values ('Y', :n, '2026-01-01 00:00:00', 2, 3, 1, 99)"),
                {{QStringLiteral("n"), QStringLiteral("   ") + importNo()}});
    QStringList texts;
    fx.hook([&](TFrDocPrintForm* d) {
        d->BDisplay->click();
        texts = d->Report()->prepared().pages.value(0).texts();
        return int(QDialog::Rejected);
    });
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QVERIFY(texts.contains(QStringLiteral("19,809.00")));
    QVERIFY(!texts.contains(QStringLiteral("ยกเลิกแล้ว (CANCELLED)")));

    fx.env.exec(QStringLiteral("update ImHd set DelFlag = 'Y' where ImNo = :n"), {{QStringLiteral("n"), importNo()}});
    fx.env.exec(QStringLiteral("delete from ImHd where Total = 99"));
    PrintDocument(nullptr, importNo(), QDate::currentDate().year(), QStringLiteral("IMPORT"));
    QVERIFY(texts.contains(QStringLiteral("19,809.00")));
    QVERIFY(texts.contains(QStringLiteral("ยกเลิกแล้ว (CANCELLED)")));
}

QTEST_MAIN(TestPrintDialog)
#include "tst_printdialog.moc"
