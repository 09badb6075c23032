#include "data/Translation.h"
#include "data/Session.h"

#include <QCoreApplication>
#include <QTranslator>

namespace Translation {

namespace {
QTranslator& englishTranslator()
{
    static QTranslator t;
    static const bool loaded = t.load(QStringLiteral(":/i18n/namkhao_en.qm"));
    Q_UNUSED(loaded);
    return t;
}

bool installed = false;
} // namespace

void useLanguage(bool thai)
{
    if (Session* s = Session::current())
        s->ThaiLanguage = thai;
    if (!QCoreApplication::instance())
        return;
    if (!thai && !installed)
        installed = QCoreApplication::installTranslator(&englishTranslator());
    else if (thai && installed) {
        QCoreApplication::removeTranslator(&englishTranslator());
        installed = false;
    }
}

bool englishInUse()
{
    return installed;
}

QString english(const char* context, const char* source, const char* disambiguation, int n)
{
    const QString t = englishTranslator().translate(context, source, disambiguation, n);
    return t.isEmpty() ? QString::fromUtf8(source) : t;
}

QString inLanguage(bool thai, const char* context, const char* source, const char* disambiguation)
{
    return thai ? QString::fromUtf8(source) : english(context, source, disambiguation);
}

} // namespace Translation
