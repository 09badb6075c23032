// Bad input for the report engine, generated from good input: the layouts of reports/ with
// lines and values changed, expressions with hostile arguments, number masks, and prepared
// reports with damaged bytes. Each case must either work or fail with NkError; none may
// crash, hang or exhaust memory. The mutations are deterministic (NK_FUZZ_SEED, default 1);
// NK_FUZZ_ITERATIONS multiplies the rounds (the sanitizer run of the suite sets it high).
#include "data/NumberFormat.h"
#include "data/ServerProcs.h"
#include "print/ReportFunctions.h"
#include "report/ReportExport.h"
#include "report/ReportPrepare.h"
#include "report/ReportRenderer.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

int rounds(int base)
{
    const int factor = qEnvironmentVariableIntValue("NK_FUZZ_ITERATIONS");
    return base * std::max(1, factor);
}

// Values that have broken engines before: limits of the number types, huge counts and
// widths, characters outside Unicode, dates far away.
const QStringList& hostileValues()
{
    static const QStringList v{
        QStringLiteral("-1"), QStringLiteral("0"), QStringLiteral("2000000000"), QStringLiteral("-2147483648"),
        QStringLiteral("99999999999999999999"), QStringLiteral("1e30"), QStringLiteral("nan"), QStringLiteral("inf"),
        QStringLiteral("1e308"), QStringLiteral("0.000000000000000000001"), QStringLiteral("''"),
        QStringLiteral("'เครื่อง'"), QStringLiteral("170141183460469231731687303715884105727"),
        QStringLiteral("(0-170141183460469231731687303715884105727-1)"), QStringLiteral("REPLICATE('abcdefgh', 2000000000)"),
        QStringLiteral("REPLICATE('ab', 400000)"), QStringLiteral("'0.' + REPLICATE('0', 60)"), QStringLiteral("DATE()"),
        QStringLiteral("CREATEDATE('31/12/9999')"), QStringLiteral("TOTALPAGES"), QStringLiteral("PAGE#")};
    return v;
}

const QStringList& functionNames()
{
    static const QStringList f{
        QStringLiteral("CHR"), QStringLiteral("REPLICATE"), QStringLiteral("PADLEFT"), QStringLiteral("PADRIGHT"),
        QStringLiteral("PADCENTER"), QStringLiteral("FORMATFLOAT"), QStringLiteral("ROUND"), QStringLiteral("COPY"),
        QStringLiteral("LEFTCOPY"), QStringLiteral("RIGHTCOPY"), QStringLiteral("DELETE"), QStringLiteral("INSERT"),
        QStringLiteral("NPOS"), QStringLiteral("REPLACESTR"), QStringLiteral("INCDAY"), QStringLiteral("INCMONTH"),
        QStringLiteral("INCYEAR"), QStringLiteral("INCDATE"), QStringLiteral("INCTIME"), QStringLiteral("DAYSPERMONTH"),
        QStringLiteral("EXTRACTWORD"), QStringLiteral("WORDPOSITION"), QStringLiteral("STRTOINT"), QStringLiteral("INT"),
        QStringLiteral("FRAC"), QStringLiteral("ABS"), QStringLiteral("STR"), QStringLiteral("FORMATDATETIME"),
        QStringLiteral("TELL_REAL_THAI"), QStringLiteral("TELL_REAL_ENG"), QStringLiteral("CREATENUM"), QStringLiteral("MAXNUM")};
    return f;
}

// Settings and fragments a layout line may gain.
const QStringList& layoutFragments()
{
    static const QStringList f{
        QStringLiteral(" size=1e9"), QStringLiteral(" size=0"), QStringLiteral(" w=-5"), QStringLiteral(" h=1e300"),
        QStringLiteral(" x=nan"), QStringLiteral(" height=0"), QStringLiteral(" height=400"), QStringLiteral(" stretch"),
        QStringLiteral(" style=zigzag"), QStringLiteral(" symbology=bogus"), QStringLiteral(" framewidth=1e9"),
        QStringLiteral(" padding=40"), QStringLiteral(" newpage=before"), QStringLiteral(" newpage=after"),
        QStringLiteral(" page=1e9x1e9"), QStringLiteral(" page=5x5"), QStringLiteral(" margins=140,140,140,140"),
        QStringLiteral(" repeat"), QStringLiteral(" wrap=no"), QStringLiteral(" format=\"0.0000000000000000000000000000000000000000000\""),
        QStringLiteral(" format=\",.00;(#);-\""), QStringLiteral(" group=[LINE#]"), QStringLiteral(" : [[[["),
        QStringLiteral(" : ((((((((((((((((((((((((((((((((((((("), QStringLiteral(" : [SUM(SUM(1))]")};
    return f;
}

