#include "app/StartUp.h"
#include "app/ErrorReporting.h"
#include "app/FirstFrame.h"
#include "app/HeapPreparation.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "app/TFormLogo.h"
#include "app/TextPreparation.h"
#include "app/WaitFeedback.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "data/product/TDmMisc.h"
#include "data/product/TDmProduct.h"
#include "data/product/TDmService.h"

#include <QApplication>
#include <QHash>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>

namespace StartUp {

namespace {
QHash<QString, FormFactory>& registry()
{
    static QHash<QString, FormFactory> r;
    return r;
}

int toInteger(const QStringList& params, int index)
{
    const QString text = index < params.size() ? params[index] : QString();
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        throw NkError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}
} // namespace

QDateTime parseWorkingDate(const QString& text)
{
    // dd/mm/yyyy, optionally followed by a time of day (hh:mm or hh:mm:ss).
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?\\s*$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return {};
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return {};
    QTime t(0, 0);
    if (!m.captured(4).isEmpty()) {
        t = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).isEmpty() ? 0 : m.captured(6).toInt());
        if (!t.isValid())
            return {};
    }
    return QDateTime(d, t);
}

CommandLine parseCommandLine(const QStringList& params)
{
    CommandLine cl;
    // The working date is converted first, then the menu id and the user id.
    const QString dateText = params.size() > 5 ? params[5] : QString();
    cl.WorkingDate = parseWorkingDate(dateText);
    if (!cl.WorkingDate.isValid())
        throw NkError(QStringLiteral("'%1' is not a valid date").arg(dateText));
    cl.MenuId = toInteger(params, 0);
    cl.UserId = toInteger(params, 1);
    cl.CompanyCode = params.size() > 2 ? params[2].trimmed() : QString();
    // Parameter 4 is not read.
    cl.ProgramCode = params.size() > 4 ? params[4].trimmed().toUpper() : QString();
    return cl;
}

void registerForm(const QString& programCode, FormFactory factory)
{
    registry().insert(programCode.trimmed().toUpper(), std::move(factory));
}

bool hasForm(const QString& programCode)
{
    return registry().contains(programCode.trimmed().toUpper());
}

QWidget* createForm(const QString& programCode)
{
    const auto it = registry().constFind(programCode.trimmed().toUpper());
    return it == registry().cend() ? nullptr : (*it)();
}


static QString configDatabaseText()
{
    return QStringLiteral("เปิดฐานข้อมูลตั้งค่า KOV_CONFIG ไม่ได้\n\nThe configuration database KOV_CONFIG cannot be opened.");
}

namespace {
Outcome startPrepared(const QStringList& params, TextPreparation& preparation)
{
    Outcome out;
    auto* splash = new TFormLogo;
    splash->show();
    splash->repaint();
    QPointer<TFormLogo> splashPtr(splash);
    preparation.mayStart();
    // However start-up ends, nothing of the preparation runs past it: the program's
    // preparation outlives the application object.
    struct JoinAtEnd {
        TextPreparation& p;
        ~JoinAtEnd() { p.join(); }
    } joinAtEnd{preparation};
    // The splash goes at once (hidden now, deleted when the event loop runs): before a
    // message of start-up, and when the company database connects for the first time.
    auto hideSplash = [splashPtr] {
        if (splashPtr) {
            splashPtr->hide();
            splashPtr->deleteLater();
        }
    };
    auto closeSplash = [&] {
        preparation.join();
        hideSplash();
    };

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); // dd/mm/yyyy dates

    if (!DM)
        DM = new TDM(qApp);
    if (!DMConfig)
        DMConfig = new TDMConfig(qApp);
    CreateProductModules(); // DmProduct, DmService, DmMisc, DmVendor
    if (DM->Connected())
        closeSplash();
    else
        QObject::connect(DM, &TDM::afterConnect, splash, hideSplash, Qt::SingleShotConnection);
    InstallLockWaitFeedback();

