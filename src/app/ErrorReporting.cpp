#include "app/ErrorReporting.h"
#include "data/Translation.h"

#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "app/TFrShowError.h"
#include "data/NkError.h"
#include "data/ServerProcs.h"
#include "data/TDM.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QLocale>
#include <QSettings>
#include <QSysInfo>
#include <QTimeZone>
#include <QtDebug>

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <type_traits>

#ifndef Q_OS_WIN
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QCoreApplication>
#endif

// ---- workstation -----------------------------------------------------------------------

QString LocalIp()
{
    const QByteArray host = QSysInfo::machineHostName().left(64).toLocal8Bit();
    if (host.isEmpty())
        return {};
    // Resolved by the system's resolver here rather than through Qt's network module, which
    // the programs do not load at start-up for this one question.
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM; // each address once
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.constData(), nullptr, &hints, &found) != 0)
        return {};
    QStringList addresses;
    for (const addrinfo* a = found; a; a = a->ai_next) {
        char text[INET6_ADDRSTRLEN] = {};
        const void* raw = a->ai_family == AF_INET ? static_cast<const void*>(&reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr)
                        : a->ai_family == AF_INET6 ? static_cast<const void*>(&reinterpret_cast<const sockaddr_in6*>(a->ai_addr)->sin6_addr)
                                                   : nullptr;
        if (raw && inet_ntop(a->ai_family, raw, text, sizeof text))
            addresses << QString::fromLatin1(text);
    }
    freeaddrinfo(found);
    return LastIPv4Address(addresses);
}

QString LastIPv4Address(const QStringList& addresses)
{
    // Each address replaces the previous one: the last of the list is reported.
    QString result;
    for (const QString& a : addresses) {
        in_addr v4{};
        if (inet_pton(AF_INET, a.toLatin1().constData(), &v4) == 1)
            result = a;
    }
    return result;
}

QString ComputerName()
{
#ifdef Q_OS_WIN
    const QString env = qEnvironmentVariable("COMPUTERNAME").trimmed();
    if (!env.isEmpty())
        return env;
#endif
    return QSysInfo::machineHostName().trimmed();
}

QString LoginUserName()
{
    QString name;
#ifdef Q_OS_WIN
    name = qEnvironmentVariable("USERNAME");
#else
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        name = QString::fromLocal8Bit(pw->pw_name);
    if (name.trimmed().isEmpty())
        name = qEnvironmentVariable("USER");
    if (name.trimmed().isEmpty())
        name = qEnvironmentVariable("LOGNAME");
#endif
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("UNKNOWN") : name.toUpper();
}

// ---- error log -------------------------------------------------------------------------

void TDMConfig::LogError(const QString& message) noexcept
{
    // The log is in the configuration database, so an error of the company database (even
    // a full one) is still recorded. The log must never become a second error: when it cannot
    // be written either, the error is still shown, and standard error says what was lost.
    QString why;
    try {
        ServerProcs::AddErrorLog(DmCfg(), ComputerName(), LoginUserName(), UserId, MenuId, message);
        return;
    } catch (const NkError& e) {
        why = e.message();
    } catch (const std::exception& e) {
        why = QString::fromLocal8Bit(e.what());
    } catch (...) {
        why = QStringLiteral("unknown failure");
    }
    qCritical("namkhao: the error log in KOV_CONFIG could not be written (%s); the error was: %s",
              qPrintable(why.simplified()), qPrintable(message.simplified()));
}

// ---- error mail ------------------------------------------------------------------------

QString ErrorMailFolder()
{
    return DM ? DM->StartFolder : QDir::currentPath();
}