class Mutator {
public:
    explicit Mutator(quint32 seed) : m_rng(seed) {}
    int below(int n) { return n <= 0 ? 0 : int(m_rng.bounded(quint32(n))); }
    template <class T>
    const T& pick(const QList<T>& list) { return list[below(int(list.size()))]; }

    QString expression(int depth = 0)
    {
        switch (below(depth > 3 ? 2 : 5)) {
        case 0:
            return pick(hostileValues());
        case 1:
            return QString::number(m_rng.generateDouble() * 1e6 - 5e5, 'g', 1 + below(17));
        case 2: {
            // Mostly the number of arguments the function takes, sometimes not.
            const QString name = pick(functionNames());
            const auto* fn = ReportFunctionRegistry::instance().find(name);
            const int least = fn ? fn->minArgs : 2;
            const int most = fn ? (fn->maxArgs < 0 ? least + 2 : fn->maxArgs) : 2;
            const int n = below(10) == 0 ? below(5) : least + below(most - least + 1);
            QStringList args;
            for (int i = 0; i < n; ++i) args << expression(depth + 1);
            return name + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        case 3: {
            static const QStringList ops{QStringLiteral(" + "), QStringLiteral(" - "), QStringLiteral(" * "), QStringLiteral(" / "),
                                         QStringLiteral(" mod "), QStringLiteral(" div "), QStringLiteral(" = "), QStringLiteral(" < ")};
            return QLatin1Char('(') + expression(depth + 1) + pick(ops) + expression(depth + 1) + QLatin1Char(')');
        }
        default:
            return QStringLiteral("-") + expression(depth + 1);
        }
    }

    QString layout(const QString& seed)
    {
        QStringList lines = seed.split(QLatin1Char('\n'));
        const int changes = 1 + below(3);
        for (int c = 0; c < changes && !lines.isEmpty(); ++c) {
            const int at = below(int(lines.size()));
            switch (below(7)) {
            case 0:
                lines[at] += pick(layoutFragments());
                break;
            case 1:
                lines.insert(at, lines[below(int(lines.size()))]);
                break;
            case 2:
                lines.removeAt(at);
                break;
            case 3: {  // a number of the line becomes a hostile one
                static const QRegularExpression number(QStringLiteral("=-?[0-9.]+"));
                QRegularExpressionMatch m = number.match(lines[at], below(int(lines[at].size()) + 1));
                if (m.hasMatch()) lines[at].replace(m.capturedStart(), m.capturedLength(), QLatin1Char('=') + pick(hostileValues()));
                break;
            }
            case 4: {  // an expression of the line is replaced
                const int open = int(lines[at].indexOf(QLatin1Char('[')));
                const int close = int(lines[at].indexOf(QLatin1Char(']'), open + 1));
                if (open >= 0 && close > open) lines[at].replace(open + 1, close - open - 1, expression());
                else lines[at] += QStringLiteral(" [") + expression() + QLatin1Char(']');
                break;
            }
            case 5:
                if (!lines[at].isEmpty()) lines[at][below(int(lines[at].size()))] = QChar(char16_t(below(0x0E80)));
                break;
            default:
                lines.insert(at, QStringLiteral("variable V%1 = ").arg(below(5)) + expression());
                break;
            }
        }
        return lines.join(QLatin1Char('\n'));
    }

    QString mask()
    {
        static const QString alphabet = QStringLiteral("#0,.;'\"-%E e");
        QString m;
        const int n = below(12) == 0 ? 200 + below(200) : below(16);
        for (int i = 0; i < n; ++i) m += alphabet[below(int(alphabet.size()))];
        return m;
    }

    double number()
    {
        static const double special[] = {0.0, -0.0, 1e308, -1e308, 5e-324, 1.7976931348623157e308,
                                         std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN(),
                                         1e15 + 0.5, 9.999999999999999e22};
        if (below(3) == 0) return special[below(int(std::size(special)))];
        return (m_rng.generateDouble() - 0.5) * std::pow(10.0, below(40) - 10);
    }

    QByteArray damage(QByteArray bytes)
    {
        const int changes = 1 + below(6);
        for (int c = 0; c < changes && !bytes.isEmpty(); ++c) {
            const int at = below(int(bytes.size()));
            switch (below(4)) {
            case 0:
                bytes[at] = char(below(256));
                break;
            case 1: {  // a count or length becomes huge or negative
                static const quint32 values[] = {0x7fffffff, 0xffffffff, 0x80000000, 0x00100000, 7};
                const quint32 v = values[below(int(std::size(values)))];
                for (int k = 0; k < 4 && at + k < bytes.size(); ++k) bytes[at + k] = char(v >> (24 - 8 * k));
                break;
            }
            case 2:
                bytes.truncate(at);
                break;
            default:
                bytes.insert(at, bytes.mid(below(int(bytes.size())), below(64)));
                break;
            }
        }
        return bytes;
    }

private:
    QRandomGenerator m_rng;
};

// The demo company's document each layout of reports/ prints.
void setDocument(ReportEnvironment& env, const QString& layout)
{
    const QString year = QString::number(QDate::currentDate().year());
    const QHash<QString, QString> docs{{QStringLiteral("Form_Import.frf"), QStringLiteral("IM%1-00001").arg(year)},
                                      {QStringLiteral("Form_FrPo.frf"), QStringLiteral("FP%1-00001").arg(year)},
                                      {QStringLiteral("Form_MrS.frf"), QStringLiteral("    MS0001")},
                                      {QStringLiteral("Form_PcS.frf"), QStringLiteral("CS%1-00001").arg(year)},
                                      {QStringLiteral("Form_GLAuto.frf"), QStringLiteral("IM%1-00001").arg(year)}};
    env.variables.insert(QStringLiteral("DOCNO"), ReportExpression::compile(QLatin1Char('\'') + docs.value(layout) + QLatin1Char('\'')));
    env.variables.insert(QStringLiteral("DOCYEAR"), ReportExpression::compile(year));
    env.variables.insert(QStringLiteral("PRINTCODE"), ReportExpression::compile(QStringLiteral("'IMPORT'")));
}

quint32 seed() { return quint32(std::max(1, qEnvironmentVariableIntValue("NK_FUZZ_SEED"))); }

class PlainContext : public EvalContext {
public:
    bool lookupName(const QString&, ReportValue* out) override
    {
        *out = ReportValue::number(Decimal(7));
        return true;
    }
    bool lookupField(const QString&, const QString&, ReportValue*) override { return false; }
    bool callUserFunction(const QString& name, const QList<ReportValue>& args, ReportValue* out) override
    {
        QVariantList values;
        for (const ReportValue& a : args) values << a.toVariant();
        QVariant result;
        if (!callReportUserFunction(name, values, result)) return false;
        *out = ReportValue::fromVariant(result);
        return true;
    }
};

}  // namespace

