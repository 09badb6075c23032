#pragma once
#include "forms/base/TFrDocument.h"
#include "forms/purchase/PurchaseLineEntry.h"
#include "forms/purchase/PurchaseTotals.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class TDbEdit;
class TFaGetDepartment;
class TFaGetProject;
class TFaGetRemark;
class TFaGetTaxCode;
class TFaPurchaseLines;
class TFaPurchaseTotals;

// What the purchase documents (orders and vendor bills) share on top of every document: the
// line entry, the header controls both have (entry type, tax code, reclaimable tax, price
// basis, reference, remark, project, department), the line grid with its footer and totals,
// and the wiring between them. The data sets' hooks carry the lines' changes (a changed field,
// a deleted line, another current line) to the form; the header's signals refresh the header
// controls that are not bound to a column.
class TFrPurchaseDocument : public TFrDocument {
    Q_OBJECT
public:
    TFrPurchaseDocument(QWidget* parent, PurchaseLineEntry::Policy policy, PurchaseTotals::Kind kind,
                        bool withPrepaid);
    ~TFrPurchaseDocument() override;

    std::unique_ptr<PurchaseLineEntry> Entry;

    // ---- header controls of both documents (laid out by each) -------------------------------
    QLabel* LbEntryType = nullptr;
    QComboBox* EntryType = nullptr;
    TFaGetTaxCode* FaGetTaxCode = nullptr;
    QCheckBox* CanUseTax = nullptr;
    QLabel* LbPriceIE = nullptr;
    QComboBox* Price_IE = nullptr;
    QLabel* LbReference = nullptr;
    TDbEdit* Reference = nullptr;
    TFaGetRemark* FaGetRemark = nullptr;
    TFaGetProject* FaGetProject = nullptr;
    TFaGetDepartment* FaGetDepartment = nullptr;

    // ---- lines and footer -------------------------------------------------------------------
    TFaPurchaseTotals* Totals = nullptr;
    TFaPurchaseLines* Lines = nullptr;
    QGroupBox* GbDetail = nullptr;
    QPushButton* BtDeleteLine = nullptr;
    QPushButton* BtDisc = nullptr;
    QMenu* PopLastPrice = nullptr;
    QMenu* PopDetail = nullptr;

    // The document's amounts from its lines; false when refused (the user was told where).
    bool CalculateAll();
    virtual void SetDgDtColumn() = 0;
    virtual void TaxCodeExit() = 0;
    virtual void BtDeleteLineClick() = 0;
    virtual void DgDtEnter() = 0;
    void DgDtExit();
    void ProductCodeCustomDlg();
    void UnitNameCustomDlg();
    void LineMemoClick();

    // The document's vendor (the header's vendor column).
    int vendorId() const;

protected:
    // The header's vendor column ("Vendor" unless the document says otherwise).
    QString VendorField = QStringLiteral("Vendor");
    // The product search's type for the line's dialog.
    virtual QString productSearchType() const = 0;
    // A field of the current line changed (not by the line entry itself).
    virtual void lineChanged(const QString& field) = 0;
    // The header controls not bound to a column follow the header's values.
    virtual void refreshHeaderControls();
    // A goods line's type is "P" whatever was stored, services and misc keep theirs.
    void normaliseLineTypes();
    void setLineField(const QString& field, const QVariant& v);
    void focusLine(int row, const QString& field);

    bool askExit() override;
    void resizeEvent(QResizeEvent* e) override;

    bool m_inLines = false;
    PurchaseLineEntry::SavedUnit m_savedUnit;
    bool m_configured = false;
};
