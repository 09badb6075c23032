#include "forms/base/TFrDocument.h"

#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/DbUtil.h"
#include "data/TDM.h"
#include "forms/base/TFaGetDocNo.h"
#include "widgets/DbEdits.h"
#include "search/TFaGetDate.h"
#include "widgets/TDataGrid.h"

#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "data/NkError.h"
#include "data/Numbering.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
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
    FaGetDocNo->DocNoExit = [this] {
        if (m_renumber)
            takeNewNumber();
        else
            openNumber();
    };
    // Opened, started afresh or reloaded: what the user changes is counted from the next key.
    for (CachedDataSet* ds : {QHd, QDt})
        connect(ds, &CachedDataSet::reset, this, [this] {
            m_cleanPending = true;
            m_renumber = false;
            m_periodOff = false;
        });
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
    m_numberField = numberField;
}

void TFrDocument::enableByRights(bool found)
{
    AcDel->setEnabled(found && DMConfig && DMConfig->DeleteRight);
    AcSave->setEnabled(DMConfig && (found ? DMConfig->ModifyRight : DMConfig->AddRight));
}

bool TFrDocument::refuseClosedPeriod(const QDateTime& date)
{
    if (MessageService::tell(DM->CheckPeriod(date))) {
        if (m_periodOff) {
            // A date corrected after the refusal: save and delete as they were before it,
            // unless the stored document itself lies in a closed period.
            const QDateTime stored = headerRow() && !m_dateField.isEmpty()
                                             && QHd->rowState(QHd->RecNo()) != CachedDataSet::RowState::Inserted
                                         ? Db::dateFromValue(QHd->oldValue(QHd->RecNo(), m_dateField))
                                         : QDateTime();
            if (stored.isValid() && stored.date() != date.date() && !MessageService::tell(DM->CheckPeriod(stored)))
                return false;
            m_periodOff = false;
            AcSave->setEnabled(m_saveBeforePeriod);
            AcDel->setEnabled(m_deleteBeforePeriod);
        }
        return true;
    }
    if (!m_periodOff) {
        m_periodOff = true;
        m_saveBeforePeriod = AcSave->isEnabled();
        m_deleteBeforePeriod = AcDel->isEnabled();
    }
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
    if (m_savingToLeave)
        return true; // the user has just chosen to save
    return MessageService::ConfirmDlg(DMConfig ? DMConfig->SaveConfirmText : tr("จัดเก็บข้อมูล ?"));
}

bool TFrDocument::confirmDelete()
{
    return MessageService::ConfirmDlg(DMConfig ? DMConfig->DeleteConfirmText : tr("ลบข้อมูล ?"));
}

bool TFrDocument::thaiLanguage()
{
    return DMConfig ? DMConfig->ThaiLanguage : true;
}

bool TFrDocument::numberTaken(const QString&) const
{
    return false;
}

void TFrDocument::saveFailed(const NkError& error)
{
    if (error.kind() == NkError::Kind::StoredChanged) {
        const QString number = headerRow() ? QHd->oldValue(QHd->RecNo(), m_numberField).toString() : QString();
        MessageService::warning(tr("เอกสารเลขที่ %1 ถูกบันทึกจากเครื่องอื่นหลังจากที่ท่านเปิดเอกสารนี้\r"
                                  "ยังไม่ได้บันทึกข้อมูล สิ่งที่ท่านป้อนยังอยู่บนจอ")
                                    .arg(number.trimmed()));
        if (MessageService::confirm(tr("เปิดเอกสารที่บันทึกไว้ใหม่ ? (สิ่งที่ท่านป้อนจะหายไป)")))
            openStoredVersion(number);
        return;
    }
    if (error.kind() == NkError::Kind::Duplicate && !error.userText().isEmpty()) {
        // A number typed by hand that another workstation saved first: another number, the
        // document as typed. An automatic number is drawn afresh by the next save.
        MessageService::warning(error.userText());
        if (!AutoRun) {
            m_renumber = true;
            FaGetDocNo->setEnabled(true);
            FaGetDocNo->DocNo->setEnabled(true);
            FaGetDocNo->DocNo->setFocus();
        }
        return;
    }
    ReportError(error);
}

void TFrDocument::takeNewNumber()
{
    const QString number = PadLeft(FaGetDocNo->DocNo->text().trimmed(), DocNoLength, QLatin1Char(' '));
    if (number.trimmed().isEmpty())
        return;
    if (numberTaken(number)) {
        MessageService::warning(TDM::DocNoTakenText(number));
        FaGetDocNo->DocNo->setFocus();
        return;
    }
    m_renumber = false;
    QHd->SetField(m_numberField, number);
    FaGetDocNo->DocNo->refresh();
    FaGetDocNo->DocNo->setEnabled(false);
    focusNextChild();
}

