#include "forms/base/TFrDocument.h"

#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "forms/base/TFaGetDocNo.h"
#include "search/TFaGetDate.h"
#include "widgets/TDataGrid.h"

#include <QVBoxLayout>

TFrDocument::TFrDocument(QWidget* parent, Toolbar toolbar)
    : TFrForm(parent, toolbar)
{
    QHd = new CachedDataSet(this, QStringLiteral("QHd"));
    QDt = new CachedDataSet(this, QStringLiteral("QDt"));
    PnHeader = new QWidget(this);
    PnHeader->setObjectName(QStringLiteral("PnHeader"));
    FaGetDocNo = new TFaGetDocNo(PnHeader);
    FaGetDate = new TFaGetDate(PnHeader);
    body()->addWidget(PnHeader);
    FaGetDocNo->DocNoExit = [this] { openNumber(); };
    FaGetDocNo->BtSearchClick = [this] { searchNumber(); };
}

TFrDocument::~TFrDocument() = default;

bool TFrDocument::headerRow() const
{
    return QHd->Active() && QHd->RecNo() >= 0;
}

QDateTime TFrDocument::headerDate() const
{
    if (!headerRow() || m_dateField.isEmpty() || !QHd->hasField(m_dateField))
        return {};
    return Db::dateFromValue(QHd->FieldByName(m_dateField));
}

QDateTime TFrDocument::docDate() const
{
    const QDateTime d = headerDate();
    return d.isValid() ? d : QDateTime(QDate::currentDate(), QTime(0, 0));
}

QList<CachedDataSet*> TFrDocument::documentDataSets() const
{
    return {QHd, QDt};
}

void TFrDocument::bindNumberAndDate(const QString& numberField, const QString& dateField)
{
    FaGetDocNo->bind(QHd, numberField);
    FaGetDate->bind(QHd, dateField);
    m_dateField = dateField;
}

void TFrDocument::enableByRights(bool found)
{
    AcDel->setEnabled(found && DMConfig && DMConfig->DeleteRight);
    AcSave->setEnabled(DMConfig && (found ? DMConfig->ModifyRight : DMConfig->AddRight));
}

bool TFrDocument::refuseClosedPeriod(const QDateTime& date)
{
    if (DM->CheckPeriod(date))
        return true;
    AcSave->setEnabled(false);
    AcDel->setEnabled(false);
    return false;
}

bool TFrDocument::headerFieldEmpty(const QString& field) const
{
    const QVariant v = QHd->FieldByName(field);
    return v.isNull() || v.toString().trimmed().isEmpty();
}

void TFrDocument::defaultHeaderFields(std::initializer_list<std::pair<const char*, QVariant>> defaults)
{
    for (const auto& [field, value] : defaults)
        if (headerFieldEmpty(QLatin1String(field)))
            QHd->SetField(QLatin1String(field), value);
}

void TFrDocument::addCellDialog(const QString& field, std::function<void()> dialog)
{
    m_cellDialogs.insert(field.toUpper(), std::move(dialog));
    if (m_cellButtonsWired || !DgDt)
        return;
    m_cellButtonsWired = true;
    DgDt->onEditButton = [this](int row, const QString& f) {
        QDt->setRecNo(row);
        const auto it = m_cellDialogs.constFind(f.toUpper());
        if (it != m_cellDialogs.cend())
            (*it)();
    };
}

bool TFrDocument::confirmSave()
{
    return DM->ConfirmDlg(DMConfig ? DMConfig->SaveConfirmText : tr("จัดเก็บข้อมูล ?"));
}

bool TFrDocument::confirmDelete()
{
    return DM->ConfirmDlg(DMConfig ? DMConfig->DeleteConfirmText : tr("ลบข้อมูล ?"));
}

bool TFrDocument::thaiLanguage()
{
    return DMConfig ? DMConfig->ThaiLanguage : true;
}

void TFrDocument::AcNewTriggered()
{
    if (mayLeaveDocument())
        AcNewExecute();
}

bool TFrDocument::askExit()
{
    return mayLeaveDocument() && TFrForm::askExit();
}
