// Report expressions: decimal arithmetic, display formats, the evaluator and its errors, and
// the function library the layout files call.
#include "report/ReportExpr.h"
#include "report/ReportLayout.h"

#include <QTest>

namespace {
class MapContext : public EvalContext {
public:
    QHash<QString, ReportValue> names;
    QHash<QString, ReportValue> fields;  // "set.field" in lower case
    QStringList userCalls;
    bool lookupName(const QString& name, ReportValue* out) override
    {
        auto it = names.constFind(name.toUpper());
        if (it == names.constEnd()) return false;
        *out = *it;
        return true;
    }
    bool lookupField(const QString& set, const QString& field, ReportValue* out) override
    {
        auto it = fields.constFind((set + QLatin1Char('.') + field).toLower());
        if (it == fields.constEnd()) return false;
        *out = *it;
        return true;
    }
    bool callUserFunction(const QString& name, const QList<ReportValue>& args, ReportValue* out) override
    {
        if (name != QLatin1String("TELL_REAL_THAI")) return false;
        userCalls << name + QLatin1Char(':') + args.value(0).toText() + QLatin1Char(',') + args.value(1).toText();
        *out = ReportValue::text(QStringLiteral("ยี่สิบเอ็ดบาทถ้วน"));
        return true;
    }
    bool setVariableValue(const QString& name, const ReportValue& v) override
    {
        names.insert(name.toUpper(), v);
        return true;
    }
};

QString eval(const QString& expr, MapContext& ctx)
{
    return ReportExpression::compile(expr).evaluate(ctx).toText();
}
}  // namespace

class TestReportExpr : public QObject {
    Q_OBJECT
private slots:
    void decimalArithmetic_data();
    void decimalArithmetic();
    void decimalRoundsHalfAwayFromZero_data();
    void decimalRoundsHalfAwayFromZero();
    void displayFormats_data();
    void displayFormats();
    void expressions_data();
    void expressions();
    void errorsCarryPosition_data();
    void errorsCarryPosition();
    void templateTexts();
    void userFunctionsAreCalledBack();
    void swapExchangesVariables();
    void layoutErrorsCarryPosition_data();
    void layoutErrorsCarryPosition();
    void layoutRoundTrip();
    void layoutFileEncodings();
};

void TestReportExpr::decimalArithmetic_data()
{
    QTest::addColumn<QString>("expr");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0.1+0.2") << "0.1 + 0.2" << "0.3";
    QTest::newRow("money sum") << "1234.56 + 0.44 - 35" << "1200";
    QTest::newRow("product keeps decimals") << "19.99 * 3" << "59.97";
    QTest::newRow("third") << "ROUND(100 / 3, 2)" << "33.33";
    QTest::newRow("exact quotient") << "1 / 8" << "0.125";
    QTest::newRow("rate times amount") << "ROUND(1250.75 * 35.4321, 2)" << "44316.7";
    QTest::newRow("precedence") << "2 + 3 * 4" << "14";
    QTest::newRow("parentheses") << "(2 + 3) * 4" << "20";
    QTest::newRow("negative") << "-5.5 + 2" << "-3.5";
    QTest::newRow("div mod") << "17 div 5 + 17 mod 5" << "5";
    QTest::newRow("large amounts") << "99999999999.99 + 0.01" << "100000000000";
    QTest::newRow("thousand of 0.1") << "0.1 * 1000 - 100" << "0";
}

void TestReportExpr::decimalArithmetic()
{
    QFETCH(QString, expr);
    QFETCH(QString, expected);
    MapContext ctx;
    QCOMPARE(eval(expr, ctx), expected);
}

void TestReportExpr::decimalRoundsHalfAwayFromZero_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2.345") << "2.345" << 2 << "2.35";
    QTest::newRow("2.344") << "2.344" << 2 << "2.34";
    QTest::newRow("-2.345") << "-2.345" << 2 << "-2.35";
    QTest::newRow("fifth decimal 5") << "1.23455" << 4 << "1.2346";
    QTest::newRow("0.5") << "0.5" << 0 << "1";
    QTest::newRow("1.005 (binary would give 1.00)") << "1.005" << 2 << "1.01";
}

