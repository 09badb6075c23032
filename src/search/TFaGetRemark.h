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

// The remark of a document: a plain text field; the search lists the remarks of a Misc group
// and the chosen description itself becomes the remark.
class TFaGetRemark : public QWidget {
    Q_OBJECT
public:
    explicit TFaGetRemark(QWidget* parent = nullptr);
    QString RemarkGroup = QStringLiteral("REM_PURC");
    QLabel* Caption = nullptr;
    TDbEdit* Remark = nullptr;
    QToolButton* BtSearch = nullptr;
    void bind(CachedDataSet* ds, const QString& field = QStringLiteral("Remark"));
    void BtSearchClick();

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
};
