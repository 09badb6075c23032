#pragma once
#include <QString>
#include <exception>
#include <string>

// The one error type of the module. Database failures, conversion failures and refused
// operations travel as NkError until a form or the application-wide hook reports them.
// The message is the technical text (what the error log keeps); a database failure also
// carries what kind of failure it was, so the user is told in plain words what happened.
class NkError : public std::exception {
public:
    enum class Kind {
        General,    // anything not listed below
        Busy,       // another workstation held the database longer than we waited
        DiskFull,   // the database's disk (or its size limit) is full
        ReadOnly,   // the database can be read but not written
        Connection, // the database could not be reached or opened
        Duplicate,  // a value that must be unique is already stored
        ServerFull, // the database server has no free connection slot
        Database,   // the database refused a statement for another reason
    };
    explicit NkError(QString message, Kind kind = Kind::General, QString userText = {})
        : m_message(std::move(message)), m_utf8(m_message.toStdString()), m_kind(kind),
          m_userText(std::move(userText)) {}
    const QString& message() const noexcept { return m_message; }
    Kind kind() const noexcept { return m_kind; }
    // What to tell the user when it differs from the message (empty: see ErrorReporting).
    const QString& userText() const noexcept { return m_userText; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
    Kind m_kind = Kind::General;
    QString m_userText;
};

// An error raised only to abandon an operation quietly; the error hook does not report it.
class NkAbort : public NkError {
public:
    NkAbort() : NkError(QStringLiteral("Operation aborted")) {}
};