ErrorMailSettings ReadErrorMailSettings(const QString& folder)
{
    ErrorMailSettings s;
    const QString path = QDir(folder).filePath(QStringLiteral("Mail.Dat"));
    if (!QFileInfo::exists(path))
        return s;
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Mail"));
    s.Server = ini.value(QStringLiteral("Server")).toString().trimmed();
    s.Port = ini.value(QStringLiteral("Port"), 25).toInt();
    if (s.Port <= 0 || s.Port > 65535)
        s.Port = 25;
    s.Sender = ini.value(QStringLiteral("Sender")).toString().trimmed();
    s.Recipient = ini.value(QStringLiteral("Recipient")).toString().trimmed();
    s.User = ini.value(QStringLiteral("User")).toString().trimmed();
    s.Password = ini.value(QStringLiteral("Password")).toString();
    s.ConnectTimeout = std::clamp(ini.value(QStringLiteral("ConnectTimeout"), 5).toInt(), 1, 30);
    s.Timeout = std::clamp(ini.value(QStringLiteral("Timeout"), 20).toInt(), 1, 120);
    ini.endGroup();
    return s;
}

namespace {

bool isAscii(const QString& s)
{
    return std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c.unicode() < 128; });
}

QByteArray headerText(const QString& text)
{
    if (isAscii(text))
        return text.toLatin1();
    return "=?UTF-8?B?" + text.toUtf8().toBase64() + "?=";
}

