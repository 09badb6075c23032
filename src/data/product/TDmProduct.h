#pragma once
#include <QDateTime>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariantMap>

#include "data/Noticed.h"

// Unit kinds asked of the unit checks, as a bit set.
namespace UnitKind {
inline constexpr int Sale = 1;
inline constexpr int Purchase = 2;
inline constexpr int Stock = 4;
inline constexpr int Small = 8;
} // namespace UnitKind

// The product data module: the checks of the codes typed into document headers and lines,
// and the stock on hand. Every check is one parameterised statement; it answers found or not
// found and keeps the row it found in the record named after its query, so the calling form
// copies the columns it needs (DmProduct->QChkProduct.value("ThaiName")). When nothing is
// found the record keeps its columns with null values. No check shows a message, except the
// lot check for an expired lot.
class TDmProduct : public QObject {
    Q_OBJECT
public:
    explicit TDmProduct(QObject* parent = nullptr);
    ~TDmProduct() override;

    // The company connection (DM->DMdata()) unless one is set.
    void setDatabase(const QSqlDatabase& db);
    QSqlDatabase database() const;

    bool ExistsProduct(const QString& code);
    bool ExistsProductUnit(int productId, const QString& unitName, int kinds);
    // The name of the first unit of every asked kind, or empty when none.
    QString GetFirstUnit(int productId, int kinds);
    bool ExistsBarCode(const QString& barCode);
    // A lot that has expired before the reference date is not accepted, with the notice
    // "LotNo หมดอายุแล้ว"; an unknown lot is not accepted, without a notice.
    Noticed<bool> ExistsLotNo(const QString& lotCode, const QDateTime& referenceDate);
    bool ExistsWarehouse(const QString& code);
    // The unit's standard purchase price (QPriceStandard) is read even when the vendor has no
    // row of its own; the answer is whether the vendor has one.
    bool ExistsPartSource(int unitId, int vendorId);
    bool ExistsVendorPartCode(const QString& partCode, int vendorId);
    bool ExistsProjectItemCode(const QString& itemCode, int projectId);

    // The stock of a product over all warehouses of a balance year, in its stock unit and
    // small unit ("2 กล่อง 1 ชิ้น").
    QString ProductQuantity(int productId, int balanceYear);

    // The display name found by the last ExistsProduct when the company shows names from the
    // product view (SearchProductNo 2); empty otherwise.
    QString SpecialName;

    // The rows found, named after their queries.
    QSqlRecord QChkProduct;
    QSqlRecord QSpecialName;
    QSqlRecord QChkUnit;
    QSqlRecord QDefaultUnit;
    QSqlRecord QChkBarCode;
    QSqlRecord QChkLotNo;
    QSqlRecord QChkWarehouse;
    QSqlRecord QPriceStandard;
    QSqlRecord QExistsPartSource;
    QSqlRecord QChkPartSource;
    QSqlRecord QChkProjectItemCode;
    QSqlRecord QOnHand;

    // The LIKE patterns of the unit kinds: an asked kind "Y%", any other `other`.
    struct KindPatterns {
        QString sale, purc, stock, small;
    };
    static KindPatterns kindPatterns(int kinds, const QString& other);
    // Whether a lot row is still usable on the reference date: HasExpired "N", or an expiry
    // date on or after the reference date. An empty HasExpired counts as possibly expired.
    static bool lotValid(const QString& hasExpired, const QVariant& expiredDate, const QDateTime& referenceDate);

    // Statement texts (kept as the queries are documented; the embedded engine's spellings).
    static const char* const SqlChkProduct;
    static const char* const SqlSpecialName;
    static const char* const SqlChkService;
    static const char* const SqlChkMisc;
    static const char* const SqlChkUnit;
    static const char* const SqlDefaultUnit;
    static const char* const SqlChkBarCode;
    static const char* const SqlChkLotNo;
    static const char* const SqlChkWarehouse;
    static const char* const SqlPriceStandard;
    static const char* const SqlExistsPartSource;
    static const char* const SqlChkPartSource;
    static const char* const SqlChkProjectItemCode;
    static QString SqlOnHand();

private:
    QSqlDatabase m_db;
    bool m_hasDb = false;
};

// Runs a statement and keeps its first row in `record`; true when there was one. Without a
// row the record keeps the statement's columns with null values.
bool readFirstRow(const QSqlDatabase& db, const QString& sql, const QVariantMap& params, QSqlRecord& record);

extern TDmProduct* DmProduct;
