#pragma once
#include "forms/base/TFrDocument.h"

class QGroupBox;
class QPushButton;

// Base of the import document forms: the short toolbar, a header panel with the number and
// date frames in its first row, the detail grid on the first page, a footer with discount,
// detail and total boxes, and the Id read-back data set.
class TFrHdDtTransaction : public TFrDocument {
    Q_OBJECT
public:
    explicit TFrHdDtTransaction(QWidget* parent = nullptr);

    QWidget* PnFooter = nullptr;
    QGroupBox* GbDiscount = nullptr;
    QGroupBox* GbDetail = nullptr;
    QGroupBox* GbTotal = nullptr;
    QPushButton* BtDeleteLine = nullptr;
    QWidget* TabLines = nullptr;

    CachedDataSet* QHdId = nullptr;

    void AcNewExecute() override;
    virtual void DgDtEnter();
    virtual void DgDtExit();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void FormResize();
};