void TestReportExpr::decimalRoundsHalfAwayFromZero()
{
    QFETCH(QString, value);
    QFETCH(int, places);
    QFETCH(QString, expected);
    QCOMPARE(Decimal::fromString(value).round(places).toString(), expected);
    // Doubles from the database take the same path.
    QCOMPARE(Decimal::fromDouble(value.toDouble()).round(places).toString(), expected);
}

void TestReportExpr::displayFormats_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("thousands") << "1234567.891" << "#,##0.00" << "1,234,567.89";
    QTest::newRow("zero") << "0" << "#,##0.00" << "0.00";
    QTest::newRow("negative") << "-1234.5" << "#,##0.00" << "-1,234.50";
    QTest::newRow("negative section") << "-1234.5" << "#,##0.00;(#,##0.00)" << "(1,234.50)";
    QTest::newRow("zero section") << "0.001" << "#,##0.00;-#,##0.00;-" << "-";
    QTest::newRow("four decimals") << "12.34565" << "0.0000" << "12.3457";
    QTest::newRow("optional decimals") << "12.5" << "0.##" << "12.5";
    QTest::newRow("prefix and suffix") << "99.5" << "THB #,##0.00 net" << "THB 99.50 net";
}

void TestReportExpr::displayFormats()
{
    QFETCH(QString, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(formatDecimal(Decimal::fromString(value), format), expected);
}

void TestReportExpr::expressions_data()
{
    QTest::addColumn<QString>("expr");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text join") << "'นำ' + 'เข้า'" << "นำเข้า";
    QTest::newRow("quote in text") << "'it''s'" << "it's";
    QTest::newRow("compare numbers") << "2.50 = 2.5" << "True";
    QTest::newRow("compare texts") << "'A' < 'B'" << "True";
    QTest::newRow("and or not") << "not (1 > 2) and (1 = 1 or 1 / 0 = 1)" << "True";
    QTest::newRow("if") << "IF([Qty] > 0, 'มี', 'ไม่มี')" << "มี";
    QTest::newRow("if does not evaluate the other branch") << "IF(true, 1, 1 / 0)" << "1";
    QTest::newRow("field by data set") << "[CostTable.\"Total\"] * 2" << "301";
    QTest::newRow("field unquoted") << "CostTable.Total + 0.5" << "151";
    QTest::newRow("variable") << "Rptitle" << "ต้นทุน";
    QTest::newRow("flag Y is true") << "IF(Flag, 'yes', 'no')" << "yes";
    QTest::newRow("date plus days") << "DATETOSTR(CREATEDATE('28/02/2024') + 1)" << "29/02/2024";
    QTest::newRow("empty date prints as nothing") << "DATETOSTR('') + '|'" << "|";
    QTest::newRow("STR for joining") << "'Qty ' + STR([Qty])" << "Qty 3";
    QTest::newRow("FORMATFLOAT") << "FORMATFLOAT('#,##0.00', 1234.5)" << "1,234.50";
    // Add-on library
    QTest::newRow("CHR") << "CHR(65)" << "A";
    QTest::newRow("COMPARESTR") << "COMPARESTR('a', 'b')" << "-1";
    QTest::newRow("CREATENUM") << "CREATENUM('12.50') + 1" << "13.5";
    QTest::newRow("CREATESTR") << "CREATESTR(12.5)" << "12.5";
    QTest::newRow("DATEDIFF") << "DATEDIFF('01/01/2026', '01/03/2026')" << "59";
    QTest::newRow("DAYSPERMONTH") << "DAYSPERMONTH(2024, 2)" << "29";
    QTest::newRow("DELETE") << "DELETE('ABCDEF', 2, 3)" << "AEF";
    QTest::newRow("ENDPOS") << "ENDPOS('a', 'banana')" << "6";
    QTest::newRow("EXTRACTWORD") << "EXTRACTWORD(2, 'one two,three', ' ,')" << "two";
    QTest::newRow("FIRSTDAYOFNEXTMONTH") << "DATETOSTR(FIRSTDAYOFNEXTMONTH('15/12/2026'))" << "01/01/2027";
    QTest::newRow("FIRSTDAYOFPREVMONTH") << "DATETOSTR(FIRSTDAYOFPREVMONTH('15/01/2026'))" << "01/12/2025";
    QTest::newRow("LASTDAYOFPREVMONTH") << "DATETOSTR(LASTDAYOFPREVMONTH('15/03/2024'))" << "29/02/2024";
    QTest::newRow("INCDATE") << "DATETOSTR(INCDATE('31/01/2026', 1, 1, 1))" << "01/03/2027";
    QTest::newRow("INCDAY") << "DATETOSTR(INCDAY('31/12/2026', 1))" << "01/01/2027";
    QTest::newRow("INCMONTH") << "DATETOSTR(INCMONTH('31/01/2026', 1))" << "28/02/2026";
    QTest::newRow("INCYEAR") << "DATETOSTR(INCYEAR('29/02/2024', 1))" << "28/02/2025";
    QTest::newRow("INCTIME") << "TIMETOSTR(INCTIME(CREATEDATE('01/01/2026'), 1, 30, 15, 0))" << "01:30:15";
    QTest::newRow("INSERT") << "INSERT('XY', 'ABC', 2)" << "AXYBC";
    QTest::newRow("ISLEAPYEAR") << "ISLEAPYEAR(2100)" << "False";
    QTest::newRow("ISRANGEDATE") << "ISRANGEDATE('01/01/2026', '31/01/2026', '31/01/2026')" << "True";
    QTest::newRow("ISRANGENUM") << "ISRANGENUM(1, 10, 10.01)" << "False";
    QTest::newRow("ISWORDPRESENT") << "ISWORDPRESENT('two', 'one two three')" << "True";
    QTest::newRow("LEFTCOPY") << "LEFTCOPY('ABCDEF', 3)" << "ABC";
    QTest::newRow("RIGHTCOPY") << "RIGHTCOPY('ABCDEF', 2)" << "EF";
    // A cut never leaves a vowel or tone mark without its consonant.
    QTest::newRow("LEFTCOPY inside a cluster") << "LEFTCOPY('น้ำตาล', 2)" << "";
    QTest::newRow("LEFTCOPY after a cluster") << "LEFTCOPY('น้ำตาล', 3)" << "น้ำ";
    QTest::newRow("RIGHTCOPY inside a cluster") << "RIGHTCOPY('สวัสดี', 1)" << "";
    QTest::newRow("RIGHTCOPY after a cluster") << "RIGHTCOPY('สวัสดี', 2)" << "ดี";
    QTest::newRow("FORMATFLOAT without integer places") << "FORMATFLOAT(',.00', 1234.5)" << "1,234.50";
    QTest::newRow("NPOS") << "NPOS('a', 'banana', 2)" << "4";
    QTest::newRow("PADCENTER") << "PADCENTER('ab', 6, '*')" << "**ab**";
    QTest::newRow("PADLEFT") << "PADLEFT('7', 4, '0')" << "0007";
    QTest::newRow("PADRIGHT") << "PADRIGHT('7', 3)" << "7  ";
    QTest::newRow("REPLACESTR") << "REPLACESTR('a-b-c', '-', '/')" << "a/b/c";
    QTest::newRow("REPLICATE") << "REPLICATE('=', 5)" << "=====";
    QTest::newRow("STRTODATEDEF bad") << "DATETOSTR(STRTODATEDEF('x', '01/02/2026'))" << "01/02/2026";
    QTest::newRow("STRTOFLOAT") << "STRTOFLOAT('1,234.5') * 2" << "2469";
    QTest::newRow("STRTOFLOATDEF") << "STRTOFLOATDEF('abc', 7.5)" << "7.5";
    QTest::newRow("STRTOINT") << "STRTOINT(' 42 ') + 1" << "43";
    QTest::newRow("STRTOINTDEF") << "STRTOINTDEF('4.2', -1)" << "-1";
    QTest::newRow("TIMETOSTR") << "TIMETOSTR('2026-12-09 14:05:09')" << "14:05:09";
    QTest::newRow("TRIMLEFT") << "TRIMLEFT('  a ') + '|'" << "a |";
    QTest::newRow("TRIMRIGHT") << "'|' + TRIMRIGHT('  a ')" << "|  a";
    QTest::newRow("VALIDDATE") << "VALIDDATE('31/02/2026')" << "False";
    QTest::newRow("VALIDFLOAT") << "VALIDFLOAT('12.5')" << "True";
    QTest::newRow("VALIDINT") << "VALIDINT('12.5')" << "False";
    QTest::newRow("WORDCOUNT") << "WORDCOUNT('  one  two three ')" << "3";
    QTest::newRow("WORDPOSITION") << "WORDPOSITION(2, 'ab  cd')" << "5";
}

void TestReportExpr::expressions()
{
    QFETCH(QString, expr);
    QFETCH(QString, expected);
    MapContext ctx;
    ctx.names.insert(QStringLiteral("QTY"), ReportValue::number(Decimal(3)));
    ctx.names.insert(QStringLiteral("RPTITLE"), ReportValue::text(QStringLiteral("ต้นทุน")));
    ctx.names.insert(QStringLiteral("FLAG"), ReportValue::text(QStringLiteral("Y")));
    ctx.fields.insert(QStringLiteral("costtable.total"), ReportValue::fromVariant(150.5));
    QCOMPARE(eval(expr, ctx), expected);
}

void TestReportExpr::errorsCarryPosition_data()
{
    QTest::addColumn<QString>("expr");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("words");
    QTest::newRow("unknown name") << "1 + Nothing" << 3 << 15 << "Unknown name";
    QTest::newRow("text plus number") << "'a' + 1" << 3 << 15 << "Cannot add";
    QTest::newRow("division by zero") << "10 / (2 - 2)" << 3 << 14 << "Division by zero";
    QTest::newRow("unclosed text") << "'abc" << 3 << 11 << "not closed";
    QTest::newRow("missing parenthesis") << "(1 + 2" << 3 << 17 << "\")\" expected";
    QTest::newRow("unknown function") << "NOSUCH(1)" << 3 << 11 << "Unknown function";
    QTest::newRow("wrong argument count") << "PADLEFT('a')" << 3 << 11 << "Wrong number of arguments";
    QTest::newRow("bad function argument") << "STRTOINT('x')" << 3 << 11 << "STRTOINT";
    QTest::newRow("comparing text and number") << "'1' = 1" << 3 << 15 << "Cannot compare";
}

void TestReportExpr::errorsCarryPosition()
{
    QFETCH(QString, expr);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, words);
    MapContext ctx;
    // The expression starts at line 3, column 11 of a file.
    try {
        ReportExpression::compile(expr, SourceMap::at(QStringLiteral("X.frf"), 3, 11)).evaluate(ctx);
        QFAIL("no error");
    } catch (const ReportError& e) {
        QCOMPARE(e.file(), QStringLiteral("X.frf"));
        QCOMPARE(e.line(), line);
        QCOMPARE(e.column(), column);
        QVERIFY2(e.text().contains(words), qPrintable(e.message()));
        QVERIFY(e.message().startsWith(QStringLiteral("X.frf:%1:%2: ").arg(line).arg(column)));
    }
}

