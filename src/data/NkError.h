#pragma once
#include <QString>
#include <exception>
#include <string>

// The one error type of the module. Database failures, conversion failures and refused
// operations travel as NkError until a form or the application-wide hook reports them.
class NkError : public std::exception {
public:
    explicit NkError(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// An error raised only to abandon an operation quietly; the error hook does not report it.
class NkAbort : public NkError {
public:
    NkAbort() : NkError(QStringLiteral("Operation aborted")) {}
};
