#include "print/TFrDocPrintFormGLAuto.h"

#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/NkError.h"
#include "report/TReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

TFrDocPrintFormGLAuto::TFrDocPrintFormGLAuto(QWidget* parent) : TFrDocPrintForm(parent)
{
    setObjectName(QStringLiteral("FrDocPrintFormGLAuto"));
    SystemFormList->hide();
    LbGLVoucher->show();
    resize(420, 150);
}

TFrDocPrintFormGLAuto* TFrDocPrintFormGLAuto::Instance()
{
    static QPointer<TFrDocPrintFormGLAuto> instance;
    if (!instance) {
        instance = new TFrDocPrintFormGLAuto;
        // Kept until the program ends; freed while the application object still exists.
        if (QCoreApplication::instance())
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, QCoreApplication::instance(),
                             [] { delete instance.data(); });
    }
    return instance;
}

bool TFrDocPrintFormGLAuto::FormShow()
{
    PrepareWindow();
    LbGLVoucher->setText(tr("พิมพ์ใบบันทึกรายการบัญชี"));
    BDisplay->setFocus();
    return true;
}

bool TFrDocPrintFormGLAuto::ShowOrPrint(bool printMode)
{
    try {
        const QString path = ExistingReportPath(QDir::currentPath(), QString::fromLatin1(FormFileName));
        if (path.isEmpty()) {
            MessageService::information(tr("ไม่พบฟอร์ม บันทึกบัญชี"));
            return false;
        }
        frReport->clear();
        // The voucher is always printable from its preview; loading and saving prepared
        // pages are not offered here either.
        frReport->setPreviewButtons(TReport::Zoom | TReport::Print | TReport::Find | TReport::Help | TReport::Exit |
                                    TReport::PageSetup);
        if (!frReport->loadFromFile(path)) {
            MessageService::information(tr("ไม่พบฟอร์ม บันทึกบัญชี"));
            return false;
        }
        SetReportVariables();
        return RunReport(printMode);
    } catch (const NkError& e) {
        ReportError(e);
        return false;
    }
}

void TFrDocPrintFormGLAuto::SetReportVariables()
{
    frReport->setVariable(QStringLiteral("DocNo"), QuotedExpression(DocNo.trimmed()));
    frReport->setVariable(QStringLiteral("DocYear"), QString::number(DocYear));
    frReport->setVariable(QStringLiteral("PrintCode"), QuotedExpression(PrintCode.trimmed()));
}
