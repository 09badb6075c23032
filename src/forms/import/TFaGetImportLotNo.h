#pragma once
#include "search/TFaPicker.h"

#include <functional>

// The import lot picker: "Import Lot No." over ImportLotNo (Code typed, Description shown).
// The import forms set the filter "Active='Y'"; the import cost form sets none. The search
// lists every lot, inactive ones too; the filter refuses an inactive one on leaving.
class TFaGetImportLotNo : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetImportLotNo(QWidget* parent = nullptr);

    static QString activeFilter() { return QStringLiteral("Active='Y'"); }

    TLookupEdit* Code = nullptr; // the code field (Edit of the picker)

    // The owner's handler for entering the code field, run before the frame's own.
    std::function<void()> CodeEnter;

    void EditEnter() override;

protected:
    bool runSearch(QString& code) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    bool m_windowSwitch = false;
};
