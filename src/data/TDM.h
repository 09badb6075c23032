#pragma once
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <optional>

#include "data/Noticed.h"

class CachedDataSet;
class IdleRelease;
class NkError;

// The main data module: the one company connection every form shares, the Config row,
// and the small services (identity read-back, server clock, user log, tax rate, ledger
// voucher removal), numbering, unit texts and the period guard. It shows nothing: what the
// user is to be told comes back to the form that asked (Noticed, NkError).
class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr);
    ~TDM() override;

    // ---- session -------------------------------------------------------------------------
    // Company database name (command-line parameter 3, trimmed).
    void setDatabaseName(const QString& name);
    QString databaseName() const { return m_databaseName; }
    // The company connection; connects on first use (before-connect builds the parameter
    // list from scratch, after-connect refreshes Config and closes the splash).
    QSqlDatabase DMdata();
    bool Connected() const;
    void CloseConnection();
    // A server connection is given back after this long without a statement (outside a
    // transaction) and opened again at the next one (Connection::IdleRelease).
    void setIdleRelease(int milliseconds);
    const QStringList& Params() const { return m_params; }
    static constexpr const char* ConnectionName = "DMDATA";

    // Explicit transactions on DMdata (BEGIN IMMEDIATE on SQLite).
    void StartTransaction();
    void Commit();
    void Rollback() noexcept;
    bool InTransaction() const { return m_inTransaction; }

    // ---- Config row ----------------------------------------------------------------------
    QVariant Config(const QString& column);    // case-insensitive; opens the row if needed
    QString ConfigText(const QString& column); // trimmed text of the column, "" when absent
    bool HasConfigColumn(const QString& column);
    void RefreshConfig(); // reopens Config and the accounting periods

    // ---- small services ------------------------------------------------------------------
    int GetNewId();
    QDateTime GetServerTime();
    void AddUserLog(int functionListId, int documentId, const QString& remark);
    double GetTaxRate(int taxId);
    void DelGL(int id, const QString& no);
    QString StartFolder;
    bool AutoRun = false;
    QString LastProductName;
    QString LastVendorName;

    // ---- numbering ------------------------------------------------------------------------
    // The number length of a code in Config.RunYear's series, and AutoRun set from its row;
    // an unknown code is length 0, AutoRun off and a notice naming the code and the year.
    Noticed<int> GetDocLength(const QString& docCode);
    QString NewDocNo(const QString& docCode, const QDateTime& docDate);
    // Write a document header (log action 2 for an existing one, or action 1 for a new one
    // with a typed number) and return its Id. PostNewDocNo writes a new header under a
    // stand-in: its number is drawn by FinishNewDocument before the commit.
    int PostNewDocNo(CachedDataSet& header, const QDateTime& docDate, const QString& docCode,
                     const QString& numberColumn, const QString& paramName);
    int PostDocNo(CachedDataSet& header, const QString& number, const QString& docCode,
                  const QString& numberColumn, const QString& paramName);

    // Document numbers are unique in their table (within the kind, for tables that hold
    // several kinds of document; see DocNumberKeyOf). DocNoTaken answers whether a number is
    // in use; CheckDocNoFree throws an NkError of kind Duplicate with DocNoTakenText when it
    // is, so a save stops before it writes anything. NewFreeDocNo draws numbers from the
    // server until one is free (a number typed by hand earlier is skipped).
    bool DocNoTaken(const QString& table, const QString& number, const QVariant& kind = {});
    void CheckDocNoFree(const QString& table, const QString& number, const QVariant& kind = {});
    QString NewFreeDocNo(const QString& docCode, const QDateTime& docDate, const QString& table,
                         const QVariant& kind = {});
    static QString DocNoTakenText(const QString& number);
    // Applies a document header's cached change; a number the database itself refuses as
    // taken (another workstation saved it in between) becomes DocNoTakenError.
    void ApplyDocumentHeader(CachedDataSet& header, const QString& number);
    // The refusal of a save whose number is in use (technical: the driver's words when the
    // database itself refused it).
    static NkError DocNoTakenError(const QString& number, const QString& technical = {});
    // A new document numbered automatically is numbered as late as its save allows, so the
    // counter of its code (locked on a server from the draw to the commit) is held briefly:
    // its header goes in with ProvisionalDocNo, a stand-in unique to this save; its lines,
    // duty groups and ledger voucher follow with the header's Id; FinishNewDocument, right
    // before the commit, draws the number (passing over numbers in use), sets it on the
    // header row (and on the voucher written under the stand-in), logs action 1 and returns
    // it. A header holding no stand-in (a typed number, an existing document) is returned as
    // it is. A transaction is never committed while a stand-in is left.
    QString ProvisionalDocNo();
    static bool IsProvisionalDocNo(const QString& number);
    QString FinishNewDocument(CachedDataSet& header, const QString& numberColumn, int id, const QString& docCode,
                              const QDateTime& docDate);
    // Rolls a failed document save back; an automatic number drawn inside it (numberDrawn) was
    // never stored, so the header's number is cleared and the next try draws again.
    void RollbackDocument(CachedDataSet& header, const QString& numberColumn, bool numberDrawn);
    // "Nothing was saved", in the user's language: said after every save that failed.
    static QString NothingSavedText();

    // A new document's header carries its row's InsertKey into its SaveKey column (written by
    // ApplyDocumentHeader). When the connection drops during COMMIT the program cannot tell
    // whether the document was stored; the next try of the same document looks its key up
    // first (StoredDocument::EnsureUnchanged), inside its transaction, before anything is
    // written. When found, the earlier try
    // did store it: the transaction is rolled back, the stored document is reported saved
    // (documentSaved), and its Id and number come back, for the caller to answer with instead
    // of storing the document a second time. A company without the column (not upgraded)
    // goes without.
    struct EarlierSave {
        int id = 0;
        QString number;
    };
    std::optional<EarlierSave> FindEarlierSave(CachedDataSet& header, const QString& numberColumn);
    // Ends a save that found its document already stored by its earlier try: the transaction
    // is rolled back (nothing was written) and the number is announced as saved.
    void SavedEarlier(const QString& number);

    // ---- units of measure -----------------------------------------------------------------
    QString UnitQtyText(int unitId, double quantity);
    QString UnitQtyPart(int unitId, int part, double quantity);
    QString UnitFractionText(int unitId, double quantity);

    // ---- accounting period guard ----------------------------------------------------------
    // True when the date may be added or changed; a date in a locked period is false with
    // the notice that the period was posted.
    Noticed<bool> CheckPeriod(const QDateTime& date);

    // Accounting periods as read at connect / RefreshConfig, latest year first.
    const QList<QSqlRecord>& PeriodRows();

signals:
    void afterConnect();
    // A saving transaction committed; the number is the one its user log named (action 1
    // or 2), trimmed. Forms show it, since they go blank after a save.
    void documentSaved(const QString& number);

private:
    void BeforeConnect();
    void AfterConnect();
    void ensureConfig();

    QString m_databaseName;
    QStringList m_params;
    bool m_connected = false;
    IdleRelease* m_idle = nullptr; // gives a server connection back when idle
    bool m_inTransaction = false;
    QString m_savedNumber; // logged by the running transaction
    QString m_standIn;     // a stand-in number not yet replaced by FinishNewDocument
    QHash<QString, bool> m_saveKeyColumns; // by table: the company has SaveKey there
    bool hasSaveKey(const QString& table);
    bool m_configOpen = false;
    QSqlRecord m_config;
    bool m_periodsOpen = false;
    QList<QSqlRecord> m_periodRows;
};

// The global instance, created first at start-up (or by a test fixture).
extern TDM* DM;
