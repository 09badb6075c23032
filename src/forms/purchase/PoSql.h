#pragma once
#include <QString>

// The purchase order's configuration and statements. The order form is written for the
// domestic order (PoHd/PoDt, its delivery address, request link and credit check) and the
// foreign order (FrPoHd/FrPoDt in the vendor's currency); this program opens only the
// foreign one, so only the domestic tables' statements exist here, not its extra steps.
namespace PoSql {

struct Config {
    bool foreign = true;
    QString poType = QStringLiteral("P");
    QString hd, dt;        // header and line tables
    QString lineLink;      // line column holding the header Id
    QString vendorField;   // header column of the vendor
    QString docCode;       // numbering and print code
    bool deliveryAddress = false; // PoShip
    bool requestLink = false;     // lines converted from a purchase request keep their link
    bool creditCheck = false;     // the vendor's credit limit at save
    // A company that locks the project requires one before an order is saved. The foreign
    // order shows the project without letting it be typed, so there it cannot be required.
    bool projectRequired = false;
    bool englishNames = false;    // the lines name their products in English where they have it
};
Config foreign();
Config domestic(const QString& poType);

// Header: select by number and type, and the update object.
QString header(const Config& c);
QString headerColumns(const Config& c);
QString headerInsert(const Config& c);
QString headerModify(const Config& c);
QString headerDelete(const Config& c);

// Lines of one header (GetHdId) with the vendor's part codes (GetVId), and the update object.
QString lines(const Config& c);
QString lineColumns(const Config& c);
QString lineInsert(const Config& c);
QString lineModify(const Config& c);
QString lineDelete(const Config& c);

// Sets Approved "Y" on one order (:Id).
QString approve(const Config& c);

} // namespace PoSql
