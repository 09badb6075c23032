#include "search/TFrSearchProdAttrCode.h"
#include "search/PickList.h"

#include "data/DbUtil.h"
#include "data/TDM.h"
#include "search/SearchQuery.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

using namespace PickList;

// ---- attribute codes -----------------------------------------------------------------------

TFrSearchProdAttrCode::TFrSearchProdAttrCode(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrSearchProdAttrCode"));
    setWindowTitle(tr("ค้นหาคุณสมบัติสินค้า"));
    resize(420, 260);
    QCode = new SearchQuery(this);
    QCode->addColumn(QStringLiteral("Code"), tr("รหัส"), 100);
    QCode->addColumn(QStringLiteral("Description"), tr("รายละเอียด"), 280);
    FullWord = new QCheckBox(tr("หาเต็มคำ"), this);
    FullWord->setObjectName(QStringLiteral("FullWord"));
    EdDesc = new QLineEdit(this);
    EdDesc->setObjectName(QStringLiteral("EdDesc"));
    DgCode = makeGrid(this, QCode);
    DgCode->setObjectName(QStringLiteral("DgCode"));
    BtOk = new QPushButton(tr("เลือก"), this);
    BtCancel = new QPushButton(tr("ไม่เลือก"), this);
    for (QPushButton* b : {BtOk, BtCancel})
        b->setAutoDefault(false);
    auto* top = new QHBoxLayout;
    LbDesc = new QLabel(tr("รายละเอียด"), this);
    top->addWidget(LbDesc);
    top->addWidget(EdDesc, 1);
    top->addWidget(FullWord);
    top->addWidget(BtOk);
    top->addWidget(BtCancel);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(DgCode, 1);
    connect(BtOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(DgCode, &QTableView::doubleClicked, this, &QDialog::accept);
    for (QWidget* w : {static_cast<QWidget*>(EdDesc), static_cast<QWidget*>(FullWord), static_cast<QWidget*>(DgCode)})
        w->installEventFilter(this);
}

void TFrSearchProdAttrCode::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TFrSearchProdAttrCode::FormShow()
{
    FullWord->setChecked(false);
    EdDesc->clear();
    Search();
}

void TFrSearchProdAttrCode::Search()
{
    QCode->SQL = {QStringLiteral("Select Id,Code,Description From ") + CodeTable,
                  QStringLiteral("Where ") + GroupColumn + QStringLiteral(" = :GroupId")};
    QCode->setParam(QStringLiteral("GroupId"), GroupId);
    const QString text = EdDesc->text();
    if (!text.isEmpty()) {
        // The typed description is a parameter, whole or contained.
        if (FullWord->isChecked()) {
            QCode->SQL << QStringLiteral("And Description = :Desc");
            QCode->setParam(QStringLiteral("Desc"), text);
        } else {
            QCode->SQL << QStringLiteral("And Description Like :Desc") + QLatin1String(Db::LikeEscape);
            QCode->setParam(QStringLiteral("Desc"), QStringLiteral("%") + Db::likeText(text) + QStringLiteral("%"));
        }
    }
    QCode->SQL << QStringLiteral("Order By Code ");
    QCode->Close();
    QCode->Open(DM->DMdata());
    applyWidths(DgCode, QCode);
    if (!QCode->IsEmpty())
        DgCode->selectRow(0);
}

void TFrSearchProdAttrCode::done(int r)
{
    if (r == QDialog::Accepted && QCode->Active() && !QCode->IsEmpty()) {
        ResultCode = QCode->value(currentOrFirst(DgCode), QStringLiteral("Code")).toString();
    } else {
        ResultCode.clear();
        r = QDialog::Rejected;
    }
    QDialog::done(r);
}

bool TFrSearchProdAttrCode::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (obj == DgCode)
                accept();
            else
                Search();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}
