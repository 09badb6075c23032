#pragma once
#include <QApplication>
#include <QString>
#include <QStringList>

#include "data/NkError.h"

// Where every unexpected error of the process ends: it is written to the suite's error log
// in the configuration database and shown in the red error dialog (TFrShowError), which
// offers to mail it to the support desk.

// The workstation's IPv4 address in dotted form: the last address the host name resolves
// to, or the empty text when it does not resolve.
QString LocalIp();
// The last IPv4 address of a resolved list of addresses in text form ("" when there is none).
QString LastIPv4Address(const QStringList& addresses);
// The computer name, trimmed.
QString ComputerName();
// The login name of the user in upper case; "UNKNOWN" when it cannot be read.
QString LoginUserName();

// Logs the message once (DMConfig->LogError) and then shows TFrShowError modally with the
// message followed by a carriage return. Forms call it after a save that was rolled back;
// the application hook calls it for every error escaping an event handler.
void ReportError(const QString& message);
// The same for an error of the module: the error log keeps the technical text; the dialog
// shows what the user should read (UserErrorText) with the technical text as its details.
void ReportError(const NkError& error);

// What the user reads of an error, in the user's language (or in Thai and English while
// the user is not known yet): a database that is busy, full, read-only, out of reach, holding
// a value that must be unique, or refusing a statement for another reason is said in plain
// words, followed by "nothing was saved" where a write may have failed; the program's own
// errors keep their text.
enum class ErrorLanguage { User, Both };
QString UserErrorText(const NkError& error, ErrorLanguage language = ErrorLanguage::User);

// Mail settings of the support desk, read from "Mail.Dat" in the working folder (see
// docs/deployment.md, "Error mail"). An empty Server means no mail is sent.
struct ErrorMailSettings {
    QString Server;
    int Port = 25;
    QString Sender;
    QString Recipient;
    QString User;
    QString Password;
    int ConnectTimeout = 5; // seconds
    int Timeout = 20;       // seconds for the whole exchange
};
ErrorMailSettings ReadErrorMailSettings(const QString& folder);
// The folder "Mail.Dat" is read from: the working folder of the process.
QString ErrorMailFolder();
// The complete message (headers, blank line, body) as handed to the mail server.
QByteArray BuildErrorMail(const ErrorMailSettings& settings, const QString& subject, const QString& body);
// Sends one mail; false on any failure. Never throws.
bool SendMail(const ErrorMailSettings& settings, const QString& subject, const QString& body) noexcept;

// The application object of the programs: errors thrown out of an event handler are caught
// here and reported (NkAbort, raised only to abandon an operation, stays silent) and the
// event loop goes on.
class NkApplication : public QApplication {
    Q_OBJECT
public:
    NkApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
