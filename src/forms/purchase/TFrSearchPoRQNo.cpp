#include "forms/purchase/TFrSearchPoRQNo.h"

#include "app/MessageService.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "forms/purchase/PurchasePickers.h"
#include "forms/purchase/TFrSearchPoNo.h"
#include "search/SearchQuery.h"
#include "search/TFaPicker.h"
#include "search/TF_SearchMisc.h"
#include "search/TFrSearchProject.h"
#include "search/UpperCaseValidator.h"
#include "widgets/TLookupEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

TFrSearchPoRQNo::TFrSearchPoRQNo(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSearchPoRQNo"));
    setWindowTitle(tr("ค้นหาใบขอซื้อ"));
    LbCode->setText(tr("เลขใบขอซื้อ"));

    QNullTable = new CachedDataSet(this, QStringLiteral("QNullTable"));
    QNullTable->setSQL(QStringLiteral("Select 0 Id From NullTable"));

    auto* row = new QWidget(this);
    auto* rl = new QHBoxLayout(row);
    rl->setContentsMargins(6, 0, 6, 6);
    auto box = [&](QLineEdit*& edit, QToolButton*& button, const char* name, const QString& caption) {
        rl->addWidget(new QLabel(caption, row));
        edit = new QLineEdit(row);
        edit->setObjectName(QLatin1String(name));
        edit->setValidator(new UpperCaseValidator(edit));
        edit->setMaximumWidth(100);
        rl->addWidget(edit);
        button = new QToolButton(row);
        button->setText(QStringLiteral("..."));
        button->setFocusPolicy(Qt::NoFocus);
        rl->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, edit] { pick(edit); });
    };
    box(EdDepartment, BtDepartment, "EdDepartment", tr("แผนก"));
    box(EdProject, BtProject, "EdProject", tr("โครงการ"));
    box(EdEmployee, BtEmployee, "EdEmployee", tr("รหัสพนักงาน"));
    rl->addStretch(1);
    FaGetVendor = TFrSearchPoNo::createVendorPicker(row);
    FaGetVendor->hide();
    if (auto* lay = qobject_cast<QVBoxLayout*>(layout()))
        lay->insertWidget(1, row);

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    QSearch->addColumn(QStringLiteral("PoRQNo"), tr("เลขที่"), 90, right);
    QSearch->addColumn(QStringLiteral("PoRQDate"), tr("วันที่ขอซื้อ"), 80);
    QSearch->addColumn(QStringLiteral("ShipDate"), tr("วันที่ขอรับ"), 80);
    QSearch->addColumn(QStringLiteral("DepCode"), tr("รหัสแผนก"), 70);
    QSearch->addColumn(QStringLiteral("ProjCode"), tr("รหัสโครงการ"), 80);
    QSearch->addColumn(QStringLiteral("EmpCode"), tr("รหัสพนักงาน"), 80);
    QSearch->addColumn(QStringLiteral("EmpName"), tr("ชื่อพนักงาน"), 160);
    resize(qMax(width(), 660), height());
}

QStringList TFrSearchPoRQNo::Statement()
{
    return {QStringLiteral("SELECT H.Id PrId, H.PoRQNo, H.PoRQDate, H.ShipDate, H.Reference, H.DelFlag,"),
            QStringLiteral("H.Total, H.Clear, V.NAME, V.CODE,H.Id,D.Code DepCode, P.Code ProjCode, E.Code EmpCode, E.Name EmpName"),
            QStringLiteral("FROM PoRQHd H"),
            QStringLiteral("LEFT  JOIN VENDOR V ON (H.VENDOR = V.ID) LEFT Join Misc D On (D.Id = H.Department) And(D.GroupCode = 'DEPARTMENT')"),
            QStringLiteral("Left Join Project P On (P.Id = H.Project) Left Join Employee E On (E.Id = H.Employee)"),
            QString(),
            QString(),
            TFrSearchPoNo::markerLine()};
}

void TFrSearchPoRQNo::FormShow()
{
    TFrSearch::FormShow();
    ResultField = QStringLiteral("PORQNo");
    QNullTable->OpenEditRow();
    if (ID > 0)
        QNullTable->SetField(QStringLiteral("Id"), ID);
    FaGetVendor->bind(QNullTable, QStringLiteral("Id"));
    for (QLineEdit* e : {EdDepartment, EdProject, EdEmployee})
        e->clear();
    QSearch->Close();
    QSearch->SQL = Statement();
    Code->setFocus();
}

