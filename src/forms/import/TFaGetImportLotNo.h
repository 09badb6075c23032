#pragma once
#include "forms/import/TFaCodeLookup.h"

// The import lot picker: "Import Lot No." over ImportLotNo (Code typed, Description shown).
// The import forms set the filter "Active='Y'"; the import cost form sets none. The search
// lists every lot, inactive ones too; the filter refuses an inactive one on leaving.
class TFaGetImportLotNo : public TFaCodeLookup {
    Q_OBJECT
public:
    explicit TFaGetImportLotNo(QWidget* parent = nullptr);

    static QString activeFilter() { return QStringLiteral("Active='Y'"); }

public slots:
    void BtSearchClick() override;
};