QByteArray mailDate()
{
    const QDateTime now = QDateTime::currentDateTime();
    const int offset = now.offsetFromUtc() / 60;
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                             .arg(qAbs(offset) / 60, 2, 10, QLatin1Char('0'))
                             .arg(qAbs(offset) % 60, 2, 10, QLatin1Char('0'));
    return (QLocale::c().toString(now, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")) + zone).toLatin1();
}

struct Payload {
    QByteArray data;
    qsizetype pos = 0;
};

size_t readPayload(char* buffer, size_t size, size_t count, void* userData)
{
    auto* p = static_cast<Payload*>(userData);
    const size_t room = size * count;
    const size_t left = static_cast<size_t>(p->data.size() - p->pos);
    const size_t n = std::min(room, left);
    if (n > 0) {
        std::memcpy(buffer, p->data.constData() + p->pos, n);
        p->pos += static_cast<qsizetype>(n);
    }
    return n;
}

QByteArray angle(const QString& address)
{
    QString a = address.trimmed();
    if (!a.startsWith(QLatin1Char('<')))
        a = QLatin1Char('<') + a + QLatin1Char('>');
    return a.toUtf8();
}

} // namespace

namespace {

// libcurl is loaded with the first mail: a process that sends none never maps it, nor the
// TLS, directory and authentication libraries it brings along (they would be most of the
// libraries loaded at start-up). The Debian package depends on it.
struct CurlCalls {
    decltype(&curl_easy_init) easyInit = nullptr;
    decltype(&curl_easy_setopt) setOption = nullptr;
    decltype(&curl_easy_perform) perform = nullptr;
    decltype(&curl_easy_cleanup) cleanup = nullptr;
    decltype(&curl_easy_strerror) errorText = nullptr;
    decltype(&curl_slist_append) listAppend = nullptr;
    decltype(&curl_slist_free_all) listFree = nullptr;
    bool loaded = false;
};

const CurlCalls& curlCalls()
{
    static const CurlCalls calls = [] {
        CurlCalls c;
        QLibrary lib(QStringLiteral("curl"), 4);
        if (!lib.load()) {
            qWarning("Error mail not sent: %s", qPrintable(lib.errorString()));
            return c;
        }
        auto get = [&lib](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(lib.resolve(name));
            return fn != nullptr;
        };
        decltype(&curl_global_init) globalInit = nullptr;
        c.loaded = get(globalInit, "curl_global_init") && get(c.easyInit, "curl_easy_init")
            && get(c.setOption, "curl_easy_setopt") && get(c.perform, "curl_easy_perform")
            && get(c.cleanup, "curl_easy_cleanup") && get(c.errorText, "curl_easy_strerror")
            && get(c.listAppend, "curl_slist_append") && get(c.listFree, "curl_slist_free_all")
            && globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK;
        if (!c.loaded)
            qWarning("Error mail not sent: libcurl could not be used");
        return c;
    }();
    return calls;
}

} // namespace

QByteArray BuildErrorMail(const ErrorMailSettings& settings, const QString& subject, const QString& body)
{
    // Plain text in us-ascii; a message carrying Thai goes out as UTF-8 instead of being
    // turned into question marks. Line breaks in the body are sent exactly as given.
    const bool ascii = isAscii(body);
    QByteArray m;
    m += "Date: " + mailDate() + "\r\n";
    m += "From: " + angle(settings.Sender) + "\r\n";
    m += "To: " + angle(settings.Recipient) + "\r\n";
    m += "Subject: " + headerText(subject) + "\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += ascii ? "Content-Type: text/plain; charset=us-ascii\r\n" : "Content-Type: text/plain; charset=utf-8\r\n";
    m += ascii ? "Content-Transfer-Encoding: 7bit\r\n" : "Content-Transfer-Encoding: 8bit\r\n";
    m += "\r\n";
    m += ascii ? body.toLatin1() : body.toUtf8();
    return m;
}

bool SendMail(const ErrorMailSettings& settings, const QString& subject, const QString& body) noexcept
{
    try {
        if (settings.Server.isEmpty() || settings.Recipient.isEmpty())
            return false;
        const CurlCalls& c = curlCalls();
        if (!c.loaded)
            return false;
        CURL* curl = c.easyInit();
        if (!curl)
            return false;

        QString host = settings.Server;
        if (host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('[')))
            host = QLatin1Char('[') + host + QLatin1Char(']'); // an IPv6 literal
        const QByteArray url = QStringLiteral("smtp://%1:%2").arg(host).arg(settings.Port).toUtf8();
        const QByteArray from = angle(settings.Sender);
        const QByteArray user = settings.User.toUtf8();
        const QByteArray password = settings.Password.toUtf8();
        curl_slist* recipients = c.listAppend(nullptr, angle(settings.Recipient).constData());
        Payload payload{BuildErrorMail(settings, subject, body), 0};

        c.setOption(curl, CURLOPT_URL, url.constData());
        c.setOption(curl, CURLOPT_PROXY, ""); // straight to the mail server
        c.setOption(curl, CURLOPT_NOSIGNAL, 1L);
        c.setOption(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(settings.ConnectTimeout));
        c.setOption(curl, CURLOPT_TIMEOUT, static_cast<long>(settings.Timeout));
        c.setOption(curl, CURLOPT_MAIL_FROM, from.constData());
        c.setOption(curl, CURLOPT_MAIL_RCPT, recipients);
        if (!user.isEmpty()) {
            // Logs in when the server offers authentication; a server without it is used
            // as it is.
            c.setOption(curl, CURLOPT_USERNAME, user.constData());
            c.setOption(curl, CURLOPT_PASSWORD, password.constData());
        }
        c.setOption(curl, CURLOPT_READFUNCTION, readPayload);
        c.setOption(curl, CURLOPT_READDATA, &payload);
        c.setOption(curl, CURLOPT_UPLOAD, 1L);
        c.setOption(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(payload.data.size()));

        const CURLcode rc = c.perform(curl);
        c.listFree(recipients);
        c.cleanup(curl);
        if (rc != CURLE_OK)
            qWarning("Error mail not sent: %s", c.errorText(rc));
        return rc == CURLE_OK;
    } catch (...) {
        return false;
    }
}

void TDMConfig::SendErrorMail(const QString& subject, const QString& body) noexcept
{
    try {
        SendMail(ReadErrorMailSettings(ErrorMailFolder()), subject, body);
    } catch (...) {
    }
}

// ---- the hook --------------------------------------------------------------------------

namespace {
void showErrorDialog(const QString& logged, const QString& shown, const QString& details);
}