class TestReportFuzz : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void hostileFunctionArguments_data();
    void hostileFunctionArguments();
    void generatedExpressions();
    void numberMasks();
    void mutatedLayouts();
    void damagedPreparedReports();

private:
    std::unique_ptr<TestEnv> m_env;
    QList<QPair<QString, QString>> m_layouts;  // file name, text
};

void TestReportFuzz::initTestCase()
{
    m_env = std::make_unique<TestEnv>();
    // The ledger voucher of the first import document, for the voucher layout.
    const int id = m_env->scalar(QStringLiteral("select ID from ImHd where ImNo = :n"),
                                 {{QStringLiteral("n"), QStringLiteral("IM%1-00001").arg(QDate::currentDate().year())}})
                       .toInt();
    ServerProcs::GenerateGL(m_env->company(), QStringLiteral("GL_ImHd"), id, 1);
    const QDir dir(QStringLiteral(NK_SOURCE_DIR "/reports"));
    for (const QString& f : dir.entryList({QStringLiteral("*.frf")})) {
        QFile file(dir.filePath(f));
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_layouts.append({f, decodeLayoutText(file.readAll())});
    }
    QVERIFY(m_layouts.size() >= 5);
}

void TestReportFuzz::cleanupTestCase() { m_env.reset(); }

