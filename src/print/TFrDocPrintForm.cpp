#include "print/TFrDocPrintForm.h"

#include "app/ErrorReporting.h"
#include "app/InstalledPaths.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "data/ServerProcs.h"
#include "data/TDM.h"
#include "print/PrepareScript.h"
#include "print/ReportFunctions.h"
#include "print/TFrDocPrintFormGLAuto.h"
#include "report/ReportExport.h"
#include "report/TReport.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const char* const kLayoutSql = "Select FormOrderNo,FormCode,FormDesc,FrfName,SpName,DocCode,DocParaName,ShowPrintPreview\n"
                               "From  SystemForm\n"
                               "Where LTrim(RTrim(FormCode))=LTrim(RTrim(:PrintCode))\n"
                               "Order By FormOrderNo";

std::function<QPrinter*()>& printerProvider()
{
    static std::function<QPrinter*()> provider;
    return provider;
}

void setCaption(QPushButton* b, const QString& caption, const QString& hint)
{
    b->setText(caption);
    b->setToolTip(hint);
    b->setStatusTip(hint);
}
}  // namespace

TFrDocPrintForm::TFrDocPrintForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrDocPrintForm"));
    setWindowTitle(tr("พิมพ์เอกสาร"));
    frReport = new TReport(this);

    auto* layout = new QVBoxLayout(this);
    LbGLVoucher = new QLabel(tr("พิมพ์ใบบันทึกรายการบัญชี"), this);
    LbGLVoucher->setObjectName(QStringLiteral("LbGLVoucher"));
    LbGLVoucher->setAlignment(Qt::AlignCenter);
    QFont big = LbGLVoucher->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    LbGLVoucher->setFont(big);
    LbGLVoucher->setMinimumHeight(60);
    LbGLVoucher->hide();
    layout->addWidget(LbGLVoucher);

    SystemFormList = new QTableWidget(0, 1, this);
    SystemFormList->setObjectName(QStringLiteral("SystemFormList"));
    SystemFormList->setHorizontalHeaderLabels({tr("กรุณาเลือกฟอร์มที่ต้องการพิมพ์")});
    SystemFormList->horizontalHeader()->setStretchLastSection(true);
    SystemFormList->verticalHeader()->hide();
    SystemFormList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SystemFormList->setSelectionBehavior(QAbstractItemView::SelectRows);
    SystemFormList->setSelectionMode(QAbstractItemView::SingleSelection);
    SystemFormList->setTabKeyNavigation(false);
    SystemFormList->setContextMenuPolicy(Qt::CustomContextMenu);
    SystemFormList->installEventFilter(this);
    SystemFormList->setMinimumHeight(140);
    layout->addWidget(SystemFormList, 1);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    QAction* showName = PopupMenu->addAction(tr("แสดงชื่อฟอร์ม.frf"));
    showName->setObjectName(QStringLiteral("MiShowFrfName"));
    showName->setShortcut(QKeySequence(Qt::Key_F11));
    connect(showName, &QAction::triggered, this, &TFrDocPrintForm::ShowFrfName);
    connect(SystemFormList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu->popup(SystemFormList->viewport()->mapToGlobal(pos)); });
    connect(SystemFormList, &QTableWidget::cellDoubleClicked, this, [this] { BPrintClick(); });

    auto* buttons = new QHBoxLayout;
    auto makeButton = [&](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        // Enter on the list prints; on a button it presses that button.
        b->setAutoDefault(true);
        b->setDefault(false);
        buttons->addWidget(b);
        return b;
    };
    BDisplay = makeButton("BDisplay");
    BPrint = makeButton("BPrint");
    BSetPrinter = makeButton("BSetPrinter");
    BExit = makeButton("BExit");
    layout->addLayout(buttons);
    connect(BDisplay, &QPushButton::clicked, this, &TFrDocPrintForm::BDisplayClick);
    connect(BPrint, &QPushButton::clicked, this, &TFrDocPrintForm::BPrintClick);
    connect(BSetPrinter, &QPushButton::clicked, this, &TFrDocPrintForm::BSetPrinterClick);
    connect(BExit, &QPushButton::clicked, this, &TFrDocPrintForm::BExitClick);
    resize(420, 260);
}

