#include "forms/import/TFaGetImportLotNo.h"

#include "search/SimpleSearch.h"
#include "widgets/TLookupEdit.h"

#include <QFocusEvent>
#include <QLabel>
#include <QToolButton>

TFaGetImportLotNo::TFaGetImportLotNo(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetImportLotNo1"));
    Caption->setText(QStringLiteral("Import Lot No."));
    Code = Edit;
    Code->setObjectName(QStringLiteral("Code"));
    Code->setLookup(QStringLiteral("ImportLotNo"), QStringLiteral("Id"), QStringLiteral("Code"),
                    QStringLiteral("Description"));
    Code->setAllowEmpty(false);
    BtSearch->setToolTip(QStringLiteral("ค้นหา Lot นำเข้าต่างประเทศ"));
}

bool TFaGetImportLotNo::eventFilter(QObject* obj, QEvent* e)
{
    if (obj == Edit && e->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        m_windowSwitch = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    }
    return TFaPicker::eventFilter(obj, e);
}

void TFaGetImportLotNo::EditEnter()
{
    // Coming back from another window (the lot search, a message) is no entering.
    if (CodeEnter && !m_windowSwitch)
        CodeEnter();
    m_windowSwitch = false;
    TFaPicker::EditEnter();
}

bool TFaGetImportLotNo::runSearch(QString& code)
{
    // Every lot is listed, inactive ones too; the field's filter decides on leaving.
    if (!SimpleSearch(QStringLiteral("ค้นหา ") + Caption->text(), QStringLiteral("Code"),
                      QStringLiteral("ImportLotNo"), QString(), QStringLiteral("Description")))
        return false;
    code = SimpleSearchDialog()->ResultValue.trimmed();
    return !code.isEmpty();
}
