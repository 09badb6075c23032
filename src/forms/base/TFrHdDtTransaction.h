#pragma once
#include "forms/base/TFrFrame.h"

class CachedDataSet;
class QGroupBox;
class QPushButton;
class QTabWidget;
class TDataGrid;
class TFaGetDate;
class TFaGetDocNo;

// Base of the import document forms: a header panel with the number and date frames, the
// detail grid on the first page, a footer with discount, detail and total boxes, and the
// header, detail and Id read-back data sets.
class TFrHdDtTransaction : public TFrFrame {
    Q_OBJECT
public:
    explicit TFrHdDtTransaction(QWidget* parent = nullptr);

    QWidget* PnHeader = nullptr;
    TFaGetDocNo* FaGetDocNo = nullptr;
    TFaGetDate* FaGetDate1 = nullptr;
    QWidget* PnFooter = nullptr;
    QGroupBox* GbDiscount = nullptr;
    QGroupBox* GbDetail = nullptr;
    QGroupBox* GbTotal = nullptr;
    QPushButton* BtDeleteLine = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    TDataGrid* DgDt = nullptr;

    CachedDataSet* QHd = nullptr;
    CachedDataSet* QDt = nullptr;
    CachedDataSet* QHdId = nullptr;

    void AcNewExecute() override;
    virtual void DgDtEnter();
    virtual void DgDtExit();

protected:
    bool askExit() override;
    void resizeEvent(QResizeEvent* e) override;
    void FormResize();
};