void TFrDocument::openStoredVersion(const QString& number)
{
    m_renumber = false;
    AcNewExecute();
    FaGetDocNo->DocNo->setText(number.trimmed());
    openNumber();
}

void TFrDocument::AcNewTriggered()
{
    if (mayLeaveDocument())
        AcNewExecute();
}

bool TFrDocument::askExit()
{
    if (!documentDirty())
        return TFrForm::askExit();
    // The question about the changes is the question about leaving.
    return askToSaveChanges() != Leave::Stay;
}

bool TFrDocument::mayLeaveDocument()
{
    return !documentDirty() || askToSaveChanges() != Leave::Stay;
}

TFrDocument::Leave TFrDocument::askToSaveChanges()
{
    const int choice = MessageService::choose(
        tr("เอกสารนี้มีการแก้ไขที่ยังไม่ได้บันทึก\rต้องการบันทึกก่อนหรือไม่ ?"),
        {tr("บันทึก"), tr("ไม่บันทึก"), tr("กลับไปแก้ไข")}, 2, 1);
    if (choice == 1)
        return Leave::Discarded;
    if (choice != 0)
        return Leave::Stay;
    // Saved as F10 would, without asking again; a save that is refused or fails leaves the
    // changes on screen and the user where they were.
    if (!commitFocusedField())
        return Leave::Stay;
    m_savingToLeave = true;
    AcSaveExecute();
    m_savingToLeave = false;
    return documentDirty() ? Leave::Stay : Leave::Saved;
}

bool TFrDocument::documentDirty() const
{
    if (!QHd->Active())
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        edit && edit->window() == window() && isAncestorOf(edit) && edit->isModified() && !edit->isReadOnly()
        && edit != static_cast<QLineEdit*>(FaGetDocNo->DocNo))
        return true;
    if (m_cleanPending)
        return false;
    const Snapshot now = takeSnapshot();
    if (now.size() != m_clean.size())
        return true;
    for (int s = 0; s < now.size(); ++s) {
        if (now[s].size() != m_clean[s].size())
            return true;
        for (int r = 0; r < now[s].size(); ++r) {
            const QList<QVariant>& a = now[s][r];
            const QList<QVariant>& b = m_clean[s][r];
            if (a.size() != b.size())
                return true;
            for (int f = 0; f < a.size(); ++f)
                if (!sameValue(a[f], b[f]))
                    return true;
        }
    }
    return false;
}

TFrDocument::Snapshot TFrDocument::takeSnapshot() const
{
    Snapshot out;
    for (const CachedDataSet* ds : documentDataSets()) {
        QList<QList<QVariant>> rows;
        if (ds && ds->Active()) {
            const int fields = ds->fieldNames().size();
            rows.reserve(ds->RecordCount());
            for (int r = 0; r < ds->RecordCount(); ++r) {
                QList<QVariant> row;
                row.reserve(fields);
                for (int f = 0; f < fields; ++f)
                    row << ds->value(r, f);
                rows << row;
            }
        }
        out << rows;
    }
    return out;
}

bool TFrDocument::sameValue(const QVariant& a, const QVariant& b)
{
    const bool aEmpty = a.isNull() || (a.typeId() == QMetaType::QString && a.toString().trimmed().isEmpty());
    const bool bEmpty = b.isNull() || (b.typeId() == QMetaType::QString && b.toString().trimmed().isEmpty());
    if (aEmpty || bEmpty)
        return aEmpty == bEmpty;
    bool na = false, nb = false;
    const double da = a.toDouble(&na), db = b.toDouble(&nb);
    if (na && nb)
        return qAbs(da - db) < 1e-9;
    return a.toString().trimmed() == b.toString().trimmed();
}

bool TFrDocument::eventFilter(QObject* obj, QEvent* e)
{
    if (m_cleanPending) {
        const QEvent::Type t = e->type();
        if (t == QEvent::KeyPress || t == QEvent::ShortcutOverride || t == QEvent::MouseButtonPress) {
            auto* w = qobject_cast<QWidget*>(obj);
            if (w && w->window() == window() && isVisible() && QHd->Active()) {
                m_clean = takeSnapshot();
                m_cleanPending = false;
            }
        }
    }
    return TFrForm::eventFilter(obj, e);
}
