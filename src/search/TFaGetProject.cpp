#include "search/TFaGetProject.h"

#include "app/MessageService.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "search/TFrSearchProject.h"
#include "widgets/TLookupEdit.h"

#include <QSqlQuery>
#include <QLabel>
#include <QToolButton>
#include <memory>

TFaGetProject::TFaGetProject(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetProject"));
    Caption->setText(tr("รหัสโครงการ"));
    Edit->setLookup(QStringLiteral("Project"), QStringLiteral("ID"), QStringLiteral("CODE"),
                    QStringLiteral("Description"));
    Edit->setFilter(QStringLiteral("Blocked='N'"));
    Edit->setAllowEmpty(false);
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
