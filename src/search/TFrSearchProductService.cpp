#include "search/TFrSearchProductService.h"

#include "data/TDM.h"
#include "search/SearchQuery.h"
#include "search/TFaSelectProdAttr.h"
#include "widgets/TDataGrid.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TFrSearchProductService::TFrSearchProductService(QWidget* parent)
    : TFrSearch(parent)
{
    setObjectName(QStringLiteral("FrSearchProductService"));
    setWindowTitle(tr("ค้นหาสินค้า/บริการ"));
    resize(820, 460);

    LbName = new QLabel(tr("ชื่อสินค้า"), PnHeader);
    ProductName = new QLineEdit(PnHeader);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setMinimumWidth(180);
    LbName->setBuddy(ProductName);
    // Name after the code: "รหัส [code] ชื่อสินค้า [name] ค้นหา ... เลือก ไม่เลือก".
    const int at = HeaderLayout->indexOf(Code) + 1;
    HeaderLayout->insertWidget(at, LbName);
    HeaderLayout->insertWidget(at + 1, ProductName, 1);

    SelectProductType = new QGroupBox(tr("ประเภทสินค้า"), this);
    SelectProductType->setObjectName(QStringLiteral("SelectProductType"));
    TypeButtons = new QButtonGroup(this);
    auto* typeLay = new QVBoxLayout(SelectProductType);
    const QStringList captions = {tr("สินค้าสำเร็จรูป"), tr("บริการ"),
                                  tr("วัสดุ/เบ็ดเตล็ด"), tr("วัตถุดิบ"),
                                  tr("สินค้าสำเร็จรูป / วัตถุดิบ")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* rb = new QRadioButton(captions[i], SelectProductType);
        TypeButtons->addButton(rb, i);
        TypeItems << rb;
        typeLay->addWidget(rb);
    }
    TypeButtons->setExclusive(true);
    connect(TypeButtons, &QButtonGroup::idClicked, this, &TFrSearchProductService::SelectProductTypeClick);

    FaSelectProdAttr = new TFaSelectProdAttr(this);

    PnPicture = new QWidget(this);
    PnPicture->setObjectName(QStringLiteral("PnPicture"));
    PnPicture->setFixedWidth(220);
    ImgPicture = new QLabel(PnPicture);
    ImgPicture->setObjectName(QStringLiteral("ImgPicture"));
    ImgPicture->setScaledContents(true); // shown stretched over the panel
    auto* picLay = new QVBoxLayout(PnPicture);
    picLay->setContentsMargins(2, 2, 2, 2);
    picLay->addWidget(ImgPicture);
    PnPicture->hide();

    // F12 shown on screen: a button that does what the key does.
    BtPicture = new QToolButton(PnHeader);
    BtPicture->setObjectName(QStringLiteral("BtPicture"));
    BtPicture->setText(tr("รูปสินค้า F12"));
    BtPicture->setToolTip(tr("แสดง/ซ่อนรูปสินค้า (F12)"));
    BtPicture->setCheckable(true);
    BtPicture->setFocusPolicy(Qt::NoFocus);
    HeaderLayout->insertWidget(HeaderLayout->indexOf(BtSearch) + 1, BtPicture);
    connect(BtPicture, &QToolButton::clicked, this, [this] { TogglePicture(); });

    // Left: type filter and attribute ranges; middle: results; right: picture.
    auto* side = new QWidget(this);
    auto* sideLay = new QVBoxLayout(side);
    sideLay->setContentsMargins(4, 0, 0, 4);
    sideLay->addWidget(SelectProductType);
    sideLay->addWidget(FaSelectProdAttr, 1);
    side->setFixedWidth(270);

    auto* outer = static_cast<QVBoxLayout*>(layout());
    outer->removeWidget(DgSearch);
    auto* body = new QHBoxLayout;
    body->setSpacing(2);
    body->addWidget(side);
    body->addWidget(DgSearch, 1);
    body->addWidget(PnPicture);
    outer->addLayout(body, 1);

    // Tab walks code, name, type, attribute ranges, results, then the buttons.
    setTabOrder(Code, ProductName);
    QWidget* last = ProductName;
    for (QWidget* w : std::initializer_list<QWidget*>{TypeItems.first(), FaSelectProdAttr->DgAttr, DgSearch, BtOk,
                                                      BtCancel}) {
        setTabOrder(last, w);
        last = w;
    }

    connect(DgSearch->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowPicture(); });
    connect(QSearch, &QAbstractItemModel::modelReset, this, [this] { ShowPicture(); });
}

// ---- statement parts -----------------------------------------------------------------------

