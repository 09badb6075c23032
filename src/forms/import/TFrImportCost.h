#pragma once
#include "forms/base/TFrForm.h"
#include "forms/import/ImportCostCalc.h"

class CachedDataSet;
class QComboBox;
class QLabel;
class QPushButton;
class TFaGetImportLotNo;

// Import cost: the user picks an import lot, active or not, and the basis its expenses are
// split by (baht value unless another is chosen), and "แสดงต้นทุน" opens the cost sheet of
// that lot. Nothing is written, so New, Delete and Save stay disabled.
class TFrImportCost : public TFrForm {
    Q_OBJECT
public:
    explicit TFrImportCost(QWidget* parent = nullptr);
    ~TFrImportCost() override;

    static QString defaultCaption() { return tr("ต้นทุนการนำเข้า"); }

    // One scratch row ("Select 0 Id From NullTable") holding the chosen lot's id.
    CachedDataSet* QNullTable = nullptr;
    TFaGetImportLotNo* FaGetImportLotNo = nullptr;
    QLabel* LbBasis = nullptr;
    QComboBox* CbBasis = nullptr; // one entry per CostBasis, in AllCostBases order
    QPushButton* BtReport = nullptr;

    void FormShow() override;
    void AcNewExecute() override;
    // Opens the cost sheet of the chosen lot modally (lot 0 when none is chosen).
    void BtReportClick();

    // The chosen lot's id, 0 when none.
    qint64 importLotId() const;
    CostBasis basis() const;

private:
    void applyLanguage();
};
