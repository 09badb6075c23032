#pragma once
#include "search/TFrSearch.h"

class CachedDataSet;
class QToolButton;
class TFaPicker;

// Finds a purchase request by the start of its (trimmed) number, narrowed by department,
// project and employee codes (each with its search, also F5), optionally one vendor, only
// outstanding or only fulfilled requests and an approval value; returns the chosen PoRQNo.
// The statement is rebuilt by line position: the sixth line holds the condition, the seventh
// the order.
class TFrSearchPoRQNo : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchPoRQNo(QWidget* parent = nullptr);

    int ID = 0;          // preset vendor Id (0: none)
    QString Outstanding; // "N": requests still to be ordered; "Y": ordered in full; else all
    QString Approved;    // approval value looked for (empty: any)

    static constexpr int WhereLine = 5;
    static constexpr int OrderLine = 6;
    static QStringList Statement();

    QLineEdit* EdDepartment = nullptr;
    QLineEdit* EdProject = nullptr;
    QLineEdit* EdEmployee = nullptr;
    QToolButton* BtDepartment = nullptr;
    QToolButton* BtProject = nullptr;
    QToolButton* BtEmployee = nullptr;
    TFaPicker* FaGetVendor = nullptr; // present, hidden
    CachedDataSet* QNullTable = nullptr;

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    void pick(QLineEdit* box);
};