QString UserErrorText(const NkError& error, ErrorLanguage language)
{
    if (!error.userText().isEmpty())
        return error.userText();
    const char* what = nullptr;
    bool write = true; // these happen only when something was being written
    switch (error.kind()) {
    case NkError::Kind::Busy:
        what = QT_TRANSLATE_NOOP("ErrorReporting", "ฐานข้อมูลถูกเครื่องอื่นใช้งานอยู่นานเกินไป");
        break;
    case NkError::Kind::DiskFull:
        what = QT_TRANSLATE_NOOP("ErrorReporting", "พื้นที่เก็บฐานข้อมูลเต็ม");
        break;
    case NkError::Kind::ReadOnly:
        what = QT_TRANSLATE_NOOP("ErrorReporting", "ฐานข้อมูลเปิดได้เพื่ออ่านอย่างเดียว บันทึกไม่ได้");
        break;
    case NkError::Kind::Connection:
        what = QT_TRANSLATE_NOOP("ErrorReporting", "ติดต่อฐานข้อมูลไม่ได้");
        write = false; // mostly at the first read; a save that loses its server rolls back anyway
        break;
    case NkError::Kind::ServerFull:
        what = QT_TRANSLATE_NOOP("ErrorReporting", "เซิร์ฟเวอร์ฐานข้อมูลรับการเชื่อมต่อเพิ่มไม่ได้ เพราะมีการเชื่อมต่อครบจำนวนที่ตั้งไว้แล้ว\n"
                                                   "กรุณาลองใหม่อีกครั้ง หรือแจ้งผู้ดูแลระบบ");
        write = false; // refused before anything was written; what is on screen stays
        break;
    case NkError::Kind::Duplicate:
        what = QT_TRANSLATE_NOOP("ErrorReporting", "ข้อมูลที่ต้องไม่ซ้ำกันมีอยู่ในฐานข้อมูลแล้ว");
        break;
    case NkError::Kind::Database:
        // The driver's words and the statement are for the support desk: they stay in the
        // details and the error log.
        what = QT_TRANSLATE_NOOP("ErrorReporting", "ฐานข้อมูลไม่รับคำสั่งของโปรแกรม กรุณาแจ้งผู้ดูแลระบบ");
        break;
    default:
        return error.message();
    }
    // The same words as every refused save (TDM::NothingSavedText), in both languages.
    const char* nothingSaved = QT_TRANSLATE_NOOP("ErrorReporting", "\nยังไม่ได้บันทึกข้อมูล");
    const auto inLanguage = [&](bool thai) {
        return Translation::inLanguage(thai, "ErrorReporting", what)
               + (write ? Translation::inLanguage(thai, "ErrorReporting", nothingSaved) : QString());
    };
    if (language == ErrorLanguage::Both)
        return inLanguage(true) + QStringLiteral("\n\n") + inLanguage(false);
    return QCoreApplication::translate("ErrorReporting", what)
           + (write ? QCoreApplication::translate("ErrorReporting", nothingSaved) : QString());
}

void ReportError(const NkError& error)
{
    const QString shown = UserErrorText(error);
    showErrorDialog(error.message(), shown, shown == error.message() ? QString() : error.message());
}

void ReportError(const QString& message)
{
    showErrorDialog(message, message, QString());
}

namespace {
void showErrorDialog(const QString& logged, const QString& shown, const QString& details)
{
    try {
        if (DMConfig)
            DMConfig->LogError(logged);
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            qWarning("%s", qPrintable(logged));
            return;
        }
        TFrShowError dialog;
        dialog.setErrorText(shown + QLatin1Char('\r'));
        dialog.setDetails(details);
        MessageService::note(MessageService::Kind::ErrorDialog, shown, details);
        MessageService::execDialog(&dialog);
    } catch (const std::exception& e) {
        qWarning("Error while reporting an error: %s", e.what());
    } catch (...) {
        qWarning("Error while reporting an error");
    }
}
} // namespace

NkApplication::NkApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool NkApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const NkAbort&) {
        // raised only to abandon an operation quietly
    } catch (const NkError& e) {
        ReportError(e);
    } catch (const std::exception& e) {
        ReportError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ReportError(QStringLiteral("Unknown error"));
    }
    return false;
}
