#include "report/ReportExpr.h"

#include "report/ReportLimits.h"

#include <QHash>

// ---------------------------------------------------------------------------------------
// Positions and errors

void SourceMap::locate(const QString& text, int offset, int* line, int* column) const
{
    int lineIndex = 0, lineStart = 0;
    for (int i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\n')) {
            ++lineIndex;
            lineStart = i + 1;
        }
    }
    origin(lineIndex, offset - lineStart, line, column);
}

void SourceMap::origin(int lineIndex, int offsetInLine, int* line, int* column) const
{
    Origin o = lines.isEmpty() ? Origin() : lines.value(lineIndex, lines.last());
    if (lineIndex >= lines.size() && !lines.isEmpty()) o.line = lines.last().line + (lineIndex - lines.size() + 1);
    *line = o.line;
    *column = o.column + offsetInLine;
}

void checkReportTextLength(qint64 length)
{
    if (length > ReportLimits::MaxText)
        throw NkError(QStringLiteral("A text of %1 characters is longer than the %2 a report allows")
                          .arg(length)
                          .arg(ReportLimits::MaxText));
}

ReportError::ReportError(const QString& file, int line, int column, const QString& text)
    : NkError(QStringLiteral("%1:%2:%3: %4").arg(file.isEmpty() ? QStringLiteral("<expression>") : file)
                  .arg(line)
                  .arg(column)
                  .arg(text)),
      m_file(file),
      m_line(line),
      m_column(column),
      m_text(text)
{
}

void ExprNode::fail(const QString& text) const { throw ReportError(file, line, column, text); }

ReportValue EvalContext::aggregateValue(const AggregateNode* node)
{
    node->fail(QStringLiteral("Totals can only be used in a report band"));
}

bool EvalContext::callUserFunction(const QString&, const QList<ReportValue>&, ReportValue*) { return false; }

ReportValue EvalContext::sqlScalar(const QString&, const QList<ReportValue>&)
{
    throw NkError(QStringLiteral("SQL is not available here"));
}

bool EvalContext::setVariableValue(const QString&, const ReportValue&) { return false; }

ReportFunctionRegistry::Entry const* ReportFunctionRegistry::find(const QString& upperName) const
{
    auto it = m_functions.constFind(upperName);
    return it == m_functions.constEnd() ? nullptr : &it.value();
}

void ReportFunctionRegistry::add(const QString& name, int minArgs, int maxArgs, Function fn)
{
    m_functions.insert(name.toUpper(), Entry{std::move(fn), minArgs, maxArgs});
}

QStringList ReportFunctionRegistry::names() const
{
    QStringList n = m_functions.keys();
    n.sort();
    return n;
}

void registerStandardReportFunctions(ReportFunctionRegistry& r);  // ReportStdFunctions.cpp

ReportFunctionRegistry::ReportFunctionRegistry() { registerStandardReportFunctions(*this); }

ReportFunctionRegistry& ReportFunctionRegistry::instance()
{
    static ReportFunctionRegistry registry;
    return registry;
}

// ---------------------------------------------------------------------------------------
// Nodes

namespace {

class LiteralNode : public ExprNode {
public:
    ReportValue value;
    ReportValue eval(EvalContext&) const override { return value; }
};

class NameNode : public ExprNode {
public:
    QString dataSet;  // empty: plain name
    QString name;
    ReportValue eval(EvalContext& ctx) const override
    {
        ReportValue v;
        if (dataSet.isEmpty()) {
            if (!ctx.lookupName(name, &v)) fail(QStringLiteral("Unknown name \"%1\"").arg(name));
        } else if (!ctx.lookupField(dataSet, name, &v)) {
            fail(QStringLiteral("Unknown field %1.\"%2\"").arg(dataSet, name));
        }
        return v;
    }
    void collectNames(QStringList& out) const override
    {
        out.append(dataSet.isEmpty() ? name : dataSet + QLatin1Char('.') + name);
    }
};

class UnaryNode : public ExprNode {
public:
    enum class Op { Neg, Not } op = Op::Neg;
    ExprPtr operand;
    ReportValue eval(EvalContext& ctx) const override
    {
        ReportValue v = operand->eval(ctx);
        if (op == Op::Not) {
            bool b;
            if (!v.toBool(&b)) fail(QStringLiteral("\"not\" needs a truth value, not %1").arg(v.typeName()));
            return ReportValue::boolean(!b);
        }
        if (v.isNull()) return v;
        if (!v.isNumber()) fail(QStringLiteral("\"-\" needs a number, not %1").arg(v.typeName()));
        return ReportValue::number(-v.n);
    }
    void collectAggregates(QList<const AggregateNode*>& out) const override { operand->collectAggregates(out); }
    void collectNames(QStringList& out) const override { operand->collectNames(out); }
};

class BinaryNode : public ExprNode {
public:
    enum class Op { Add, Sub, Mul, Div, IntDiv, Mod, Eq, Ne, Lt, Gt, Le, Ge, And, Or } op = Op::Add;
    QString opText;
    ExprPtr left, right;

