#pragma once
#include <QWidget>

class CachedDataSet;
class QLabel;
class TDbDateEdit;

// The date frame of the document headers: caption "วันที่" and a date edit with four-digit
// years that shows today's date when the field is empty.
class TFaGetDate : public QWidget {
    Q_OBJECT
public:
    explicit TFaGetDate(QWidget* parent = nullptr);
    void bind(CachedDataSet* ds, const QString& field);
    QLabel* Caption = nullptr;
    TDbDateEdit* DateEdit = nullptr;
};
