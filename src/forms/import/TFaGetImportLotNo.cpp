#include "forms/import/TFaGetImportLotNo.h"

#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/DbUtil.h"
#include "data/NkError.h"
#include "search/SimpleSearch.h"
#include "widgets/TLookupEdit.h"

#include <QDate>
#include <QFocusEvent>
#include <QLabel>
#include <QToolButton>

TFaGetImportLotNo::TFaGetImportLotNo(QWidget* parent)
    : TFaPicker(parent)
{
    setObjectName(QStringLiteral("FaGetImportLotNo"));
    Caption->setText(QStringLiteral("Import Lot No."));
    Code = Edit;
    Code->setObjectName(QStringLiteral("Code"));
    Code->setLookup(QStringLiteral("ImportLotNo"), QStringLiteral("Id"), QStringLiteral("Code"),
                    QStringLiteral("Description"));
    Code->setAllowEmpty(false);
    BtSearch->setToolTip(tr("ค้นหา Lot นำเข้าต่างประเทศ"));
    connect(Code, &TLookupEdit::lookedUp, this, [this](bool found) {
        if (!found && CreateAllowed)
            OfferToCreate();
    });
}

bool TFaGetImportLotNo::OfferToCreate()
{
    const QString code = Code->text().trimmed().toUpper();
    if (code.isEmpty() || !Code->dataSet())
        return false;
    const QSqlDatabase db = Code->database();
    // A lot of that code that is only closed is not created again.
    if (Db::scalar(db, QStringLiteral("Select Count(*) From ImportLotNo Where Code = :c"), {{QStringLiteral("c"), code}})
            .toInt()
        > 0)
        return false;
    if (!MessageService::confirm(tr("ไม่พบ Lot นำเข้า %1\rต้องการสร้าง Lot ใหม่ ?").arg(code)))
        return false;
    try {
        Db::exec(db,
                 QStringLiteral("Insert Into ImportLotNo (Code, Description, EffectiveDate, Active) "
                                "Values (:c, '', :d, 'Y')"),
                 {{QStringLiteral("c"), code}, {QStringLiteral("d"), Db::dateToText(QDate::currentDate())}});
    } catch (const NkError& e) {
        ReportError(e);
        return false;
    }
    Code->setText(code);
    return Code->lookup();
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
    if (!SimpleSearch(tr("ค้นหา ") + Caption->text(), QStringLiteral("Code"),
                      QStringLiteral("ImportLotNo"), QString(), QStringLiteral("Description"))) {
        // Nothing chosen: a code typed in the field that names no lot may be created.
        if (CreateAllowed && !Code->text().trimmed().isEmpty() && OfferToCreate())
            Code->setFocus();
        return false;
    }
    code = SimpleSearchDialog()->ResultValue.trimmed();
    return !code.isEmpty();
}