    ReportValue eval(EvalContext& ctx) const override
    {
        if (op == Op::And || op == Op::Or) {
            bool a = truth(left->eval(ctx));
            if (op == Op::And && !a) return ReportValue::boolean(false);
            if (op == Op::Or && a) return ReportValue::boolean(true);
            return ReportValue::boolean(truth(right->eval(ctx)));
        }
        ReportValue a = left->eval(ctx);
        ReportValue b = right->eval(ctx);
        try {
            switch (op) {
            case Op::Add:
                return add(a, b);
            case Op::Sub:
                return subtract(a, b);
            case Op::Mul:
                return ReportValue::number(num(a) * num(b));
            case Op::Div:
                return ReportValue::number(num(a) / num(b));
            case Op::IntDiv:
                return ReportValue::number((num(a).trunc() / num(b).trunc()).trunc());
            case Op::Mod: {
                Decimal x = num(a).trunc(), y = num(b).trunc();
                return ReportValue::number(x - (x / y).trunc() * y);
            }
            default:
                return ReportValue::boolean(compareResult(compare(a, b)));
            }
        } catch (const ReportError&) {
            throw;
        } catch (const NkError& e) {
            fail(e.message());
        }
    }
    void collectAggregates(QList<const AggregateNode*>& out) const override
    {
        left->collectAggregates(out);
        right->collectAggregates(out);
    }
    void collectNames(QStringList& out) const override
    {
        left->collectNames(out);
        right->collectNames(out);
    }

private:
    qint64 days(const Decimal& n) const
    {
        const long long d = n.toLongLong();
        if (d < -ReportLimits::MaxDays || d > ReportLimits::MaxDays)
            fail(QStringLiteral("Cannot move a date by %1 days").arg(n.toString()));
        return d;
    }
    bool truth(const ReportValue& v) const
    {
        bool b;
        if (!v.toBool(&b)) fail(QStringLiteral("\"%1\" needs truth values, not %2").arg(opText, v.typeName()));
        return b;
    }
    Decimal num(const ReportValue& v) const
    {
        if (v.isNumber()) return v.n;
        if (v.isNull()) return Decimal();
        fail(QStringLiteral("\"%1\" needs numbers, not %2").arg(opText, v.typeName()));
    }
    ReportValue add(const ReportValue& a, const ReportValue& b) const
    {
        if (a.isNull() && b.isNull()) return a;
        if ((a.isText() || a.isNull()) && (b.isText() || b.isNull())) {
            checkReportTextLength(qint64(a.s.size()) + b.s.size());
            return ReportValue::text(a.s + b.s);
        }
        if (a.isDate() && (b.isNumber() || b.isNull())) return ReportValue::date(a.d.addDays(days(num(b))));
        if (a.isText() || b.isText())
            fail(QStringLiteral("Cannot add %1 and %2; use STR() to turn a number into text")
                     .arg(a.typeName(), b.typeName()));
        return ReportValue::number(num(a) + num(b));
    }
    ReportValue subtract(const ReportValue& a, const ReportValue& b) const
    {
        if (a.isDate() && b.isDate()) return ReportValue::number(Decimal((long long)b.d.date().daysTo(a.d.date())));
        if (a.isDate()) return ReportValue::date(a.d.addDays(-days(num(b))));
        return ReportValue::number(num(a) - num(b));
    }
    int compare(const ReportValue& a, const ReportValue& b) const
    {
        using T = ReportValue::Type;
        T ta = a.type, tb = b.type;
        if (ta == T::Null && tb == T::Null) return 0;
        if (ta == T::Null) ta = tb;
        if (tb == T::Null) tb = ta;
        if (ta != tb) fail(QStringLiteral("Cannot compare %1 with %2").arg(a.typeName(), b.typeName()));
        switch (ta) {
        case T::Number:
            return num(a).compare(num(b));
        case T::Text:
            return QString::compare(a.s, b.s);
        case T::Bool:
            return int(a.b) - int(b.b);
        case T::Date: {
            QDateTime x = a.isNull() ? QDateTime() : a.d, y = b.isNull() ? QDateTime() : b.d;
            return x < y ? -1 : (y < x ? 1 : 0);
        }
        default:
            return 0;
        }
    }
    bool compareResult(int c) const
    {
        switch (op) {
        case Op::Eq:
            return c == 0;
        case Op::Ne:
            return c != 0;
        case Op::Lt:
            return c < 0;
        case Op::Gt:
            return c > 0;
        case Op::Le:
            return c <= 0;
        case Op::Ge:
            return c >= 0;
        default:
            return false;
        }
    }
};

class CallNode : public ExprNode {
public:
    QString name;  // upper case
    QList<ExprPtr> args;

