#pragma once
#include <QList>
#include <QWidget>

class CachedDataSet;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolButton;
class TDbEdit;
class TFaGetProvince;

// The tax code of a document: a list of the tax rows showing code and rate, storing the Id.
// Leaving the list writes the chosen rate into RateField of the same data set.
class TFaGetTaxCode : public QWidget {
    Q_OBJECT
public:
    explicit TFaGetTaxCode(QWidget* parent = nullptr);
    QString RateField;
    QLabel* Caption = nullptr;
    QComboBox* TaxCode = nullptr;
    void bind(CachedDataSet* ds, const QString& field = QStringLiteral("TaxCode"));
    // Reads the tax rows again.
    void reload();
    // Shows the tax of the bound column.
    void refresh();
    // Writes the chosen Id, and the rate into RateField (what leaving the list does).
    void TaxCodeExit();

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    CachedDataSet* m_ds = nullptr;
    QString m_field;
    bool m_loaded = false;
};
