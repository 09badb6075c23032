#pragma once
#include "search/TFrSearch.h"

// Codes of one group of the Misc table, found by their description; returns the column the
// caller asks for (the code, or the description for the remark picker).
class TFrSearchMisc : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchMisc(QWidget* parent = nullptr);
    QString SearchGroup;
    QString ReturnColumn = QStringLiteral("Code");

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
};

// The dialog kept for the misc and remark frames.
TFrSearchMisc* SearchMiscDialog();