    ReportValue eval(EvalContext& ctx) const override
    {
        if (name == QLatin1String("IF") || name == QLatin1String("IIF")) {
            ReportValue c = args[0]->eval(ctx);
            bool b;
            if (!c.toBool(&b)) fail(QStringLiteral("IF needs a truth value, not %1").arg(c.typeName()));
            return args[b ? 1 : 2]->eval(ctx);
        }
        QList<ReportValue> values;
        values.reserve(args.size());
        for (const ExprPtr& a : args) values.append(a->eval(ctx));
        try {
            if (const auto* fn = ReportFunctionRegistry::instance().find(name)) return fn->fn(ctx, values);
            ReportValue out;
            if (ctx.callUserFunction(name, values, &out)) return out;
        } catch (const ReportError&) {
            throw;
        } catch (const NkError& e) {
            fail(QStringLiteral("%1: %2").arg(name, e.message()));
        }
        fail(QStringLiteral("Unknown function %1").arg(name));
    }
    void collectAggregates(QList<const AggregateNode*>& out) const override
    {
        for (const ExprPtr& a : args) a->collectAggregates(out);
    }
    void collectNames(QStringList& out) const override
    {
        for (const ExprPtr& a : args) a->collectNames(out);
    }
};

// ---------------------------------------------------------------------------------------
// Lexer and parser

struct Token {
    enum class Kind { End, Number, String, QuotedName, Ident, Op } kind = Kind::End;
    QString text;
    int pos = 0;
};

bool isIdentStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isIdentPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#') || c.isMark(); }

class Parser {
public:
    // `lineIndex` and `offsetInLine`: where the expression starts in the text `src` describes.
    Parser(const QString& expr, const SourceMap& src, int lineIndex, int offsetInLine)
        : m_expr(expr), m_src(src), m_lineIndex(lineIndex), m_offsetInLine(offsetInLine)
    {
        for (int i = 0; i < m_expr.size(); ++i)
            if (m_expr[i] == QLatin1Char('\n')) m_lineStarts.append(i + 1);
        tokenize();
    }

    ExprPtr parseAll()
    {
        if (peek().kind == Token::Kind::End) error(peek().pos, QStringLiteral("Empty expression"));
        ExprPtr e = parseOr();
        if (peek().kind != Token::Kind::End) error(peek().pos, QStringLiteral("Unexpected \"%1\"").arg(peek().text));
        return e;
    }

private:
    void locate(int pos, int* line, int* column) const
    {
        // Lines of the expression after its first start on their own lines of the text.
        const int k = int(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos) - m_lineStarts.begin());
        if (k == 0)
            m_src.origin(m_lineIndex, m_offsetInLine + pos, line, column);
        else
            m_src.origin(m_lineIndex + k, pos - m_lineStarts[k - 1], line, column);
    }

