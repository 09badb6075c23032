#include "search/TFaGetDate.h"
#include "widgets/DbEdits.h"

#include <QHBoxLayout>
#include <QLabel>

TFaGetDate::TFaGetDate(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FaGetDate"));
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(4);
    Caption = new QLabel(tr("วันที่"), this);
    DateEdit = new TDbDateEdit(this);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    lay->addWidget(Caption);
    lay->addWidget(DateEdit);
    setFocusProxy(DateEdit);
}

void TFaGetDate::bind(CachedDataSet* ds, const QString& field)
{
    DateEdit->bind(ds, field);
}
