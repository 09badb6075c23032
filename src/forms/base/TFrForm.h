#pragma once
#include "forms/base/TFrFrame.h"

class QLineEdit;

// Base of the work forms: the toolbar and, with the full toolbar, the hidden ChgCode edit.
// The full toolbar (purchase orders, bills, import cost) has New, Delete, Save, Chg Code,
// Hist., Copy, Print and Exit; the short one (import documents) New, Delete, Save, Print and
// Exit, where the actions and buttons it lacks stay null.
class TFrForm : public TFrFrame {
    Q_OBJECT
public:
    enum class Toolbar { Full, Short };
    explicit TFrForm(QWidget* parent = nullptr, Toolbar kind = Toolbar::Full);

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
