#include "search/TF_SearchMisc.h"

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

TF_SearchMisc::TF_SearchMisc(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("F_SearchMisc"));
    resize(457, 244);
    QSearch = new SearchQuery(this);
    QSearch->addColumn(QStringLiteral("description"), tr("รายละเอียด"), 300);
    QSearch->addColumn(QStringLiteral("code"), tr("รหัส"), 100);

    LbDesc = new QLabel(tr("รายละเอียด"), this);
    EnterString = new QLineEdit(this);
    EnterString->setObjectName(QStringLiteral("EnterString"));
    LbDesc->setBuddy(EnterString);
    FullWord = new QCheckBox(tr("หาเต็มคำ"), this);
    FullWord->setVisible(false);
    BtOk = new QPushButton(tr("เลือก"), this);
    BtCancel = new QPushButton(tr("ไม่เลือก"), this);
    for (QPushButton* b : {BtOk, BtCancel})
        b->setAutoDefault(false);
    ListData = new QTableView(this);
    ListData->setObjectName(QStringLiteral("ListData"));
    ListData->setModel(QSearch);
    ListData->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListData->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListData->setSelectionMode(QAbstractItemView::SingleSelection);
    ListData->verticalHeader()->hide();
    ListData->horizontalHeader()->setSectionsClickable(true);

    auto* top = new QHBoxLayout;
    top->addWidget(LbDesc);
    top->addWidget(EnterString, 1);
    top->addWidget(FullWord);
    top->addWidget(BtOk);
    top->addWidget(BtCancel);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(ListData, 1);

    connect(BtOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListData, &QTableView::doubleClicked, this, &QDialog::accept);
    connect(ListData->horizontalHeader(), &QHeaderView::sectionClicked, this, &TF_SearchMisc::ListDataTitleClick);
    EnterString->installEventFilter(this);
    ListData->installEventFilter(this);
}

void TF_SearchMisc::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TF_SearchMisc::FormShow()
{
    EnterString->clear();
    QSearch->SQL = {QStringLiteral("select id,code,groupcode,description  from misc"),
                    QStringLiteral("where (groupcode=:inputgroup)  and (description like :inputname)"),
                    SearchGroup == QLatin1String("DEPARTMENT") ? QStringLiteral("Order By Code Desc")
                                                               : QStringLiteral("order by description")};
    Search();
    EnterString->setFocus();
}

void TF_SearchMisc::Search()
{
    QSearch->setParam(QStringLiteral("inputgroup"), SearchGroup);
    QSearch->setParam(QStringLiteral("inputname"), QStringLiteral("%") + EnterString->text() + QStringLiteral("%"));
    QSearch->Close();
    QSearch->Open(DM->DMdata());
    for (int i = 0; i < QSearch->columns().size(); ++i)
        ListData->setColumnWidth(i, QSearch->columns()[i].width);
    if (!QSearch->IsEmpty()) {
        ListData->setFocus();
        ListData->selectRow(0);
    }
}

void TF_SearchMisc::ListDataTitleClick(int column)
{
    const QString field = QSearch->columnField(column);
    const int ordinal = QSearch->fieldIndex(field);
    const QString upper = field.toUpper();
    if (ordinal < 0 || upper == QLatin1String("REMARK") || upper == QLatin1String("REFERENCE")
        || upper == QLatin1String("MEMO"))
        return;
    bool descending = false;
    if (upper == m_sortColumn) {
        descending = m_sortDesc;
        m_sortDesc = !m_sortDesc;
    } else {
        m_sortDesc = true;
    }
    m_sortColumn = upper;
    for (QString& line : QSearch->SQL) {
        const int at = line.toUpper().indexOf(QLatin1String("ORDER BY "));
        if (at >= 0)
            line = line.left(at) + QStringLiteral("Order By ") + QString::number(ordinal + 1)
                   + (descending ? QStringLiteral(" Desc") : QString());
    }
    Search();
}

void TF_SearchMisc::done(int r)
{
    const QModelIndex i = ListData->currentIndex();
    if (r == QDialog::Accepted && QSearch->Active() && !QSearch->IsEmpty()) {
        const int row = i.isValid() ? i.row() : 0;
        ResultCode = QSearch->value(row, QStringLiteral("code")).toString();
        ResultDescription = QSearch->value(row, QStringLiteral("description")).toString();
    } else {
        ResultCode.clear();
        ResultDescription.clear();
        r = QDialog::Rejected;
    }
    QSearch->Close();
    QDialog::done(r);
}

bool TF_SearchMisc::eventFilter(QObject* obj, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        switch (ke->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (obj == ListData)
                accept();
            else if (obj == EnterString)
                Search();
            else
                ListData->setFocus();
            return true;
        case Qt::Key_Down:
            if (obj == EnterString) {
                ListData->setFocus();
                return true;
            }
            break;
        case Qt::Key_Escape:
            reject();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(obj, e);
}
