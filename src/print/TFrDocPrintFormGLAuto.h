#pragma once
#include "print/TFrDocPrintForm.h"

// The GL voucher dialog: shows or prints the ledger voucher of the document just printed from
// the fixed layout "Form_GLAuto.frf" in the working folder. It has no layout list; it stays
// open after printing and opens nothing when it closes. One instance is kept for the whole
// process (Instance()).
class TFrDocPrintFormGLAuto : public TFrDocPrintForm {
    Q_OBJECT
public:
    explicit TFrDocPrintFormGLAuto(QWidget* parent = nullptr);

    static constexpr const char* FormFileName = "Form_GLAuto.frf";

    bool FormShow() override;
    void FormClose() override {}
    bool ShowOrPrint(bool printMode) override;

    // The dialog kept for the process, created on first use.
    static TFrDocPrintFormGLAuto* Instance();

protected:
    void SetReportVariables() override;
    // The ledger holds the voucher of DocNo in DocYear.
    bool HasVoucher() const;
};