void TestReportFuzz::hostileFunctionArguments_data()
{
    // Each refused with a message naming the function, never a crash, a stall or gigabytes.
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("message");
    QTest::newRow("CHR(-1)") << "CHR(-1)" << "CHR: A character code -1 is outside 0 to 1114111";
    QTest::newRow("CHR(surrogate)") << "CHR(55296)" << "CHR: 55296 is not a character code";
    QTest::newRow("REPLICATE huge") << "REPLICATE('abcdefgh', 2000000000)" << "REPLICATE: A text of 16000000000 characters";
    QTest::newRow("PADLEFT huge") << "PADLEFT('x', 2000000000)" << "PADLEFT: A text of 2000000000 characters";
    QTest::newRow("PADCENTER huge") << "PADCENTER('x', 99999999999)" << "PADCENTER: A text of 2147483647 characters";
    QTest::newRow("REPLACESTR growing") << "REPLACESTR(REPLICATE('a', 100000), 'a', REPLICATE('b', 100))"
                                        << "REPLACESTR: A text of 10000000 characters";
    QTest::newRow("joined texts") << "REPLICATE('a', 600000) + REPLICATE('b', 600000)" << "A text of 1200000 characters";
    QTest::newRow("negated smallest") << "-(0 - 170141183460469231731687303715884105727 - 1)" << "Number too large";
    QTest::newRow("mask of 60 places") << "FORMATFLOAT('0.' + REPLICATE('0', 60), 1) = '1.' + REPLICATE('0', 60)" << "";
    QTest::newRow("day far away") << "INCDAY(DATE(), 2000000000)" << "INCDAY: A number of days 2000000000 is outside";
    QTest::newRow("date plus huge") << "DATE() + 99999999999" << "Cannot move a date by 99999999999 days";
    QTest::newRow("NPOS of nothing") << "NPOS('', 'abc', 2000000000) = 0" << "";
    QTest::newRow("nested too deep") << QString(300, QLatin1Char('(')) + QLatin1Char('1') + QString(300, QLatin1Char(')'))
                                     << "Expression nested too deeply";
    QTest::newRow("long sum chain") << QStringLiteral("1") + QStringLiteral(" + 1").repeated(400) << "Expression nested too deeply";
    QTest::newRow("cut keeps the cluster") << "LEFTCOPY('สี่', 2) = ''" << "";
}

void TestReportFuzz::hostileFunctionArguments()
{
    QFETCH(QString, expression);
    QFETCH(QString, message);
    PlainContext ctx;
    try {
        const ReportValue v = ReportExpression::compile(expression).evaluate(ctx);
        QVERIFY2(message.isEmpty(), qPrintable(QStringLiteral("no error: ") + v.toText().left(80)));
        QCOMPARE(v.toText(), QStringLiteral("True"));
    } catch (const NkError& e) {
        QVERIFY2(!message.isEmpty() && e.message().contains(message), qPrintable(e.message()));
    }
}

void TestReportFuzz::generatedExpressions()
{
    Mutator m(seed());
    PlainContext ctx;
    int evaluated = 0;
    for (int i = 0; i < rounds(400); ++i) {
        const QString text = m.expression();
        try {
            const ReportValue v = ReportExpression::compile(text).evaluate(ctx);
            QVERIFY(v.toText().size() <= ReportLimits::MaxText);
            ++evaluated;
        } catch (const NkError&) {
        }
    }
    QVERIFY(evaluated > 0);
}

