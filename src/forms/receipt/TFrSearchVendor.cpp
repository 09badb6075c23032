#include "forms/receipt/TFrSearchVendor.h"

#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "forms/receipt/TFaSelectVendorAttr.h"
#include "search/SearchQuery.h"
#include "widgets/TDataGrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

TFrSearchVendor::TFrSearchVendor(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSearchVendor"));
    setWindowTitle(tr("ค้นหารหัสเจ้าหนี้"));
    resize(620, 420);
    LbCode->setText(tr("รหัส"));
    EdName = new QLineEdit(PnHeader);
    EdName->setObjectName(QStringLiteral("EdName"));
    auto* lbName = new QLabel(tr("ชื่อ"), PnHeader);
    lbName->setBuddy(EdName);
    HeaderLayout->insertWidget(0, lbName);
    HeaderLayout->insertWidget(1, EdName, 1);
    FaSelectVendorAttr = new TFaSelectVendorAttr(this);
    FaSelectVendorAttr->setMaximumHeight(110);
    if (auto* lay = qobject_cast<QVBoxLayout*>(layout()))
        lay->insertWidget(1, FaSelectVendorAttr);
    QSearch->addColumn(QStringLiteral("CODE"), tr("รหัส"), 90);
    QSearch->addColumn(QStringLiteral("NAME"), tr("ชื่อ"), 260);
    QSearch->addColumn(QStringLiteral("REMARK"), tr("หมายเหตุ"), 180);
    // A title click on the code or the name orders by it and searches again.
    disconnect(DgSearch->horizontalHeader(), &QHeaderView::sectionClicked, this, nullptr);
    connect(DgSearch->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFrSearchVendor::TitleClick);
    installKeyPreview();
}

void TFrSearchVendor::FormShow()
{
    TFrSearch::FormShow();
    ResultField = QStringLiteral("CODE");
    OrderLine = QStringLiteral("Order By V.Code");
    EdName->clear();
    FaSelectVendorAttr->OpenGroups();
    installKeyPreview();
    EdName->setFocus();
}

QStringList TFrSearchVendor::BuildStatement()
{
    QStringList sql{QStringLiteral("Select V.Code,V.Name,V.Remark"), QStringLiteral("From Vendor V"),
                    QStringLiteral("Where (V.Code Like :GetCode") + QLatin1String(Db::LikeEscape) + QStringLiteral(")")};
    QSearch->setParam(QStringLiteral("GetCode"), Db::likeText(Code->text().trimmed()) + QStringLiteral("%"));
    const QString name = EdName->text().trimmed();
    if (!name.isEmpty()) {
        sql << QStringLiteral("And (V.Name Like :GetName") + QLatin1String(Db::LikeEscape) + QStringLiteral(")");
        QSearch->setParam(QStringLiteral("GetName"), QStringLiteral("%") + Db::likeText(name) + QStringLiteral("%"));
    }
    if (!IncludeBlocked)
        sql << QStringLiteral("And (V.Blocked <> 'Y')");
    const QList<TFaSelectProdAttr::Range> ranges = FaSelectVendorAttr->Ranges();
    for (int i = 0; i < ranges.size(); ++i) {
        const QString from = QStringLiteral("AttrFrom%1").arg(i);
        const QString to = QStringLiteral("AttrTo%1").arg(i);
        sql << QStringLiteral("And (Id In (Select Vendor From VendorAttribute Where (GroupCode Between :%1 And :%2)))")
                   .arg(from, to);
        QSearch->setParam(from, ranges[i].from);
        QSearch->setParam(to, ranges[i].to);
    }
    sql << OrderLine;
    return sql;
}

void TFrSearchVendor::BtSearchClick()
{
    // A code typed into the attribute grid counts without leaving its cell first.
    if (FaSelectVendorAttr->QAttr->Active() && FaSelectVendorAttr->QAttr->state() != CachedDataSet::State::Browse)
        FaSelectVendorAttr->QAttr->Post();
    QSearch->Close();
    QSearch->SQL = BuildStatement();
    TFrSearch::BtSearchClick();
}

void TFrSearchVendor::TitleClick(int column)
{
    const QString field = QSearch->columnField(column).toUpper();
    if (field == QLatin1String("CODE"))
        OrderLine = QStringLiteral("Order By V.Code");
    else if (field == QLatin1String("NAME"))
        OrderLine = QStringLiteral("Order By V.Name");
    else
        return;
    BtSearchClick();
}

bool TFrSearchVendor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        auto* ke = static_cast<QKeyEvent*>(event);
        const bool inAttr = w && (w == FaSelectVendorAttr || FaSelectVendorAttr->isAncestorOf(w));
        // The attribute grid keeps Enter and Escape for its cells.
        if (inAttr && (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter || ke->key() == Qt::Key_Escape))
            return false;
        if (ke->key() == Qt::Key_F1) {
            Code->setFocus();
            return true;
        }
    }
    return TFrSearch::eventFilter(watched, event);
}
