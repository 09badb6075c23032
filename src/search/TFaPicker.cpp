#include "search/TFaPicker.h"

#include "widgets/TDescLabel.h"
#include "widgets/TLookupEdit.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

TFaPicker::TFaPicker(QWidget* parent)
    : QWidget(parent)
{
    Layout = new QHBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(4);
    Caption = new QLabel(this);
    Edit = new TLookupEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    Edit->setFixedWidth(100);
    BtSearch = new QToolButton(this);
    BtSearch->setObjectName(QStringLiteral("BtSearch"));
    BtSearch->setText(QStringLiteral("..."));
    BtSearch->setFocusPolicy(Qt::NoFocus);
    BtSearch->setEnabled(false);
    DescLabel = new TDescLabel(this);
    DescLabel->setObjectName(QStringLiteral("DescLabel"));
    Edit->setDescLabel(DescLabel);
    Caption->setBuddy(Edit);
    Layout->addWidget(Caption);
    Layout->addWidget(Edit);
    Layout->addWidget(BtSearch);
    Layout->addWidget(DescLabel, 1);
    setFocusProxy(Edit);
    Edit->installEventFilter(this);
    connect(BtSearch, &QToolButton::clicked, this, &TFaPicker::BtSearchClick);
    connect(Edit, &TLookupEdit::exited, this, &TFaPicker::EditExit);
}

void TFaPicker::bind(CachedDataSet* ds, const QString& field)
{
    Edit->bind(ds, field);
}

void TFaPicker::setFilter(const QString& filter)
{
    Edit->setFilter(filter);
}

void TFaPicker::EditEnter()
{
    BtSearch->setEnabled(true);
}

void TFaPicker::EditExit()
{
    BtSearch->setEnabled(false);
}

void TFaPicker::BtSearchClick()
{
    QString code;
    if (!runSearch(code))
        return;
    Edit->setText(code);
    Edit->setFocus();
}

bool TFaPicker::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == Edit) {
        if (e->type() == QEvent::FocusIn) {
            EditEnter();
        } else if (e->type() == QEvent::KeyPress) {
            auto* ke = static_cast<QKeyEvent*>(e);
            if (ke->key() == Qt::Key_F5 && ke->modifiers() == Qt::NoModifier) {
                BtSearchClick();
                return true;
            }
        }
    }
    return QWidget::eventFilter(obj, e);
}