TFrDocPrintForm::~TFrDocPrintForm() = default;

int TFrDocPrintForm::CurrentLayout() const
{
    if (m_layouts.isEmpty()) return -1;
    const int row = SystemFormList->currentRow();
    return row >= 0 && row < m_layouts.size() ? row : -1;
}

void TFrDocPrintForm::setCurrentLayout(int row)
{
    SystemFormList->setCurrentCell(row, 0);
}

QPrinter* TFrDocPrintForm::CurrentPrinter()
{
    if (printerProvider()) return printerProvider()();
    // The system's default printer, set up once and kept for the process like the platform's
    // own current printer. Never freed: a printer must not outlive the application object's
    // teardown in an undefined order.
    static QPrinter* printer = [] {
        auto* p = new QPrinter(QPrinter::HighResolution);
        // Without a printer on the system, printing writes a PDF file the user names.
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            p->setOutputFormat(QPrinter::PdfFormat);
        return p;
    }();
    return printer;
}

void TFrDocPrintForm::setPrinterProvider(std::function<QPrinter*()> provider)
{
    printerProvider() = std::move(provider);
}

void TFrDocPrintForm::PrepareWindow()
{
    m_layoutCount = 0;
    m_printed = false;
    setWindowTitle(tr("พิมพ์เอกสาร"));
    setCaption(BDisplay, tr("แสดง"), tr("แสดงเอกสารบนจอภาพ"));
    setCaption(BPrint, tr("พิมพ์"), tr("พิมพ์เอกสารทางเครื่องพิมพ์"));
    setCaption(BSetPrinter, tr("กำหนดเครื่องพิมพ์"), tr("กำหนดเครื่องพิมพ์", "hint"));
    setCaption(BExit, tr("ไม่พิมพ์"), tr("ยกเลิก หรือ ไม่ต้องการพิมพ์"));
    // Top right corner of the screen, clear of the document form behind it.
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s) {
        const QRect area = s->availableGeometry();
        const QSize frame = frameGeometry().size();
        move(area.right() - frame.width() + 1, area.top());
    }
}

bool TFrDocPrintForm::FormShow()
{
    PrepareWindow();
    m_layouts.clear();
    SystemFormList->setRowCount(0);
    QSqlQuery q = Db::exec(DM->DMdata(), QString::fromLatin1(kLayoutSql), {{QStringLiteral("PrintCode"), PrintCode}});
    while (q.next()) {
        Layout l;
        l.FormOrderNo = q.value(0).toInt();
        l.FormCode = q.value(1).toString();
        l.FormDesc = q.value(2).toString();
        l.FrfName = q.value(3).toString();
        l.SpName = q.value(4).toString();
        l.DocCode = q.value(5).toString();
        l.DocParaName = q.value(6).toString();
        l.ShowPrintPreview = q.value(7).toString();
        m_layouts.append(l);
    }
    if (m_layouts.isEmpty()) return false;
    m_layoutCount = int(m_layouts.size());
    SystemFormList->setRowCount(m_layoutCount);
    for (int i = 0; i < m_layoutCount; ++i) SystemFormList->setItem(i, 0, new QTableWidgetItem(m_layouts[i].FormDesc));
    setCurrentLayout(0);
    SystemFormList->setFocus();
    return true;
}

int TFrDocPrintForm::ShowModal()
{
    bool hasLayouts = false;
    try {
        hasLayouts = FormShow();
    } catch (const NkError& e) {
        ReportError(e);
    }
    const int result = hasLayouts ? MessageService::execDialog(this) : int(QDialog::Rejected);
    FormClose();
    return result;
}

