#include "data/DbUtil.h"
#include "data/TDM.h"

#include <QSqlRecord>
#include <QCoreApplication>

// A date may be added or changed unless it lies in a locked accounting period. The periods
// of the latest accounting year are tried first; the first period whose Start and Stop (both
// included, compared as stored) enclose the day decides.
Noticed<bool> TDM::CheckPeriod(const QDateTime& date)
{
    const QDateTime day(date.date(), QTime(0, 0));
    const QList<QSqlRecord>& rows = PeriodRows();
    for (const QSqlRecord& row : rows) {
        for (int i = 1; i <= 12; ++i) {
            const QString n = QString::number(i);
            const QDateTime start = Db::dateFromValue(row.value(QStringLiteral("Start") + n));
            const QDateTime stop = Db::dateFromValue(row.value(QStringLiteral("Stop") + n));
            if (!start.isValid() || !stop.isValid())
                continue;
            if (start <= day && stop >= day) {
                if (row.value(QStringLiteral("Lock") + n).toString() == QLatin1String("Y"))
                    return {false, QCoreApplication::translate("PeriodGuard", "รอบบัญชีนี้ถูกผ่านรายการบัญชีไปแล้ว ไม่สามารถเพิ่มเติม หรือ แก้ไขได้")};
                return {true, {}};
            }
        }
    }
    return {true, {}};
}
