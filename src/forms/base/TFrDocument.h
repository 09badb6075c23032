#pragma once
#include "forms/base/TFrForm.h"

#include <QDateTime>
#include <QHash>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <utility>

class CachedDataSet;
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
    // The document holds changes not saved. Nothing asks yet.
    virtual bool documentDirty() const { return false; }
    // The document on screen may be left (for a new one or the end of the program).
    virtual bool mayLeaveDocument() { return true; }

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

    // The questions before writing, in the user's words from the session.
    bool confirmSave();
    bool confirmDelete();

    // The user reads Thai (the session's language; Thai without a session).
    static bool thaiLanguage();

    void AcNewTriggered() override;
    bool askExit() override;

private:
    QHash<QString, std::function<void()>> m_cellDialogs;
    bool m_cellButtonsWired = false;
    QString m_dateField;
};