void TFrDocPrintForm::FormClose()
{
    try {
        if (!DM || DM->ConfigText(QStringLiteral("AutoGenGL")) != QLatin1String("Y")) return;
        TFrDocPrintFormGLAuto* gl = TFrDocPrintFormGLAuto::Instance();
        gl->DocNo = DocNo;
        gl->DocYear = DocYear;
        gl->PrintCode = PrintCode;
        gl->ShowModal();
    } catch (const NkError& e) {
        ReportError(e);
    }
}

QString TFrDocPrintForm::ExistingReportPath(const QString& folder, const QString& name)
{
    return InstalledPaths::layoutFile(folder, name);
}

QString TFrDocPrintForm::QuotedExpression(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

bool TFrDocPrintForm::ShowOrPrint(bool printMode)
{
    const int row = CurrentLayout();
    if (row < 0) return false;
    const Layout layout = m_layouts[row];
    try {
        if (DM->StartFolder.isEmpty()) DM->StartFolder = QDir::currentPath();
        const QString path = ExistingReportPath(DM->StartFolder, layout.FrfName.trimmed());
        if (path.isEmpty()) {
            MessageService::information(tr("ยังไม่ได้กำหนดรูปแบบเอกสาร เพื่อพิมพ์"));
            return false;
        }
        const QString spName = layout.SpName.trimmed();
        if (!spName.isEmpty()) {
            const QVariantMap params{{QStringLiteral("No"), DocNo},
                                     {QStringLiteral("DocYear"), DocYear},
                                     {QStringLiteral("DocCode"), layout.DocCode},
                                     {QStringLiteral("NewDocNo"), QString()}};
            // A procedure of the program first, else the installation's script in the working
            // folder or beside the layout; without either the procedure is reported unknown.
            QString script;
            if (!ServerProcs::hasPrepareProc(spName)) {
                script = PrepareScript::find(DM->StartFolder, spName);
                if (script.isEmpty()) script = PrepareScript::find(QFileInfo(path).absolutePath(), spName);
            }
            if (script.isEmpty())
                ServerProcs::runPrepareProc(spName, DM->DMdata(), params);
            else
                PrepareScript::run(script, DM->DMdata(), params);
        }
        frReport->clear();
        if (layout.ShowPrintPreview == QLatin1String("Y"))
            frReport->setPreviewButtons(TReport::Zoom | TReport::Print | TReport::Find | TReport::Help | TReport::Exit |
                                        TReport::PageSetup);
        else
            frReport->setPreviewButtons(TReport::Zoom | TReport::Find | TReport::Help | TReport::Exit);
        if (!frReport->loadFromFile(path)) {  // removed in between
            MessageService::information(tr("ยังไม่ได้กำหนดรูปแบบเอกสาร เพื่อพิมพ์"));
            return false;
        }
        SetReportVariables();
        return RunReport(printMode);
    } catch (const NkError& e) {
        ReportError(e);
        return false;
    }
}

void TFrDocPrintForm::SetReportVariables()
{
    frReport->setVariable(QStringLiteral("DocNo"), QuotedExpression(DocNo.trimmed()));
    frReport->setVariable(QStringLiteral("UserCode"), QuotedExpression(DMConfig ? DMConfig->UserCode.trimmed() : QString()));
}

bool TFrDocPrintForm::RunReport(bool printMode)
{
    frReport->setDatabase(DM->DMdata());
    frReport->setUserFunctions(callReportUserFunction);
    // Prepared before anything is logged: a report that cannot be prepared leaves no trace in
    // the log and reaches neither the screen nor the printer.
    if (!frReport->prepare()) {
        ReportError(frReport->lastError());
        return false;
    }
    if (!printMode) {
        DM->AddUserLog(10, 0, DocNo);
        // The preview's own print button prints on the printer the dialog set up.
        QPrinter* current = CurrentPrinter();
        QPrinter* own = frReport->printer();
        if (current && own != current) {
            own->setOutputFormat(current->outputFormat());
            if (current->outputFormat() == QPrinter::NativeFormat)
                own->setPrinterName(current->printerName());
            else
                own->setOutputFileName(current->outputFileName());
        }
        frReport->showPreview(this);
        frReport->setDatabase(QSqlDatabase());  // the connection is not held between uses
        return true;
    }
    ReportPrintOptions options;  // every page, one copy, collated
    options.copies = 1;
    options.collate = true;
    frReport->setDatabase(QSqlDatabase());
    QPrinter* printer = CurrentPrinter();
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        // Printing to a file: the file set up with the printer, or one the user names now. The
        // engine writes it afresh each time, so a file that could not be written leaves no
        // printer half-used for the next try.
        QString path = printer->outputFileName();
        if (path.isEmpty() || !QFileInfo(path).absoluteDir().exists()) {
            path = AskPdfFile(this, frReport->prepared().title, DocNo);
            if (path.isEmpty())
                return false; // cancelled: nothing printed, nothing logged
        }
        try {
            ReportExport::toPdf(frReport->prepared(), path);
        } catch (const NkError& e) {
            throw NkError(tr("ไม่สามารถพิมพ์ได้ (%1)").arg(e.message()), e.kind(),
                          tr("ไม่สามารถพิมพ์ลงแฟ้ม %1 ได้").arg(QDir::toNativeSeparators(path)));
        }
    } else {
        // Logged once the printer took the whole document: a print that fails (throws) is not.
        frReport->print(printer, options);
    }
    DM->AddUserLog(5, 0, DocNo);
    return true;
}

