#include "print/PrepareScript.h"

#include "data/DbUtil.h"
#include "data/NkError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace PrepareScript {

QString find(const QString& folder, const QString& procName)
{
    QString name = procName.trimmed();
    if (name.startsWith(QLatin1String("dbo."), Qt::CaseInsensitive))
        name = name.mid(4);
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (folder.isEmpty() || !plain.match(name).hasMatch())
        return {};
    const QString wanted = name + QStringLiteral(".sql");
    const QDir dir(folder);
    for (const QString& f : dir.entryList({QStringLiteral("*.sql"), QStringLiteral("*.SQL")}, QDir::Files))
        if (f.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(f);
    return {};
}

QStringList statements(const QString& script)
{
    QStringList out;
    QString current;
    auto finish = [&] {
        if (!current.trimmed().isEmpty())
            out << current.trimmed();
        current.clear();
    };
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (c == u'\'' || c == u'"') {
            // A quoted text or name runs to its closing quote; a doubled quote stays inside.
            const qsizetype start = i;
            for (++i; i < script.size(); ++i) {
                if (script[i] != c)
                    continue;
                if (i + 1 < script.size() && script[i + 1] == c) {
                    ++i;
                    continue;
                }
                break;
            }
            current += script.mid(start, i - start + 1);
        } else if (c == u'-' && i + 1 < script.size() && script[i + 1] == u'-') {
            while (i < script.size() && script[i] != u'\n')
                ++i;
            current += u'\n';
        } else if (c == u'/' && i + 1 < script.size() && script[i + 1] == u'*') {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? script.size() : end + 1;
            current += u' ';
        } else if (c == u';') {
            finish();
        } else {
            current += c;
        }
    }
    finish();
    return out;
}

void run(const QString& path, const QSqlDatabase& db, const QVariantMap& params)
{
    const QString name = QFileInfo(path).fileName();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw NkError(QStringLiteral("%1: %2").arg(name, f.errorString()));
    const QStringList list = statements(QString::fromUtf8(f.readAll()));
    Db::beginTransaction(db);
    try {
        for (int n = 0; n < list.size(); ++n) {
            try {
                Db::exec(db, list[n], params);
            } catch (const NkError& e) {
                throw NkError(QStringLiteral("%1, statement %2: %3").arg(name).arg(n + 1).arg(e.message()));
            }
        }
        Db::commit(db);
    } catch (...) {
        Db::rollback(db);
        throw;
    }
}

} // namespace PrepareScript
