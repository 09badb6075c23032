#pragma once
#include "forms/import/TFrInbound.h"

// Unpaid foreign bills brought forward from the previous year: header-only import
// documents in the import lot "BEGIN", removed for good when deleted.
class TFrInboundBegin : public TFrInbound {
    Q_OBJECT
public:
    explicit TFrInboundBegin(QWidget* parent = nullptr);

    int BeginLotId = 0;
    TDbNumberEdit* GetTotal = nullptr;

    void FormShow() override;
    void AcSaveExecute() override;
    void AcDelExecute() override;
    void FaGetDocNoDocNoExit() override;

protected:
    bool beginBalance() const override { return true; }
    void fitHeight();
};