QString TFrDocPrintForm::ProposedPdfName(const QString& title, const QString& docNo)
{
    QString name = ReportExport::safeFileName(title.isEmpty() ? QStringLiteral("document") : title);
    if (!docNo.trimmed().isEmpty())
        name += QLatin1Char(' ') + ReportExport::safeFileName(docNo.trimmed());
    return name + QStringLiteral(".pdf");
}

QString TFrDocPrintForm::AskPdfFile(QWidget* parent, const QString& title, const QString& docNo)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = DM && !DM->StartFolder.isEmpty() ? DM->StartFolder : QDir::currentPath();
    QFileDialog dialog(parent, tr("พิมพ์ลงแฟ้ม PDF"), folder,
                       QStringLiteral("PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("PrintToFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QDir(folder).filePath(ProposedPdfName(title, docNo)));
    if (MessageService::execDialog(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    return path;
}

void TFrDocPrintForm::BDisplayClick()
{
    ShowOrPrint(false);
}

void TFrDocPrintForm::BPrintClick()
{
    m_printed = true;
    const bool done = ShowOrPrint(true);
    if (done && m_layoutCount == 1) accept();
}

void TFrDocPrintForm::BSetPrinterClick()
{
    // The name the platform dialog proposes for printing to a file: the chosen layout and
    // the document, made safe (a title such as "... / Purchase Order" would make a folder).
    const int row = CurrentLayout();
    if (row >= 0)
        CurrentPrinter()->setDocName(ProposedPdfName(m_layouts[row].FormDesc, DocNo).chopped(4));
    QPrintDialog dialog(CurrentPrinter(), this);
    dialog.setWindowTitle(BSetPrinter->text());
    MessageService::execDialog(&dialog);
}

void TFrDocPrintForm::BExitClick()
{
    reject();
}

void TFrDocPrintForm::ShowFrfName()
{
    const int row = CurrentLayout();
    if (row < 0) return;
    MessageService::information(m_layouts[row].FrfName);
}

bool TFrDocPrintForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SystemFormList && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Enter prints the current layout at once, without a preview.
            BPrintClick();
            return true;
        }
        if (key->key() == Qt::Key_F11) {
            ShowFrfName();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrDocPrintForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        BExitClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PrintDocument(QWidget* parent, const QString& docNo, int docYear, const QString& printCode)
{
    TFrDocPrintForm dialog(parent);
    dialog.DocNo = docNo;
    dialog.DocYear = docYear;
    dialog.PrintCode = printCode;
    dialog.ShowModal();
}