QStringList TFrSearchProductService::selectPart(int layout, Db::Backend backend)
{
    switch (layout) {
    case 1:
        return {QStringLiteral("Select P.Id, P.Code, P.ThaiName, U.UnitDesc Remark, P.ProductType, P.Picture1"),
                QStringLiteral("From Product P"),
                QStringLiteral("Inner Join ProductUnits U On U.Product=P.Id")};
    case 2:
        return {QStringLiteral("Select P.Id, P.Code,"),
                QStringLiteral("P.ThaiName,P.Remark, P.ProductType ,P.Picture1 From ProductView P")};
    case 3:
        return {QStringLiteral("Select P.Id, P.Code, P.ThaiName,"),
                QStringLiteral("P.ProductType, P.Picture1,"),
                QStringLiteral(" (Select I.MemoDesc From ProductInFo I Where (I.Misc = (Select Material From WorkId)) AND (I.Product = P.Id))"),
                QStringLiteral("||' - '||"),
                QStringLiteral("(Select I.MemoDesc From ProductInFo I Where (I.Misc = (Select Model From WorkId)) AND (I.Product = P.Id))"),
                QStringLiteral(" AS Remark"),
                QStringLiteral(" From Product P")};
    case 4:
        // str() of the server: the number right-aligned in ten places without decimals.
        return {QStringLiteral("select p.id,p.code,p.thainame,P.ProductType, P.Picture1,"),
                QStringLiteral("       coalesce(c.code,'no') Field01 ,"),
                QStringLiteral("       coalesce(d.code,'no') Field02 ,"),
                QStringLiteral("       %1 Price , ").arg(Db::wholeNumberTextSql(backend, QStringLiteral("coalesce(x.price,0)"), 10)),
                QStringLiteral("       u.unitname , "),
                QStringLiteral("       (select coalesce(%1,'0') ").arg(Db::wholeNumberTextSql(backend, QStringLiteral("coalesce(sum(quantity),0)"), 10)),
                QStringLiteral("        from productonhand o"),
                QStringLiteral("        where  (o.product=p.id) and (o.productunits=u.id) and (o.balanceyear=:RunYear) ) Qnty"),
                QStringLiteral("from product p"),
                QStringLiteral("inner join productunits u on u.product=p.id"),
                QStringLiteral("left  join productprice x on x.product=p.id and x.productunits=u.id and x.pricetype=19"),
                QStringLiteral("left  join productattr  a on a.product=p.id and a.prodattrgroup=3"),
                QStringLiteral("left  join prodattrcode c on c.id=a.prodattrcode"),
                QStringLiteral("left  join productattr  b on b.product=p.id and b.prodattrgroup=5"),
                QStringLiteral("left  join prodattrcode d on d.id=b.prodattrcode")};
    case 5:
        return {QStringLiteral("select p.id,p.code,p.thainame,P.ProductType, P.Picture1,"),
                QStringLiteral(" coalesce(c.code,'no') Field01 ,coalesce(c2.code,'no') Field02,"),
                QStringLiteral(" p.thainame||coalesce(c.code,'no') searchstring ,"),
                QStringLiteral(" u.unitname  "),
                QStringLiteral("from product p"),
                QStringLiteral("inner join productunits u on u.product=p.id"),
                QStringLiteral("left  join productattr  a on a.product=p.id and a.prodattrgroup=15"),
                QStringLiteral("left  join prodattrcode c on c.id=a.prodattrcode"),
                QStringLiteral("left  join productattr  a2 on a2.product=p.id and a2.prodattrgroup=16"),
                QStringLiteral("left  join prodattrcode c2 on c2.id=a2.prodattrcode")};
    case 6:
        return {QStringLiteral("select p.id,p.code,p.thainame,P.ProductType, P.Picture1,"),
                QStringLiteral("       o.onhand qnty "),
                QStringLiteral("from product p"),
                QStringLiteral("left join productonhand01 o on o.product=p.id")};
    default:
        return {QStringLiteral("Select P.Id, P.Code, P.ThaiName, P.Remark, P.ProductType ,P.Picture1"),
                QStringLiteral("From ProductView P")};
    }
}

QString TFrSearchProductService::typeCondition(int item)
{
    switch (item) {
    case 0: return QStringLiteral("And (P.ProductType <> 'S') And (ProductType <> 'M')");
    case 1: return QStringLiteral("And (P.ProductType = 'S')");
    case 2: return QStringLiteral("And (P.ProductType = 'M')");
    case 3: return QStringLiteral("And (P.ProductType = 'R')");
    case 4: return QStringLiteral("And (P.ProductType In ('T','F','R','C'))");
    default: return {};
    }
}

int TFrSearchProductService::itemOfLetter(const QString& letter)
{
    static const QStringList letters = {QStringLiteral("P"), QStringLiteral("S"), QStringLiteral("M"),
                                        QStringLiteral("R"), QStringLiteral("A")};
    if (letter == QLatin1String("B"))
        return 0;
    return letters.indexOf(letter);
}

