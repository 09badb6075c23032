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

    // The forms that record a shipment create the lot a typed code names when no lot has that
    // code yet, after a question (a new company has none); the import cost form does not.
    bool CreateAllowed = false;
    // The code in the field names no lot at all: asks whether to create it, creates it
    // (active, effective today) and takes it. True when the lot was created.
    bool OfferToCreate();

    void EditEnter() override;

protected:
    bool runSearch(QString& code) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    bool m_windowSwitch = false;
};