void TestReportFuzz::numberMasks()
{
    Mutator m(seed());
    for (int i = 0; i < rounds(2000); ++i) {
        const QString mask = m.mask();
        const double value = m.number();
        const QString a = FormatFloat(mask, value);
        QVERIFY(a.size() <= mask.size() + 500);  // 309 digits of 1e308 with their commas
        try {
            QVERIFY(formatDecimal(Decimal::fromDouble(value), mask).size() <= mask.size() + 500);
        } catch (const NkError&) {
        }
    }
}

void TestReportFuzz::mutatedLayouts()
{
    Mutator m(seed());
    int prepared = 0, refused = 0;
    for (int i = 0; i < rounds(120); ++i) {
        const auto& seedLayout = m_layouts[i % m_layouts.size()];
        const QString text = m.layout(seedLayout.second);
        try {
            const ReportLayout layout = ReportLayout::parse(text, seedLayout.first);
            ReportEnvironment env;
            env.database = m_env->company();
            env.userFunction = callReportUserFunction;
            env.maxPages = 40;
            setDocument(env, seedLayout.first);
            auto cost = std::make_shared<MemoryDataSet>(
                QStringList{"Code", "ThaiName", "Quantity", "Price", "Total", "Baht", "Duty", "Expense", "TotalCost", "Cost"});
            for (int r = 0; r < 1 + i % 25; ++r)
                cost->appendRow({QStringLiteral("P%1").arg(r), QStringLiteral("ผ้าไหมไทยทอมือ"), r, 2.5, r * 2.5, r * 90.0, 3.0, 1.25, r * 94.25, 37.7});
            env.dataSets.insert(QStringLiteral("costtable"), cost);
            const PreparedReport report = prepareReport(layout, env);
            QVERIFY(!report.pages.isEmpty() && report.pages.size() <= 40);
            QVERIFY(!ReportRenderer::toImage(report.pages.first(), 12).isNull());
            ReportExport::csvText(report);
            QCOMPARE(PreparedReport::fromBytes(report.toBytes(), seedLayout.first).pages.size(), report.pages.size());
            ++prepared;
        } catch (const ReportError& e) {
            QVERIFY2(e.file() == seedLayout.first || e.file().isEmpty() || e.file().startsWith(QLatin1String("variable")),
                     qPrintable(e.message()));
            ++refused;
        } catch (const NkError&) {
            ++refused;
        }
    }
    // Both sides were reached: a driver that only produces garbage tests nothing.
    QVERIFY2(prepared > 0 && refused > 0, qPrintable(QStringLiteral("%1 prepared, %2 refused").arg(prepared).arg(refused)));
}

void TestReportFuzz::damagedPreparedReports()
{
    ReportEnvironment env;
    env.database = m_env->company();
    env.userFunction = callReportUserFunction;
    setDocument(env, QStringLiteral("Form_Import.frf"));
    const auto& import = *std::find_if(m_layouts.begin(), m_layouts.end(), [](const auto& l) { return l.first == QLatin1String("Form_Import.frf"); });
    const QByteArray good = prepareReport(ReportLayout::parse(import.second, import.first), env).toBytes();
    QCOMPARE(PreparedReport::fromBytes(good, QStringLiteral("good.nkp")).pages.size(), 1);
    Mutator m(seed());
    int loaded = 0, refused = 0;
    // Damaged font descriptions make Qt warn on every item; the outcome is what counts here.
    struct Quiet {
        QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        ~Quiet() { qInstallMessageHandler(previous); }
    } quiet;
    for (int i = 0; i < rounds(300); ++i) {
        try {
            const PreparedReport r = PreparedReport::fromBytes(m.damage(good), QStringLiteral("damaged.nkp"));
            for (const ReportPage& p : r.pages) QVERIFY(!ReportRenderer::toImage(p, 10).isNull());
            ++loaded;
        } catch (const NkError& e) {
            QVERIFY2(e.message().startsWith(QLatin1String("damaged.nkp")), qPrintable(e.message()));
            ++refused;
        }
    }
    QVERIFY2(loaded > 0 && refused > 0, qPrintable(QStringLiteral("%1 loaded, %2 refused").arg(loaded).arg(refused)));
}

QTEST_MAIN(TestReportFuzz)
#include "tst_reportfuzz.moc"