void TestReportExpr::templateTexts()
{
    MapContext ctx;
    ctx.names.insert(QStringLiteral("AMOUNT"), ReportValue::number(Decimal::fromString("1234.5")));
    ctx.fields.insert(QStringLiteral("hd.no"), ReportValue::text(QStringLiteral("IM-0001")));
    const auto t = ReportTemplate::compile(QStringLiteral("เลขที่ [Hd.\"No\"] ยอด [Amount] [[บาท]"));
    QCOMPARE(t.evaluate(ctx, [](const ReportValue& v) { return formatReportValue(v, QStringLiteral("#,##0.00")); }),
             QStringLiteral("เลขที่ IM-0001 ยอด 1,234.50 [บาท]"));
    // An error in the second line of a continued text points at that file line.
    SourceMap src{QStringLiteral("T.frf"), {{10, 20}, {11, 7}}};
    try {
        ReportTemplate::compile(QStringLiteral("first [1]\nsecond [1 +]"), src);
        QFAIL("no error");
    } catch (const ReportError& e) {
        QCOMPARE(e.line(), 11);
        QCOMPARE(e.column(), 7 + 11);
    }
}

void TestReportExpr::userFunctionsAreCalledBack()
{
    MapContext ctx;
    QCOMPARE(eval(QStringLiteral("tell_real_thai(20 + 1, 2)"), ctx), QStringLiteral("ยี่สิบเอ็ดบาทถ้วน"));
    QCOMPARE(ctx.userCalls, QStringList{QStringLiteral("TELL_REAL_THAI:21,2")});
}