    [[noreturn]] void error(int pos, const QString& text) const
    {
        int line, col;
        locate(pos, &line, &col);
        throw ReportError(m_src.file, line, col, text);
    }

    template <class N>
    std::shared_ptr<N> node(int pos, std::initializer_list<const ExprPtr*> children = {}) const
    {
        auto n = std::make_shared<N>();
        n->file = m_src.file;
        locate(pos, &n->line, &n->column);
        for (const ExprPtr* c : children)
            if (*c) n->depth = std::max(n->depth, (*c)->depth + 1);
        // Evaluating and freeing a tree recurse once per level: deep trees are refused.
        if (n->depth > ReportLimits::MaxNesting) error(pos, QStringLiteral("Expression nested too deeply"));
        return n;
    }

    // Counts the parser's own recursion (parentheses, calls, signs) for the same reason.
    struct Nesting {
        Nesting(Parser* p, int pos) : m_p(p)
        {
            if (++m_p->m_nesting > ReportLimits::MaxNesting) m_p->error(pos, QStringLiteral("Expression nested too deeply"));
        }
        ~Nesting() { --m_p->m_nesting; }
        Parser* m_p;
    };

    void tokenize()
    {
        const QString& s = m_expr;
        int i = 0;
        while (i < s.size()) {
            QChar c = s[i];
            if (c.isSpace()) {
                ++i;
                continue;
            }
            Token t;
            t.pos = i;
            if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < s.size() && s[i + 1].isDigit())) {
                int j = i;
                while (j < s.size() && (s[j].isDigit() || s[j] == QLatin1Char('.'))) ++j;
                t.kind = Token::Kind::Number;
                t.text = s.mid(i, j - i);
                i = j;
            } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                QString text;
                int j = i + 1;
                bool closed = false;
                while (j < s.size()) {
                    if (s[j] == c) {
                        if (j + 1 < s.size() && s[j + 1] == c) {
                            text += c;
                            j += 2;
                            continue;
                        }
                        closed = true;
                        ++j;
                        break;
                    }
                    text += s[j++];
                }
                if (!closed) error(i, QStringLiteral("Text not closed"));
                t.kind = c == QLatin1Char('\'') ? Token::Kind::String : Token::Kind::QuotedName;
                t.text = text;
                i = j;
            } else if (isIdentStart(c)) {
                int j = i;
                while (j < s.size() && isIdentPart(s[j])) ++j;
                t.kind = Token::Kind::Ident;
                t.text = s.mid(i, j - i);
                i = j;
            } else {
                static const char* const twoChar[] = {"<>", "<=", ">=", "!="};
                t.kind = Token::Kind::Op;
                t.text = QString(c);
                for (const char* op : twoChar) {
                    if (s.mid(i, 2) == QLatin1String(op)) t.text = QLatin1String(op);
                }
                if (!QStringLiteral("+-*/=<>()[],.<>!=").contains(c)) error(i, QStringLiteral("Unexpected character \"%1\"").arg(c));
                i += t.text.size();
            }
            m_tokens.append(t);
        }
        Token end;
        end.pos = s.size();
        m_tokens.append(end);
    }

    const Token& peek() const { return m_tokens[m_pos]; }
    Token take() { return m_tokens[m_pos++]; }
    bool isOp(const char* op) const { return peek().kind == Token::Kind::Op && peek().text == QLatin1String(op); }
    bool isWord(const char* w) const
    {
        return peek().kind == Token::Kind::Ident && peek().text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }
    void expect(const char* op)
    {
        if (!isOp(op)) error(peek().pos, QStringLiteral("\"%1\" expected").arg(QLatin1String(op)));
        ++m_pos;
    }

    ExprPtr binary(int pos, BinaryNode::Op op, const QString& text, ExprPtr l, ExprPtr r)
    {
        auto n = node<BinaryNode>(pos, {&l, &r});
        n->op = op;
        n->opText = text;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }

    ExprPtr parseOr()
    {
        Nesting nesting(this, peek().pos);
        ExprPtr l = parseAnd();
        while (isWord("or")) {
            Token t = take();
            l = binary(t.pos, BinaryNode::Op::Or, QStringLiteral("or"), l, parseAnd());
        }
        return l;
    }
    ExprPtr parseAnd()
    {
        ExprPtr l = parseNot();
        while (isWord("and")) {
            Token t = take();
            l = binary(t.pos, BinaryNode::Op::And, QStringLiteral("and"), l, parseNot());
        }
        return l;
    }
    ExprPtr parseNot()
    {
        if (isWord("not")) {
            Token t = take();
            Nesting nesting(this, t.pos);
            ExprPtr operand = parseNot();
            auto n = node<UnaryNode>(t.pos, {&operand});
            n->op = UnaryNode::Op::Not;
            n->operand = operand;
            return n;
        }
        return parseCompare();
    }
    ExprPtr parseCompare()
    {
        ExprPtr l = parseAdd();
        static const QHash<QString, BinaryNode::Op> ops = {
            {QStringLiteral("="), BinaryNode::Op::Eq},  {QStringLiteral("<>"), BinaryNode::Op::Ne},
            {QStringLiteral("!="), BinaryNode::Op::Ne}, {QStringLiteral("<"), BinaryNode::Op::Lt},
            {QStringLiteral(">"), BinaryNode::Op::Gt},  {QStringLiteral("<="), BinaryNode::Op::Le},
            {QStringLiteral(">="), BinaryNode::Op::Ge}};
        if (peek().kind == Token::Kind::Op && ops.contains(peek().text)) {
            Token t = take();
            l = binary(t.pos, ops.value(t.text), t.text, l, parseAdd());
        }
        return l;
    }
    ExprPtr parseAdd()
    {
        ExprPtr l = parseMul();
        while (isOp("+") || isOp("-")) {
            Token t = take();
            l = binary(t.pos, t.text == QLatin1String("+") ? BinaryNode::Op::Add : BinaryNode::Op::Sub, t.text, l,
                       parseMul());
        }
        return l;
    }
    ExprPtr parseMul()
    {
        ExprPtr l = parseUnary();
        for (;;) {
            BinaryNode::Op op;
            if (isOp("*"))
                op = BinaryNode::Op::Mul;
            else if (isOp("/"))
                op = BinaryNode::Op::Div;
            else if (isWord("div"))
                op = BinaryNode::Op::IntDiv;
            else if (isWord("mod"))
                op = BinaryNode::Op::Mod;
            else
                return l;
            Token t = take();
            l = binary(t.pos, op, t.text, l, parseUnary());
        }
    }
    ExprPtr parseUnary()
    {
        if (isOp("-")) {
            Token t = take();
            Nesting nesting(this, t.pos);
            ExprPtr operand = parseUnary();
            auto n = node<UnaryNode>(t.pos, {&operand});
            n->op = UnaryNode::Op::Neg;
            n->operand = operand;
            return n;
        }
        if (isOp("+")) {
            Token t = take();
            Nesting nesting(this, t.pos);
            return parseUnary();
        }
        return parsePrimary();
    }
    ExprPtr literal(int pos, const ReportValue& v)
    {
        auto n = node<LiteralNode>(pos);
        n->value = v;
        return n;
    }
    ExprPtr parsePrimary()
    {
        const Token t = take();
        switch (t.kind) {
        case Token::Kind::End:
            error(t.pos, QStringLiteral("Unexpected end of expression"));
        case Token::Kind::Number: {
            Decimal d;
            if (!Decimal::parse(t.text, &d)) error(t.pos, QStringLiteral("Bad number \"%1\"").arg(t.text));
            return literal(t.pos, ReportValue::number(d));
        }
        case Token::Kind::String:
            return literal(t.pos, ReportValue::text(t.text));
        case Token::Kind::QuotedName: {
            auto n = node<NameNode>(t.pos);
            n->name = t.text;
            return n;
        }
        case Token::Kind::Op:
            if (t.text == QLatin1String("(")) {
                ExprPtr e = parseOr();
                expect(")");
                return e;
            }
            if (t.text == QLatin1String("[")) {
                ExprPtr e = parseOr();
                expect("]");
                return e;
            }
            error(t.pos, QStringLiteral("Unexpected \"%1\"").arg(t.text));
        case Token::Kind::Ident:
            break;
        }
        const QString upper = t.text.toUpper();
        if (upper == QLatin1String("TRUE")) return literal(t.pos, ReportValue::boolean(true));
        if (upper == QLatin1String("FALSE")) return literal(t.pos, ReportValue::boolean(false));
        if (upper == QLatin1String("NULL")) return literal(t.pos, ReportValue());
        if (isOp("(")) return parseCall(t, upper);
        if (isOp(".")) {
            take();
            Token f = take();
            if (f.kind != Token::Kind::Ident && f.kind != Token::Kind::QuotedName)
                error(f.pos, QStringLiteral("Field name expected after \"%1.\"").arg(t.text));
            auto n = node<NameNode>(t.pos);
            n->dataSet = t.text;
            n->name = f.text;
            return n;
        }
        auto n = node<NameNode>(t.pos);
        n->name = t.text;
        return n;
    }
    ExprPtr parseCall(const Token& t, const QString& upper)
    {
        expect("(");
        QList<ExprPtr> args;
        if (!isOp(")")) {
            for (;;) {
                args.append(parseOr());
                if (isOp(",")) {
                    take();
                    continue;
                }
                break;
            }
        }
        expect(")");
        static const QHash<QString, AggregateNode::Kind> aggregates = {
            {QStringLiteral("SUM"), AggregateNode::Kind::Sum},
            {QStringLiteral("COUNT"), AggregateNode::Kind::Count},
            {QStringLiteral("AVG"), AggregateNode::Kind::Avg},
            {QStringLiteral("MIN"), AggregateNode::Kind::Min},
            {QStringLiteral("MAX"), AggregateNode::Kind::Max}};
        if (aggregates.contains(upper)) {
            const ExprPtr argument = args.value(0);
            auto n = node<AggregateNode>(t.pos, {&argument});
            n->kind = aggregates.value(upper);
            if (n->kind == AggregateNode::Kind::Count) {
                if (args.size() > 1) error(t.pos, QStringLiteral("COUNT takes at most one argument"));
            } else if (args.size() != 1) {
                error(t.pos, QStringLiteral("%1 takes one argument").arg(upper));
            }
            n->argument = args.value(0);
            QList<const AggregateNode*> inner;
            if (n->argument) n->argument->collectAggregates(inner);
            if (!inner.isEmpty()) error(t.pos, QStringLiteral("Totals cannot be nested"));
            return n;
        }
        if (upper == QLatin1String("IF") || upper == QLatin1String("IIF")) {
            if (args.size() != 3) error(t.pos, QStringLiteral("IF takes three arguments: condition, then, else"));
        } else if (const auto* fn = ReportFunctionRegistry::instance().find(upper)) {
            if (args.size() < fn->minArgs || (fn->maxArgs >= 0 && args.size() > fn->maxArgs))
                error(t.pos, QStringLiteral("Wrong number of arguments for %1").arg(upper));
        }
        auto n = node<CallNode>(t.pos);
        for (const ExprPtr& a : args) n->depth = std::max(n->depth, a->depth + 1);
        if (n->depth > ReportLimits::MaxNesting) error(t.pos, QStringLiteral("Expression nested too deeply"));
        n->name = upper;
        n->args = args;
        return n;
    }

    QString m_expr;
    SourceMap m_src;
    int m_lineIndex;
    int m_offsetInLine;
    QList<int> m_lineStarts;  // offsets just after each '\n' of the expression
    QList<Token> m_tokens;
    int m_pos = 0;
    int m_nesting = 0;
};

}  // namespace

