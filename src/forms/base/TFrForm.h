#pragma once
#include "forms/base/TFrFrame.h"

class QLineEdit;

// Base of the purchase-order, receipt and import-cost forms: the full toolbar
// (New, Delete, Save, Chg Code, Hist., Copy, Print, Exit) and the hidden ChgCode edit.
class TFrForm : public TFrFrame {
    Q_OBJECT
public:
    explicit TFrForm(QWidget* parent = nullptr);

    QAction* AcHist = nullptr;
    QAction* AcCopy = nullptr;
    QAction* AcChgCode = nullptr;
    QToolButton* BChgCode = nullptr;
    QToolButton* BHist = nullptr;
    QToolButton* BCopy = nullptr;
    QLineEdit* ChgCode = nullptr;

    void AcNewExecute() override;
    virtual void AcHistExecute() {}
    virtual void AcCopyExecute() {}
    virtual void AcChgCodeExecute() {}

protected:
    void FormShow() override;
};
