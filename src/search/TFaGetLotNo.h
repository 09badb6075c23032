#pragma once
#include "search/TFaPicker.h"
#include <QDateTime>

// Lot code; on leaving, a lot that does not exist (or has expired before ReferenceDate) is
// emptied. No form sets ReferenceDate, so it stays the zero date and no lot counts as expired.
class TFaGetLotNo : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetLotNo(QWidget* parent = nullptr);
    QDateTime ReferenceDate;
    void EditExit() override;

protected:
    bool runSearch(QString& code) override;
};