ReportExpression ReportExpression::compile(const QString& expr, const SourceMap& source, const QString& fullText,
                                           int offset)
{
    if (fullText.isEmpty()) return compileAt(expr, source, 0, 0);
    int lineIndex = 0, lineStart = 0;
    for (int i = 0; i < offset && i < fullText.size(); ++i) {
        if (fullText[i] == QLatin1Char('\n')) {
            ++lineIndex;
            lineStart = i + 1;
        }
    }
    return compileAt(expr, source, lineIndex, offset - lineStart);
}

ReportExpression ReportExpression::compileAt(const QString& expr, const SourceMap& source, int lineIndex, int offsetInLine)
{
    ReportExpression e;
    e.m_text = expr;
    Parser p(expr, source, lineIndex, offsetInLine);
    e.m_root = p.parseAll();
    return e;
}

ReportValue ReportExpression::evaluate(EvalContext& ctx) const
{
    if (!m_root) return {};
    return m_root->eval(ctx);
}

QList<const AggregateNode*> ReportExpression::aggregates() const
{
    QList<const AggregateNode*> out;
    if (m_root) m_root->collectAggregates(out);
    return out;
}

QStringList ReportExpression::names() const
{
    QStringList out;
    if (m_root) m_root->collectNames(out);
    return out;
}

