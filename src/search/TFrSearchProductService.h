#pragma once
#include "search/TFrSearch.h"

#include <QStringList>
#include <QVariantMap>

// The product search statement as lines and its parameters. Typed code, name and attribute
// codes are parameters; the matching stays: the code as a prefix, the name at the start
// (method 0) or anywhere (method 1); layout 5 matches the name followed by the model code.
struct ProductSearchInput {
    int layout = 0;
    int method = 0;
    QString code;
    QString name;
    bool includeBlocked = false;
    QString masterCode = QStringLiteral("N");
    int typeItem = -1;
    QList<QPair<QString, QString>> ranges; // group code + from code, group code + to code
    int runYear = 0;
};
struct ProductSearchStatement {
    QStringList lines;
    QVariantMap params;
};
ProductSearchStatement BuildProductSearch(const ProductSearchInput& in);

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class TFaSelectProdAttr;

// The product search: code (prefix) and name (begins with or contains, as the company chose),
// narrowed by product type and attribute ranges; the result layout follows the company's
// SearchProductNo; F12 shows the product's picture. Returns the chosen product's Code.
class TFrSearchProductService : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchProductService(QWidget* parent = nullptr);

    // ---- inputs (set by the caller before showing) ----------------------------------------
    // "P", "S", "M", "R", "A", "B" or empty: preselects and locks the type filter.
    QString ProductType;
    bool IncludeBlocked = false;
    QString MasterCode = QStringLiteral("N"); // empty counts as "N"

    // ---- controls ----------------------------------------------------------------------------
    QLabel* LbName = nullptr;
    QLineEdit* ProductName = nullptr;
    QGroupBox* SelectProductType = nullptr;
    QButtonGroup* TypeButtons = nullptr;
    QList<QRadioButton*> TypeItems;
    TFaSelectProdAttr* FaSelectProdAttr = nullptr;
    QWidget* PnPicture = nullptr;
    QLabel* ImgPicture = nullptr;
    QToolButton* BtPicture = nullptr; // shows and hides the picture, as F12 does

    // ---- state read at opening ---------------------------------------------------------------
    int SearchProductNo = 0;
    int SearchMethod = 0; // 0 begins with, 1 contains
    QString PictureFolder;
    QString TypeLetter;   // the letter of the selected type item ("" when none)
    int TypeItem() const; // -1 when none

    // The statement for the current fields; its parameters are set on QSearch.
    QStringList BuildStatement();
    // Changing the type item.
    void SelectProductTypeClick(int item);
    // Shows the picture of the current row (when the panel is visible).
    void ShowPicture();
    void TogglePicture();

    // The select part of a result layout (the embedded engine's spellings).
    static QStringList selectPart(int layout);
    static QString typeCondition(int item);
    static int itemOfLetter(const QString& letter); // -1 for an empty or unknown letter
    // The picture file of a product, or empty when the name is 3 characters or shorter or the
    // file does not exist.
    static QString pictureFile(const QString& folder, const QString& name);
    // PicturePath trimmed, with one trailing separator removed.
    static QString pictureFolder(const QString& picturePath);

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setupColumns();
    void setTypeItem(int item);
    QString lastNameOrEmpty() const;
};
