#include "search/PickList.h"
#include "search/SearchQuery.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QCoreApplication>

namespace PickList {

QTableView* makeGrid(QWidget* parent, SearchQuery* model)
{
    auto* g = new QTableView(parent);
    g->setModel(model);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->hide();
    return g;
}

void applyWidths(QTableView* grid, SearchQuery* query)
{
    for (int i = 0; i < query->columns().size(); ++i)
        if (query->columns()[i].width > 0)
            grid->setColumnWidth(i, query->columns()[i].width);
}

int currentOrFirst(QTableView* grid)
{
    const QModelIndex i = grid->currentIndex();
    return i.isValid() ? i.row() : 0;
}

QHBoxLayout* chooseButtons(QDialog* dialog, QTableView* grid, QPushButton*& ok, QPushButton*& cancel)
{
    ok = new QPushButton(QCoreApplication::translate("PickList", "เลือก"), dialog);
    cancel = new QPushButton(QCoreApplication::translate("PickList", "ไม่เลือก"), dialog);
    for (QPushButton* b : {ok, cancel})
        b->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(grid, &QTableView::doubleClicked, dialog, &QDialog::accept);
    return row;
}

} // namespace PickList