void TestReportExpr::swapExchangesVariables()
{
    MapContext ctx;
    ctx.names.insert(QStringLiteral("A"), ReportValue::text(QStringLiteral("1")));
    ctx.names.insert(QStringLiteral("B"), ReportValue::text(QStringLiteral("2")));
    eval(QStringLiteral("SWAP('A', 'B')"), ctx);
    QCOMPARE(eval(QStringLiteral("A + B"), ctx), QStringLiteral("21"));
}

void TestReportExpr::layoutErrorsCarryPosition_data()
{
    // Every value read from a layout is checked: the message names the band and the object.
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("says");
    const QString head = QStringLiteral("report page=A4\nband MasterData height=5\n");
    QTest::newRow("bad expression in text") << head + "  text x=0 y=0 w=10 h=5 : Total [1 + ]" << 3 << 38 << "Unexpected end";
    QTest::newRow("unknown setting") << head + "  text x=0 y=0 colour=red : a" << 3 << 16
                                     << "MasterData band, text object 1: Unknown setting \"colour\"";
    QTest::newRow("bad number") << head + "  line x=abc" << 3 << 8 << "MasterData band, line object 1: \"x\" needs a number";
    QTest::newRow("object before band") << QStringLiteral("report\n  text x=0 : a") << 2 << 3 << "must follow a band";
    QTest::newRow("bad group expression") << QStringLiteral("report\nband GroupHeader group=[A +] height=5") << 2 << 28 << "";
    QTest::newRow("bad variable") << QStringLiteral("report\nvariable X = 'a' +") << 2 << 19 << "";
    QTest::newRow("unknown paper") << QStringLiteral("report page=B99") << 1 << 8 << "Paper \"B99\"";
    QTest::newRow("paper beyond 3 m") << QStringLiteral("report page=1e9x1e9") << 1 << 8 << "(10 to 3000)";
    QTest::newRow("margins fill the page") << QStringLiteral("report page=A4 margins=100,150,100,150") << 1 << 1
                                           << "The margins leave no room";
    QTest::newRow("band too high") << QStringLiteral("report\nband MasterData height=99999") << 2 << 17
                                   << "MasterData band: \"height\" must be between 0 and 5000";
    QTest::newRow("font of a billion points") << head + "  text x=0 size=1e9 : a" << 3 << 12
                                              << "MasterData band, text object 1: \"size\" must be between 1 and 400";
    QTest::newRow("named object, nan") << head + "  text x=0 : a\n  text name=Total w=nan : b" << 4 << 19
                                       << "MasterData band, text \"Total\": \"w\" needs a number, not \"nan\"";
    QTest::newRow("negative width") << head + "  line w=-5" << 3 << 8 << "\"w\" must be between 0 and 5000";
    QTest::newRow("unknown line style") << head + "  line style=zigzag" << 3 << 8 << "A line style is solid, dash or dot";
    QTest::newRow("unknown bar code") << head + "  barcode symbology=bogus : 1" << 3 << 11 << "A bar code is code128";
}

