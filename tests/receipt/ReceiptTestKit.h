#pragma once
// What the purchase-form tests (vendor bills, orders) share: typing into the focused control as a user does, the
// grid cells, a credit or cash import-expense bill entered from the number to the save, and a
// foreign order typed the same way.
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/CachedDataSetModel.h"
#include "forms/base/TFaGetDocNo.h"
#include "forms/import/TFaGetImportLotNo.h"
#include "forms/import/TFaGetFrVendor.h"
#include "forms/purchase/TFrFrPoTran.h"
#include "forms/receipt/TFaGetVendor.h"
#include "forms/receipt/TFrMrTran.h"
#include "support/TestEnv.h"
#include "widgets/DbEdits.h"
#include "widgets/TDataGrid.h"
#include "widgets/TLookupEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

namespace ReceiptTestKit {

inline void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Types text into the control that has the focus, character by character (Thai included).
inline void typeKeys(const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

inline void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QWidget* w = QApplication::focusWidget();
    QVERIFY2(w, "no control has the focus");
    QTest::keyClick(w, k, m);
    settle();
}

// A dialog shown by a test's hook took the focus away: the form gets it back.
inline void backTo(QWidget& form, QWidget* control)
{
    QApplication::setActiveWindow(&form);
    control->setFocus();
    settle();
}

// Replaces the focused field's text and presses Enter.
inline void field(const QString& text)
{
    if (auto* e = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        e->selectAll();
        e->del();
    }
    typeKeys(text);
    key(Qt::Key_Return);
}

// Types into a line cell: the cell becomes current, the first key opens its editor.
// (Any purchase form: its DgDt over QDt.)
template <class Form>
inline void cell(Form& f, int row, const QString& column, const QString& text)
{
    f.DgDt->setFocus();
    settle();
    if (row == f.QDt->RecordCount()) {
        // A new line below the last one, as the arrow key gives it.
        f.DgDt->setCurrentIndex(f.DgDt->gridModel()->index(row - 1, 1));
        key(Qt::Key_Down);
    }
    QCOMPARE(f.QDt->RecordCount() > row, true);
    f.DgDt->setCurrentIndex(f.DgDt->gridModel()->index(row, f.DgDt->gridModel()->columnOf(column)));
    settle();
    typeKeys(text.left(1));
    if (auto* e = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        e->selectAll();
        e->del();
    }
    typeKeys(text);
    key(Qt::Key_Return);
}

template <class Form>
inline void open(Form& f, int menuId)
{
    DMConfig->CheckRight(menuId, 1);
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    settle();
}

// Every modal dialog (print, GL voucher, error) is closed at once; their classes are kept.
struct Dialogs {
    QStringList seen;
    Dialogs()
    {
        MessageService::setDialogHook([this](QDialog* d) {
            seen << QString::fromLatin1(d->metaObject()->className());
            d->reject();
            return int(QDialog::Rejected);
        });
    }
    ~Dialogs() { MessageService::setDialogHook(nullptr); }
};

struct Bill {
    QString number;   // typed when numbering is manual, else empty
    QString lot;
    QString vendor;
    bool included = false; // prices include tax
    QString code;     // a service
    QString price;
    bool reclaimable = true; // "ภาษีขอคืนได้" left ticked
};

// A bill typed from the number field to the first line, by Enter from field to field.
inline void enterBill(TFrMrTran& f, const Bill& b)
{
    f.FaGetDocNo->DocNo->setFocus();
    field(b.number);                         // number
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.EntryType));
    key(Qt::Key_Return);                     // entry type
    key(Qt::Key_Return);                     // date
    field(b.lot);                            // import lot
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.FaGetVendor->Edit));
    field(b.vendor);                         // vendor: its tax code and due days
    key(Qt::Key_Return);                     // no purchase order
    key(Qt::Key_Return);                     // tax code
    if (!b.reclaimable)
        key(Qt::Key_Space);                  // the tax cannot be reclaimed
    key(Qt::Key_Return);                     // tax can be reclaimed
    field(QStringLiteral("INV-") + (b.number.isEmpty() ? b.code : b.number)); // tax invoice number
    key(Qt::Key_Return);                     // tax invoice date
    key(Qt::Key_Return);                     // report date
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Price_IE));
    if (b.included)
        key(Qt::Key_Up);                     // "ราคารวมภาษี"
    key(Qt::Key_Return);
    for (int i = 0; QApplication::focusWidget() != f.DgDt && !f.DgDt->isAncestorOf(QApplication::focusWidget()); ++i) {
        QVERIFY2(i < 12, qPrintable(QApplication::focusWidget()->objectName()));
        key(Qt::Key_Return);                 // the remaining header fields as they are
    }
    // The first line: a service code, Enter, and the cursor waits in the price.
    typeKeys(b.code);
    key(Qt::Key_Return);
    settle();
    QCOMPARE(f.DgDt->currentFieldName(), QStringLiteral("Price"));
    typeKeys(b.price);
    key(Qt::Key_Return);
}

// The foreign order's life by keys: the current year, the automatic numbers of FRPO-P (the demo
// has drawn two), F10 with its question answered Yes, an order opened by number, its Id.
inline QString year()
{
    return QString::number(QDate::currentDate().year());
}
inline QString number(int n)
{
    return QStringLiteral("FP%1-%2").arg(year()).arg(n, 5, 10, QLatin1Char('0'));
}
inline void save(TFrFrPoTran& f)
{
    backTo(f, f.Reference);
    MessageService::queueAnswer(true);
    key(Qt::Key_F10);
}
inline void openOrder(TFrFrPoTran& f, const QString& no)
{
    f.AcNew->trigger();
    f.FaGetDocNo->DocNo->setFocus();
    field(no);
}
inline int orderId(TestEnv& env, const QString& no)
{
    return env.scalar("select Id from FrPoHd where trim(PoNo) = :n", {{"n", no}}).toInt();
}

// A new import document's header by keys: the number left to the counter, the lot, the rate.
template <class Import>
inline void enterImportHeader(Import& im, const QString& lot, const QString& rate)
{
    im.FaGetDocNo->DocNo->setFocus();
    field(QString());
    im.FaGetImportLotNo->Edit->setFocus();
    field(lot);
    im.ExchangeRate->setFocus();
    field(rate);
}

// A line of a foreign order as typed: product code, quantity, price (empty: the offered one).
struct OrderLine {
    QString code, quantity, price;
};
// A new order typed from the number field: Enter from field to field, the vendor, then
// the lines (code, quantity, price).
inline void enterOrder(TFrFrPoTran& f, const QString& vendor, const QList<OrderLine>& lines)
{
    f.FaGetDocNo->DocNo->setFocus();
    field(QString()); // automatic numbering: the number comes at save
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.EntryType));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.FaGetFrVendor->Edit));
    field(vendor);
    for (int i = 0; QApplication::focusWidget() != f.DgDt && !f.DgDt->isAncestorOf(QApplication::focusWidget()); ++i) {
        QVERIFY2(i < 14, qPrintable(QApplication::focusWidget()->objectName()));
        key(Qt::Key_Return);
    }
    for (int r = 0; r < lines.size(); ++r) {
        cell(f, r, "ProductCode", lines[r].code);
        cell(f, r, "Quantity", lines[r].quantity);
        if (!lines[r].price.isEmpty())
            cell(f, r, "Price", lines[r].price);
    }
}

} // namespace ReceiptTestKit