void TFrSearchPoRQNo::BtSearchClick()
{
    const QString c = Code->text().trimmed();
    const QString v = FaGetVendor->Edit->text().trimmed();
    QSearch->Close();
    if (QSearch->SQL.size() <= OrderLine)
        QSearch->SQL = Statement();
    // Every typed text travels as a parameter; the number is looked for as typed.
    const QString like = QStringLiteral("LIKE :GetNo") + QLatin1String(Db::LikeEscape);
    QString where = v.isEmpty() ? QStringLiteral("WHERE (ltrim(rtrim(H.PoRQNo)) %1) ").arg(like)
                                : QStringLiteral("WHERE (Ltrim(rtrim(H.PoRQNo)) %1) AND (V.Code = :GetVendor) ").arg(like);
    const QString ordered = QStringLiteral(
        " And H.Id In (Select Porqhd From PoRqDt D Where D.PoRqHd = H.Id And D.Quantity %1 "
        "Coalesce((select Sum(Po.Quantity) From PoDt Po Where Po.PoRqDt = D.Id),0)) And(H.Clear %2 'Y')");
    if (Outstanding == QLatin1String("N"))
        where += ordered.arg(QStringLiteral(">"), QStringLiteral("<>"));
    else if (Outstanding == QLatin1String("Y"))
        where += ordered.arg(QStringLiteral("<="), QStringLiteral("="));
    const QString a = Approved.trimmed();
    if (!a.isEmpty() && DM->ConfigText(QStringLiteral("PORQ_Approved")) == QLatin1String("N")) {
        const QString byLine = DM->ConfigText(QStringLiteral("PORQ_ApprovedDT"));
        if (byLine == QLatin1String("Y"))
            where += QStringLiteral(" And (H.Approved = :GetApproved ) ");
        else if (byLine == QLatin1String("N"))
            where += QStringLiteral(" And (H.Id In (select PoRQhd From PoRQdt Where Approved = :GetApproved )) ");
    }
    const QString dep = EdDepartment->text().trimmed();
    const QString proj = EdProject->text().trimmed();
    const QString emp = EdEmployee->text().trimmed();
    if (!dep.isEmpty())
        where += QStringLiteral(" And D.Code = :GetDepartment");
    if (!proj.isEmpty())
        where += QStringLiteral(" And P.Code = :GetProject");
    if (!emp.isEmpty())
        where += QStringLiteral(" And E.Code = :GetEmployee");
    QSearch->SQL[WhereLine] = where;
    QSearch->SQL[OrderLine] = QStringLiteral("ORDER BY PoRQNo DESC");
    QSearch->setParam(QStringLiteral("GetNo"), Db::likeText(c) + QStringLiteral("%"));
    QSearch->setParam(QStringLiteral("GetVendor"), v);
    QSearch->setParam(QStringLiteral("GetApproved"), a);
    QSearch->setParam(QStringLiteral("GetDepartment"), dep);
    QSearch->setParam(QStringLiteral("GetProject"), proj);
    QSearch->setParam(QStringLiteral("GetEmployee"), emp);
    TFrSearch::BtSearchClick();
}

void TFrSearchPoRQNo::pick(QLineEdit* box)
{
    QString chosen;
    if (box == EdEmployee) {
        chosen = PurchasePickers::pickEmployee(this);
    } else if (box == EdDepartment) {
        auto dlg = std::make_unique<TF_SearchMisc>(this);
        dlg->setWindowTitle(tr("ค้นหา แผนก"));
        dlg->SearchGroup = QStringLiteral("DEPARTMENT");
        if (MessageService::execDialog(dlg.get()) == QDialog::Accepted)
            chosen = dlg->ResultCode;
    } else {
        auto dlg = std::make_unique<TFrSearchProject>(this);
        if (MessageService::execDialog(dlg.get()) == QDialog::Accepted)
            chosen = dlg->ResultValue;
    }
    if (chosen.trimmed().isEmpty())
        return;
    box->setText(chosen.trimmed());
    box->setFocus();
}

bool TFrSearchPoRQNo::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F5) {
        for (QLineEdit* box : {EdDepartment, EdProject, EdEmployee})
            if (obj == box) {
                pick(box);
                return true;
            }
    }
    return TFrSearch::eventFilter(obj, e);
}