// ---------------------------------------------------------------------------------------
// Templates

ReportTemplate ReportTemplate::compile(const QString& text, const SourceMap& source)
{
    ReportTemplate t;
    QString literal;
    int i = 0;
    int lineIndex = 0, lineStart = 0;  // of position i, kept as i moves on
    auto advance = [&](int to) {
        for (; i < to; ++i) {
            if (text[i] == QLatin1Char('\n')) {
                ++lineIndex;
                lineStart = i + 1;
            }
        }
    };
    while (i < text.size()) {
        QChar c = text[i];
        if (c == QLatin1Char('[') && i + 1 < text.size() && text[i + 1] == QLatin1Char('[')) {
            literal += c;
            advance(i + 2);
            continue;
        }
        if (c != QLatin1Char('[')) {
            literal += c;
            advance(i + 1);
            continue;
        }
        // Find the matching ']' outside quotes.
        int depth = 0, j = i;
        QChar quote;
        for (; j < text.size(); ++j) {
            QChar d = text[j];
            if (!quote.isNull()) {
                if (d == quote) quote = QChar();
                continue;
            }
            if (d == QLatin1Char('\'') || d == QLatin1Char('"'))
                quote = d;
            else if (d == QLatin1Char('['))
                ++depth;
            else if (d == QLatin1Char(']') && --depth == 0)
                break;
        }
        if (j >= text.size()) {
            int line, col;
            source.origin(lineIndex, i - lineStart, &line, &col);
            throw ReportError(source.file, line, col, QStringLiteral("\"[\" without its \"]\""));
        }
        if (!literal.isEmpty()) t.m_segments.append({literal, {}});
        literal.clear();
        Segment s;
        s.expr = ReportExpression::compileAt(text.mid(i + 1, j - i - 1), source, lineIndex, i + 1 - lineStart);
        t.m_segments.append(s);
        advance(j + 1);
    }
    if (!literal.isEmpty()) t.m_segments.append({literal, {}});
    return t;
}

