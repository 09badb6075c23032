#pragma once
#include "forms/base/TFrForm.h"

class CachedDataSet;
class QPushButton;
class TFaGetImportLotNo;

// Import cost: the user picks an import lot, active or not, and "แสดงต้นทุน" opens the cost
// sheet of that lot. Nothing is written, so New, Delete and Save stay disabled.
class TFrImportCost : public TFrForm {
    Q_OBJECT
public:
    explicit TFrImportCost(QWidget* parent = nullptr);
    ~TFrImportCost() override;

    static QString defaultCaption() { return QStringLiteral("ต้นทุนการนำเข้า"); }

    // One scratch row ("Select 0 Id From NullTable") holding the chosen lot's id.
    CachedDataSet* QNullTable = nullptr;
    TFaGetImportLotNo* FaGetImportLotNo1 = nullptr;
    QPushButton* BtReport = nullptr;

    void FormShow() override;
    void AcNewExecute() override;
    // Opens the cost sheet of the chosen lot modally (lot 0 when none is chosen).
    void BtReportClick();

    // The chosen lot's id, 0 when none.
    qint64 importLotId() const;

private:
    void applyLanguage();
};
