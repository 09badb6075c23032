#pragma once
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>
#include <functional>

// The procedures the suite's databases carry, run in C++ on the caller's connection (and so
// inside the caller's transaction) on both backends.
struct MenuCaptionResult {
    QString Caption;
    QString AccessR, AddR, ModifyR, DeleteR;
    QString UserCode;
    int SalesId = 0;
};

namespace ServerProcs {

// Company database.
QString NewDocumentNo(const QSqlDatabase& db, const QString& docCode, int docYear);
void UserAddLog(const QSqlDatabase& db, int userId, int menuId, int functionListId, int documentId,
                const QString& remark);
QDateTime ServerTime(const QSqlDatabase& db);
// GL_ImHd, GL_MrHd, GL_PcHd: a balanced voucher in glhd/gldt marked with the document's Id
// and number, in place of the one it had. `procName` is one of the three names
// (case-insensitive). `newDocument`: the document was inserted in this transaction, so it has
// no voucher yet (the tables count their Ids on and never give one twice) and none is
// looked for.
void GenerateGL(const QSqlDatabase& db, const QString& procName, int docId, int userId, bool newDocument = false);
// A voucher just written for a new document under its stand-in number (the number is drawn
// at the end of the save, TDM::FinishNewDocument) takes the document's number: gldocno,
// glfromdocno and the number in its text. Nothing happens when the last voucher this process
// wrote was written under another number.
void RenumberVoucher(const QSqlDatabase& db, int docId, const QString& standIn, const QString& number);

// Configuration database.
// The caption of a menu entry in the user's language: Thai for LanguageNo 1, otherwise the
// English caption, or the Thai one when the entry has no English caption.
QString MenuCaptionIn(bool thai, const QString& caption, const QString& engCaption);
bool IsThaiLanguage(const QVariant& languageNo); // LanguageNo of username is 1
MenuCaptionResult MENUCAPTION(const QSqlDatabase& cfg, int menuId, int userId);
void AddErrorLog(const QSqlDatabase& cfg, const QString& compName, const QString& logName, int userId,
                 int menuId, const QString& errorMsg);

// Report preparation procedures named in SystemForm.SpName: a registry by name. Running an
// unknown name throws NkError.
using PrepareProc = std::function<void(const QSqlDatabase& db, const QVariantMap& params)>;
void registerPrepareProc(const QString& name, PrepareProc proc);
bool hasPrepareProc(const QString& name);
void runPrepareProc(const QString& name, const QSqlDatabase& db, const QVariantMap& params);

// Test seam: when set, called with the procedure's name before each company procedure runs;
// throwing from it makes the procedure fail as a server error would.
void setFailureHook(std::function<void(const QString& procName)> hook);

} // namespace ServerProcs