QString ReportTemplate::evaluate(EvalContext& ctx, const std::function<QString(const ReportValue&)>& format) const
{
    QString out;
    for (const Segment& s : m_segments) {
        if (s.expr.isValid())
            out += format ? format(s.expr.evaluate(ctx)) : s.expr.evaluate(ctx).toText();
        else
            out += s.literal;
        checkReportTextLength(out.size());
    }
    return out;
}

bool ReportTemplate::isConstant() const
{
    for (const Segment& s : m_segments)
        if (s.expr.isValid()) return false;
    return true;
}

QList<const AggregateNode*> ReportTemplate::aggregates() const
{
    QList<const AggregateNode*> out;
    for (const Segment& s : m_segments) out += s.expr.aggregates();
    return out;
}

QStringList ReportTemplate::names() const
{
    QStringList out;
    for (const Segment& s : m_segments) out += s.expr.names();
    return out;
}

QString formatReportValue(const ReportValue& v, const QString& format)
{
    if (format.isEmpty()) return v.toText();
    switch (v.type) {
    case ReportValue::Type::Number:
        return formatDecimal(v.n, format);
    case ReportValue::Type::Date:
        return v.d.toString(format);
    case ReportValue::Type::Text: {
        // A number read from a text column still takes a number format.
        Decimal d;
        if (format.contains(QLatin1Char('0')) && Decimal::parse(v.s, &d)) return formatDecimal(d, format);
        return v.s;
    }
    default:
        return v.toText();
    }
}
