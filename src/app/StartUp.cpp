#include "app/StartUp.h"
#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "app/TFormLogo.h"
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

Outcome start(const QStringList& params)
{
    Outcome out;
    auto* splash = new TFormLogo;
    splash->show();
    splash->repaint();
    QPointer<TFormLogo> splashPtr(splash);
    auto closeSplash = [splashPtr] {
        if (splashPtr)
            splashPtr->deleteLater();
    };

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); // dd/mm/yyyy dates

    if (!DM)
        DM = new TDM(qApp);
    if (!DMConfig)
        DMConfig = new TDMConfig(qApp);
    CreateProductModules(); // DmProduct, DmService, DmMisc, DmVendor
    QObject::connect(DM, &TDM::afterConnect, splash, closeSplash);

    try {
        const CommandLine cl = parseCommandLine(params);
        DMConfig->WorkingDate = cl.WorkingDate;
        DMConfig->MenuId = cl.MenuId;
        DMConfig->UserId = cl.UserId;
        DM->setDatabaseName(cl.CompanyCode);
        if (!DMConfig->GetCompanyConfig(cl.CompanyCode)) {
            closeSplash();
            out.end = Outcome::End::Message;
            out.message = MessageService::lastText();
            return out;
        }
        DMConfig->CheckRight(cl.MenuId, cl.UserId);
        if (!DMConfig->AccessRight) {
            closeSplash();
            out.end = Outcome::End::Quiet;
            return out;
        }
        registerAllForms();
        out.form = createForm(cl.ProgramCode);
        if (!out.form) {
            closeSplash();
            out.end = Outcome::End::Quiet;
            return out;
        }
        out.end = Outcome::End::FormCreated;
        return out;
    } catch (const NkError& e) {
        closeSplash();
        MessageService::error(e.message());
        out.end = Outcome::End::Message;
        out.message = e.message();
        return out;
    }
}

int run(int argc, char** argv)
{
    // Without any parameter the process ends at once: no window, no data module.
    if (argc <= 1)
        return 0;
    NkApplication app(argc, argv); // unhandled errors of the event loop end in the error hook
    QApplication::setApplicationDisplayName(QStringLiteral("Namkhao"));
    QStringList params;
    for (int i = 1; i < argc; ++i)
        params << QString::fromLocal8Bit(argv[i]);
    const Outcome o = start(params);
    if (o.end != Outcome::End::FormCreated)
        return 0;
    o.form->setAttribute(Qt::WA_DeleteOnClose);
    o.form->show();
    return app.exec();
}

} // namespace StartUp
