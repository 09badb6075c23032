#pragma once
#include "forms/base/TFrForm.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <utility>

class CachedDataSet;
class NkError;
class QTabWidget;
class TDataGrid;
class TFaGetDate;
class TFaGetDocNo;

// What every document with a header and lines has and does, written once: the header and
// line data sets, the header panel with the number and date frames, the line grid, the
// number's length and numbering mode, the rights and the closed period that switch save and
// delete, the defaults of empty header fields, the dialogs behind the grid's cell buttons, and
// the questions before saving and deleting.
//
// Every way a document is left or written passes through one hook here, so behaviour that
// belongs to all documents is added once:
//   - AcNewTriggered / askExit: the document on screen is left (F3, the window closed);
//     both ask mayLeaveDocument() first;
//   - openNumber(): the number frame was left, the typed number opens a document (or starts
//     a new one under it);
//   - AcSaveExecute / AcDelExecute: the document's save and delete;
//   - documentDirty() and documentDataSets(): what the document holds that is not saved.
class TFrDocument : public TFrForm {
    Q_OBJECT
public:
    explicit TFrDocument(QWidget* parent = nullptr, Toolbar toolbar = Toolbar::Full);
    ~TFrDocument() override;

    // ---- data (the document sets their statements) ------------------------------------------
    CachedDataSet* QHd = nullptr;
    CachedDataSet* QDt = nullptr;

    // ---- header: the panel and the number and date frames (the document lays them out) -----
    QWidget* PnHeader = nullptr;
    TFaGetDocNo* FaGetDocNo = nullptr;
    TFaGetDate* FaGetDate = nullptr;

    // ---- lines: the page control and grid, made by the document's line piece ---------------
    QTabWidget* PageControl = nullptr;
    TDataGrid* DgDt = nullptr;

    // ---- numbering (read at New from the document code) -------------------------------------
    int DocNoLength = 0;
    bool AutoRun = false;

    // The header is open and on a row.
    bool headerRow() const;
    // The document's date as stored: invalid without a header row or a date.
    QDateTime headerDate() const;
    // The document's date, today when none is stored.
    QDateTime docDate() const;

    // ---- hooks of every document ------------------------------------------------------------
    // The number frame was left: open the document of the typed number or start a new one.
    virtual void openNumber() {}
    // The number frame's search button.
    virtual void searchNumber() {}
    // The data sets that make up the document (header first).
    virtual QList<CachedDataSet*> documentDataSets() const;
    // The document holds changes not saved: the user changed a value of its data sets since
    // it was opened or started, or has typed into the field that has the focus.
    virtual bool documentDirty() const;
    // The document on screen may be left (for a new one, another number or the end of the
    // program): with changes, the user chooses to save them, drop them or go back to them.
    virtual bool mayLeaveDocument();

protected:
    // The number and date frames take these header columns.
    void bindNumberAndDate(const QString& numberField, const QString& dateField);

    // Save and delete by the user's rights after a number was looked up: delete only for a
    // stored document, save by the right to add or to change.
    void enableByRights(bool found);
    // A date in a closed accounting period turns save and delete off (the period guard says
    // why). False when the period is closed.
    bool refuseClosedPeriod(const QDateTime& date);

    // A header field without a value (null or blank).
    bool headerFieldEmpty(const QString& field) const;
    // Sets every empty one of these header fields to its default.
    void defaultHeaderFields(std::initializer_list<std::pair<const char*, QVariant>> defaults);

    // The dialog behind a grid cell's button, by the column's field (any case). The grid's
    // row becomes the line data set's current row first.
    void addCellDialog(const QString& field, std::function<void()> dialog);

    // A save that failed was rolled back with everything typed still on screen; this says so
    // the same way on every document. A document another workstation saved first: the user
    // may open the stored version. A number taken meanwhile (numbers typed by hand): the
    // number frame opens for another number and the document stays as typed.
    void saveFailed(const NkError& error);
    // The number is in use by a stored document of this kind.
    virtual bool numberTaken(const QString& number) const;
    // The number frame stands open for another number after a taken one.
    bool renumbering() const { return m_renumber; }

    // The questions before writing, in the user's words from the session.
    bool confirmSave();
    bool confirmDelete();

    // The user reads Thai (the session's language; Thai without a session).
    static bool thaiLanguage();

    void AcNewTriggered() override;
    bool askExit() override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    // The number frame was left while renumbering: only the number changes.
    void takeNewNumber();
    void openStoredVersion(const QString& number);

    enum class Leave { Saved, Discarded, Stay };
    Leave askToSaveChanges();
    // The values of the document's data sets as they are now, to tell a change from none.
    using Snapshot = QList<QList<QList<QVariant>>>;
    Snapshot takeSnapshot() const;
    static bool sameValue(const QVariant& a, const QVariant& b);

    // Taken at the user's first key or click after the document was opened or started, so
    // what the form itself sets while opening (defaults, totals) counts as no change.
    Snapshot m_clean;
    bool m_cleanPending = true;
    bool m_savingToLeave = false;

    QHash<QString, std::function<void()>> m_cellDialogs;
    bool m_cellButtonsWired = false;
    QString m_dateField;
    QString m_numberField;
    bool m_renumber = false;
    // Save and delete as they were before a date in a closed period turned them off.
    bool m_periodOff = false;
    bool m_saveBeforePeriod = false;
    bool m_deleteBeforePeriod = false;
};