QString TFrSearchProductService::pictureFolder(const QString& picturePath)
{
    QString folder = picturePath.trimmed();
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString TFrSearchProductService::pictureFile(const QString& folder, const QString& name)
{
    const QString file = name.trimmed();
    if (file.size() <= 3)
        return {};
    // Folder and name are joined with one separator (a name stored with its own leading
    // separator keeps it); stored Windows separators work as "/" on every system.
    QString path = folder;
    if (!path.isEmpty() && !file.startsWith(QLatin1Char('\\')) && !file.startsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += file;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QFileInfo(path).isFile() ? path : QString();
}

int TFrSearchProductService::TypeItem() const
{
    return TypeButtons->checkedId();
}

ProductSearchStatement BuildProductSearch(const ProductSearchInput& in)
{
    ProductSearchStatement st;
    QStringList& sql = st.lines;
    sql = TFrSearchProductService::selectPart(in.layout, in.backend);
    st.params.insert(QStringLiteral("GetCode"), in.code + QStringLiteral("%"));
    if (in.layout == 5) {
        sql << QStringLiteral("Where (P.Code Like :GetCode) And (p.thainame||coalesce(c.code,'no') Like :GetName)");
        st.params.insert(QStringLiteral("GetName"), QStringLiteral("%") + in.name + QStringLiteral("%"));
    } else {
        sql << QStringLiteral("Where (P.Code Like :GetCode) And (P.ThaiName Like :GetName)");
        st.params.insert(QStringLiteral("GetName"),
                         (in.method == 1 ? QStringLiteral("%") : QString()) + in.name + QStringLiteral("%"));
    }
    if (!in.includeBlocked)
        sql << QStringLiteral("And (P.Blocked <> 'Y')");
    sql << QStringLiteral("And (P.MasterCode = :MasterCode) ");
    st.params.insert(QStringLiteral("MasterCode"), in.masterCode.isEmpty() ? QStringLiteral("N") : in.masterCode);
    const QString type = TFrSearchProductService::typeCondition(in.typeItem);
    if (!type.isEmpty())
        sql << type;
    for (int i = 0; i < in.ranges.size(); ++i) {
        const QString from = QStringLiteral("AttrFrom%1").arg(i + 1);
        const QString to = QStringLiteral("AttrTo%1").arg(i + 1);
        sql << QStringLiteral("And (P.Id In (Select Product From ProductAttribute Where (GroupCode Between :%1 And :%2)))")
                   .arg(from, to);
        st.params.insert(from, in.ranges[i].first);
        st.params.insert(to, in.ranges[i].second);
    }
    if (in.layout == 4)
        st.params.insert(QStringLiteral("RunYear"), in.runYear);
    sql << QStringLiteral("Order By P.Code");
    return st;
}

QStringList TFrSearchProductService::BuildStatement()
{
    ProductSearchInput in;
    in.layout = SearchProductNo;
    in.method = SearchMethod;
    in.code = Code->text();
    in.name = ProductName->text();
    in.includeBlocked = IncludeBlocked;
    in.masterCode = MasterCode;
    in.typeItem = TypeItem();
    for (const auto& r : FaSelectProdAttr->Ranges())
        in.ranges.append({r.from, r.to});
    if (SearchProductNo == 4)
        in.runYear = DM->Config(QStringLiteral("RunYear")).toInt();
    in.backend = Db::backendOf(DM->DMdata());
    const ProductSearchStatement st = BuildProductSearch(in);
    for (auto it = st.params.cbegin(); it != st.params.cend(); ++it)
        QSearch->setParam(it.key(), it.value());
    return st.lines;
}

// ---- opening -------------------------------------------------------------------------------

void TFrSearchProductService::setupColumns()
{
    QSearch->clearColumns();
    QSearch->addColumn(QStringLiteral("Code"), tr("รหัส"), 123);
    QSearch->addColumn(QStringLiteral("ThaiName"), tr("ชื่อสินค้า"), SearchProductNo == 5 ? 400 : 300);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    switch (SearchProductNo) {
    case 4:
        QSearch->addColumn(QStringLiteral("Field01"), tr("สำนักพิมพ์"), 80);
        QSearch->addColumn(QStringLiteral("Field02"), tr("หมวดหมู่"), 80);
        QSearch->addColumn(QStringLiteral("Price"), tr("ราคา"), 50, right);
        QSearch->addColumn(QStringLiteral("UnitName"), tr("หน่วย"), 50);
        QSearch->addColumn(QStringLiteral("Qnty"), tr("คงเหลือ"), 50, right);
        break;
    case 5:
        QSearch->addColumn(QStringLiteral("Field01"), tr("รุ่นสินค้า"), 66);
        QSearch->addColumn(QStringLiteral("Field02"), tr("ยี่ห้อสินค้า"), 66);
        break;
    case 6:
        QSearch->addColumn(QStringLiteral("Qnty"), tr("คงเหลือ"), 150, Qt::AlignCenter, QStringLiteral("#,##0"));
        break;
    default:
        QSearch->addColumn(QStringLiteral("Remark"), tr("หมายเหตุ"), 150);
        break;
    }
}

QString TFrSearchProductService::lastNameOrEmpty() const
{
    return DM && DM->ConfigText(QStringLiteral("ShowLastSearch")) == QLatin1String("Y") ? DM->LastProductName
                                                                                        : QString();
}

void TFrSearchProductService::setTypeItem(int item)
{
    TypeButtons->setExclusive(false);
    for (QRadioButton* rb : TypeItems)
        rb->setChecked(false);
    TypeButtons->setExclusive(true);
    if (item >= 0 && item < TypeItems.size())
        TypeItems[item]->setChecked(true);
}

void TFrSearchProductService::FormShow()
{
    TFrSearch::FormShow();
    SearchProductNo = DM->Config(QStringLiteral("SearchProductNo")).toInt();
    setupColumns();
    PictureFolder = pictureFolder(DM->ConfigText(QStringLiteral("PicturePath")));
    PnPicture->hide();
    if (MasterCode.isEmpty())
        MasterCode = QStringLiteral("N");
    ResultField = QStringLiteral("Code");
    ResultValue.clear();
    Code->clear();
    SearchMethod = DM->Config(QStringLiteral("SearchProductMethod")).toInt();
    ProductName->setText(lastNameOrEmpty());
    BtPicture->setChecked(false);

    // A given type selects its item and locks the filter; materials also lock the ranges.
    TypeLetter = ProductType.trimmed().toUpper();
    const int item = itemOfLetter(TypeLetter);
    setTypeItem(item);
    SelectProductType->setEnabled(TypeLetter.isEmpty());
    FaSelectProdAttr->setEnabled(item != 2);
    FaSelectProdAttr->OpenGroups(TypeLetter);
    ProductName->setFocus();
}

void TFrSearchProductService::SelectProductTypeClick(int item)
{
    static const QStringList letters = {QStringLiteral("P"), QStringLiteral("S"), QStringLiteral("M"),
                                        QStringLiteral("R"), QStringLiteral("A")};
    if (item < 0 || item >= letters.size())
        return;
    setTypeItem(item);
    TypeLetter = letters[item];
    ResultValue.clear();
    Code->clear();
    QSearch->Close();
    ProductName->setText(lastNameOrEmpty());
    FaSelectProdAttr->setEnabled(item != 2);
    FaSelectProdAttr->OpenGroups(TypeLetter);
    ProductName->setFocus();
}

void TFrSearchProductService::BtSearchClick()
{
    QSearch->Close();
    QSearch->SQL = BuildStatement();
    TFrSearch::BtSearchClick();
}

// ---- picture -------------------------------------------------------------------------------

void TFrSearchProductService::TogglePicture()
{
    PnPicture->setVisible(!PnPicture->isVisibleTo(this));
    BtPicture->setChecked(PnPicture->isVisibleTo(this));
    ShowPicture();
}

void TFrSearchProductService::ShowPicture()
{
    if (!PnPicture->isVisibleTo(this))
        return;
    const int row = currentRow();
    const QString file = row >= 0 ? pictureFile(PictureFolder, QSearch->fieldText(row, QStringLiteral("Picture1")))
                                  : QString();
    QPixmap pm;
    if (!file.isEmpty() && pm.load(file)) {
        ImgPicture->setPixmap(pm);
        ImgPicture->setToolTip(QStringLiteral("Files : ") + file);
        ImgPicture->show();
    } else {
        ImgPicture->clear();
        ImgPicture->setToolTip(QString());
        ImgPicture->hide();
    }
}

// ---- keys ----------------------------------------------------------------------------------

bool TFrSearchProductService::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ProductName && event->type() == QEvent::FocusOut)
        DM->LastProductName = ProductName->text();
    if (event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        auto* w = qobject_cast<QWidget*>(watched);
        switch (ke->key()) {
        case Qt::Key_F1:
            if (Code->isEnabled())
                Code->setFocus();
            return true;
        case Qt::Key_F2:
            if (watched == ProductName) {
                Code->setFocus();
                return true;
            }
            break;
        case Qt::Key_F12:
            TogglePicture();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The attribute grid moves between its cells with Enter.
            if (w && (w == FaSelectProdAttr || FaSelectProdAttr->isAncestorOf(w)))
                return false;
            break;
        default:
            break;
        }
    }
    return TFrSearch::eventFilter(watched, event);
}