void TestReportExpr::layoutErrorsCarryPosition()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, says);
    try {
        ReportLayout::parse(text, QStringLiteral("L.frf"));
        QFAIL("no error");
    } catch (const ReportError& e) {
        QCOMPARE(e.file(), QStringLiteral("L.frf"));
        QCOMPARE(e.line(), line);
        QCOMPARE(e.column(), column);
        QVERIFY2(e.text().contains(says), qPrintable(e.message()));
    }
}

void TestReportExpr::layoutRoundTrip()
{
    const QString text = QStringLiteral(
        "report title=\"ใบขน สินค้า\" page=A4 orientation=landscape margins=5,6,7,8 font=\"Noto Sans Thai\" size=9\n"
        "variable RPTITLE = 'รายงาน'\n"
        "dataset Lines sql : select * from ImDt\n"
        "  | where ImHd = :DocId\n"
        "dataset CostTable memory\n"
        "band GroupHeader group=[Lines.\"Duty No\"] height=6 newpage=before\n"
        "  text x=0 y=0 w=50 h=6 bold align=right,middle format=\"#,##0.00\" frame=left,bottom fill=#eeeeee : [Lines.\"Duty No\"]\n"
        "band MasterData dataset=Lines height=5 stretch\n"
        "  text x=0 y=0 w=50 h=5 stretch : [Lines.\"Name\"]\n"
        "    | second line\n"
        "  roundrect x=1 y=1 w=5 h=3 radius=1.5\n"
        "  shape x=1 y=1 w=5 h=3 shape=diamond\n"
        "  barcode x=10 y=0 w=30 h=10 symbology=qrcode showtext=no : [Lines.\"Code\"]\n"
        "  checkbox x=50 y=0 w=4 h=4 : [Lines.\"Clear\"] = 'Y'\n");
    const ReportLayout a = ReportLayout::parse(text, QStringLiteral("A.frf"));
    QCOMPARE(a.pageSize(), QSizeF(297, 210));
    QCOMPARE(a.dataSets.value(0).sql, QStringLiteral("select * from ImDt\nwhere ImHd = :DocId"));
    const ReportLayout b = ReportLayout::parse(a.toText(), QStringLiteral("B.frf"));
    QCOMPARE(b.toText(), a.toText());
    QCOMPARE(b.title, a.title);
    QCOMPARE(b.margins, a.margins);
    QCOMPARE(b.bands.size(), 2);
    QCOMPARE(b.bands[0].groupText, QStringLiteral("[Lines.\"Duty No\"]"));
    QVERIFY(b.bands[0].newPageBefore);
    const ReportObject& t = b.bands[0].objects[0];
    QCOMPARE(t.align, Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(t.format, QStringLiteral("#,##0.00"));
    QCOMPARE(t.frame, int(ReportObject::Left | ReportObject::Bottom));
    QCOMPARE(b.bands[1].objects[0].content, QStringLiteral("[Lines.\"Name\"]\nsecond line"));
    QCOMPARE(b.bands[1].objects[3].symbology, QStringLiteral("qrcode"));
    QVERIFY(!b.bands[1].objects[3].showText);
}

void TestReportExpr::layoutFileEncodings()
{
    const QString thai = QStringLiteral("รายงานต้นทุน ๑๒ ฿");
    QCOMPARE(decodeLayoutText(thai.toUtf8()), thai);
    QCOMPARE(decodeLayoutText(QByteArray("\xEF\xBB\xBFreport")), QStringLiteral("report"));  // a byte-order mark is dropped
    // The same text in code page 874: Thai letters 0xA1.. map to U+0E01..
    QByteArray cp874;
    for (QChar c : thai) cp874 += c.unicode() >= 0x0E01 ? char(c.unicode() - 0x0D60) : char(c.unicode());
    QCOMPARE(decodeLayoutText(cp874), thai);
    QCOMPARE(decodeLayoutText(QByteArray("\x93ok\x94 \x80")), QStringLiteral("\u201Cok\u201D \u20AC"));
}

QTEST_GUILESS_MAIN(TestReportExpr)
#include "tst_reportexpr.moc"