    CommandLine cl;
    try {
        cl = parseCommandLine(params);
    } catch (const NkError& e) {
        // Before any form exists; the user is not known yet, so the wording is the
        // conversion's own.
        closeSplash();
        MessageService::error(e.message());
        out.end = Outcome::End::Message;
        out.message = e.message();
        return out;
    }
    try {
        DMConfig->WorkingDate = cl.WorkingDate;
        DMConfig->MenuId = cl.MenuId;
        DMConfig->UserId = cl.UserId;
        DMConfig->BeforeMessage = closeSplash;
        const bool known = DMConfig->GetCompanyConfig(cl.CompanyCode);
        DMConfig->BeforeMessage = nullptr;
        if (!known) {
            out.end = Outcome::End::Message;
            out.message = MessageService::lastText();
            return out;
        }
        // The company database as the configuration spells it: a code typed in another
        // letter case finds the same database.
        DM->setDatabaseName(DMConfig->DatabaseName);
        DMConfig->CheckRight(cl.MenuId, cl.UserId);
        // Read once; the error log opens it again when it needs it.
        DMConfig->CloseConnection();
    } catch (const NkError& e) {
        // The configuration database cannot be reached or read: said in both languages (the
        // user's is kept there), the driver's words behind the details. A server without a
        // free connection slot is named as such.
        DMConfig->BeforeMessage = nullptr;
        closeSplash();
        const QString text = e.kind() == NkError::Kind::ServerFull ? UserErrorText(e, ErrorLanguage::Both)
                                                                   : configDatabaseText();
        MessageService::error(text, QString(), e.message());
        out.end = Outcome::End::Message;
        out.message = text;
        return out;
    }
    if (!DMConfig->AccessRight) {
        closeSplash();
        out.end = Outcome::End::Quiet;
        return out;
    }
    registerAllForms();
    preparation.joinFonts();
    out.form = createForm(cl.ProgramCode);
    preparation.join();
    if (!out.form) {
        closeSplash();
        out.end = Outcome::End::Quiet;
        return out;
    }
    out.end = Outcome::End::FormCreated;
    return out;
}
} // namespace

Outcome start(const QStringList& params)
{
    TextPreparation preparation;
    return startPrepared(params, preparation);
}

int run(int argc, char** argv)
{
    // Without any parameter the process ends at once: no window, no data module.
    if (argc <= 1)
        return 0;
    // What start-up's main thread will take from its heap (the form, its first frame's 2 MB
    // of pixels), mapped ahead in one call on the font thread: see HeapPreparation.
    TextPreparation preparation(reserveHeap(6 << 20)); // before the application object: see TextPreparation
    NkApplication app(argc, argv); // unhandled errors of the event loop end in the error hook
    QApplication::setApplicationDisplayName(QStringLiteral("Namkhao"));
    // Test instruments (see docs/deployment.md): boxes and dialogs recorded to a file and
    // answered, and a process that reports its shown form and ends.
    if (const QString log = qEnvironmentVariable("NK_MESSAGE_LOG"); !log.isEmpty())
        MessageService::recordTo(log);
    QStringList params;
    for (int i = 1; i < argc; ++i)
        params << QString::fromLocal8Bit(argv[i]);
    const Outcome o = startPrepared(params, preparation);
    if (o.end != Outcome::End::FormCreated)
        return 0;
    o.form->setAttribute(Qt::WA_DeleteOnClose);
    if (qEnvironmentVariableIsSet("NK_QUIT_WHEN_SHOWN")) {
        FirstFrame::reportAndQuit(o.form, [form = o.form] {
            QStringList windows;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible())
                    windows << QString::fromLatin1(w->metaObject()->className());
            return QString::fromLatin1(form->metaObject()->className()) + QStringLiteral(" title=") + form->windowTitle()
                + QStringLiteral(" display=") + QApplication::applicationDisplayName() + QStringLiteral(" windows=")
                + windows.join(QLatin1Char(','));
        });
    }
    o.form->show();
    QPointer<QWidget> form(o.form);
    const int status = app.exec();
    // A form still there when the loop ends (the process ended without closing it) goes
    // before the application object, quietly.
    delete form;
    return status;
}

} // namespace StartUp
