#include "search/TFaGetProject.h"

#include "app/MessageService.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "data/product/TDmMisc.h"
#include "data/product/TDmProduct.h"
#include "search/TFrSearchLotNo.h"
#include "search/TFrSearchProject.h"
#include "widgets/TLookupEdit.h"

#include <QEvent>
#include <QSqlQuery>
#include <QLabel>
#include <QPointer>
#include <QToolButton>
#include <memory>

TFaGetProject::TFaGetProject(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetProject"));
    Caption->setText(QStringLiteral("รหัสโครงการ"));
    Edit->setLookup(QStringLiteral("Project"), QStringLiteral("ID"), QStringLiteral("CODE"),
                    QStringLiteral("Description"));
    Edit->setFilter(QStringLiteral("Blocked='N'"));
    Edit->setAllowEmpty(false);
}

bool TFaGetProject::event(QEvent* e)
{
    // The project frame enables its button as soon as the frame is entered.
    if (e->type() == QEvent::Enter || e->type() == QEvent::FocusIn)
        BtSearch->setEnabled(true);
    return TFaPicker::event(e);
}

void TFaGetProject::EditExit()
{
    TFaPicker::EditExit();
    const QString code = Edit->text().trimmed();
    if (code.isEmpty())
        return;
    QSqlQuery q = Db::exec(Edit->database(), QStringLiteral("Select Id,Code,Description From Project Where Code = :GetCode"),
                           {{QStringLiteral("GetCode"), code}});
    if (!q.next()) {
        Edit->clear();
        Edit->lookup();
    }
}

bool TFaGetProject::runSearch(QString& code)
{
    auto dlg = std::make_unique<TFrSearchProject>(window());
    if (MessageService::execDialog(dlg.get()) != QDialog::Accepted || dlg->ResultValue.isEmpty())
        return false;
    code = dlg->ResultValue;
    return true;
}

// ---- lot -----------------------------------------------------------------------------------

TFaGetLotNo::TFaGetLotNo(QWidget* parent)
    : TFaPicker(parent)
    , ReferenceDate(Db::emptyDate())
{
    setObjectName(QStringLiteral("FaGetLotNo"));
    Caption->setText(QStringLiteral("LotNo"));
    Edit->setLookup(QStringLiteral("LotNo"), QStringLiteral("Id"), QStringLiteral("Code"),
                    QStringLiteral("Description"));
    Edit->setAllowEmpty(false);
}

void TFaGetLotNo::EditExit()
{
    TFaPicker::EditExit();
    CreateProductModules();
    if (DmProduct->ExistsLotNo(Edit->text(), ReferenceDate))
        return;
    Edit->clear();
    Edit->lookup(); // the bound column becomes null
}

bool TFaGetLotNo::runSearch(QString& code)
{
    static QPointer<TFrSearchLotNo> dlg;
    if (!dlg)
        dlg = new TFrSearchLotNo(nullptr);
    if (MessageService::execDialog(dlg) != QDialog::Accepted || dlg->ResultCode.isEmpty())
        return false;
    code = dlg->ResultCode;
    return true;
}
