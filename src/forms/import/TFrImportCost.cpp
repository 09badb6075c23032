#include "forms/import/TFrImportCost.h"

#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/import/TFrShowImportCost.h"
#include "widgets/TLookupEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFrImportCost::TFrImportCost(QWidget* parent)
    : TFrForm(parent)
{
    setObjectName(QStringLiteral("FrImportCost"));
    setWindowTitle(defaultCaption());

    QNullTable = new CachedDataSet(this, QStringLiteral("QNullTable"));
    QNullTable->setSQL(QStringLiteral("Select 0 Id From NullTable"));

    // Every lot may be costed, closed ones included: no filter on the picker.
    FaGetImportLotNo = new TFaGetImportLotNo(this);
    FaGetImportLotNo->DescLabel->setMinimumWidth(220);

    // The split basis: reached by Enter after the lot, by Tab, or by Alt+B.
    CbBasis = new QComboBox(this);
    CbBasis->setObjectName(QStringLiteral("CbBasis"));
    for (CostBasis b : AllCostBases)
        CbBasis->addItem(CostBasisCaption(b, true), int(b));
    CbBasis->setMinimumWidth(220);
    LbBasis = new QLabel(this);
    LbBasis->setObjectName(QStringLiteral("LbBasis"));
    LbBasis->setBuddy(CbBasis);

    BtReport = new QPushButton(tr("แสดงต้นทุน"), this);
    BtReport->setObjectName(QStringLiteral("BtReport"));
    BtReport->setMinimumWidth(120);
    connect(BtReport, &QPushButton::clicked, this, [this] { BtReportClick(); });

    auto* lotRow = new QHBoxLayout;
    lotRow->addWidget(FaGetImportLotNo, 1);
    auto* basisRow = new QHBoxLayout;
    basisRow->addWidget(LbBasis);
    basisRow->addWidget(CbBasis);
    basisRow->addStretch(1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(BtReport);
    body()->addSpacing(12);
    body()->addLayout(lotRow);
    body()->addSpacing(8);
    body()->addLayout(basisRow);
    body()->addSpacing(12);
    body()->addLayout(buttonRow);
    body()->addStretch(1);

    setTabOrder(FaGetImportLotNo->Code, CbBasis);
    setTabOrder(CbBasis, BtReport);

    resize(560, 220);
    setFixedSize(size());
}

TFrImportCost::~TFrImportCost() = default;

void TFrImportCost::applyLanguage()
{
    const bool thai = !DMConfig || DMConfig->ThaiLanguage;
    BtReport->setText(tr("แสดงต้นทุน"));
    LbBasis->setText(tr("ปันส่วนค่าใช้จ่ายตาม (&B)"));
    for (int i = 0; i < CbBasis->count(); ++i)
        CbBasis->setItemText(i, CostBasisCaption(CostBasis(CbBasis->itemData(i).toInt()), thai));
    // The basis lines up under the lot code.
    const int captionWidth = qMax(LbBasis->sizeHint().width(), FaGetImportLotNo->Caption->sizeHint().width());
    LbBasis->setFixedWidth(captionWidth);
    FaGetImportLotNo->Caption->setFixedWidth(captionWidth);
}

void TFrImportCost::FormShow()
{
    StatusCompany->setText(companyName());
    applyLanguage();
    TFrForm::FormShow();
    // The menu entry's caption names the window (the program's own when it has none), with
    // the version, as every work form.
    setFormCaption(defaultCaption());

    // The picker writes the chosen lot's id into a one-row scratch query held in edit state.
    QNullTable->OpenEditRow();
    FaGetImportLotNo->bind(QNullTable, QStringLiteral("Id"));
    FaGetImportLotNo->Code->setFocus();
}

void TFrImportCost::AcNewExecute()
{
    TFrForm::AcNewExecute();
    // Nothing here is a record: no new, no delete, no save.
    AcNew->setEnabled(false);
}

CostBasis TFrImportCost::basis() const
{
    return CbBasis->currentIndex() < 0 ? CostBasis::Value : CostBasis(CbBasis->currentData().toInt());
}

qint64 TFrImportCost::importLotId() const
{
    if (!QNullTable->Active() || QNullTable->RecNo() < 0)
        return 0;
    const QVariant id = QNullTable->FieldByName(QStringLiteral("Id"));
    return id.isNull() ? 0 : id.toLongLong();
}

void TFrImportCost::BtReportClick()
{
    try {
        // A code typed but not yet left (the button reached from the keyboard or a shortcut)
        // is looked up now, so the sheet is never that of the lot chosen before.
        TLookupEdit* code = FaGetImportLotNo->Code;
        if (code->hasFocus() || !code->text().trimmed().isEmpty())
            code->lookup();
        auto* show = new TFrShowImportCost(importLotId(), DM->DMdata(), this, basis());
        show->setWindowTitle(windowTitle()); // the result carries the work form's caption
        // Read before it opens: a basis the lot lacks data for is refused with its message
        // and opens nothing.
        if (show->load())
            MessageService::execDialog(show);
        delete show;
    } catch (const NkError& e) {
        MessageService::error(e.message());
    }
    FaGetImportLotNo->Code->setFocus();
}
