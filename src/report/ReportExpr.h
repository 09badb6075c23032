#pragma once
#include "data/NkError.h"
#include "report/ReportValue.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

// Where a piece of layout text came from, so that an error in an expression points at the
// file, line and column a person can open. Each line of the text maps to a line and starting
// column of the file (lines of a multi-line value start on their own file lines).
struct SourceMap {
    QString file;
    struct Origin {
        int line = 1;
        int column = 1;
    };
    QList<Origin> lines;  // origin of each '\n'-separated line of the text; empty = (1,1)

    static SourceMap at(const QString& file, int line, int column) { return {file, {{line, column}}}; }
    void locate(const QString& text, int offset, int* line, int* column) const;
    // File position of the character `offsetInLine` code units into line `lineIndex` of the text.
    void origin(int lineIndex, int offsetInLine, int* line, int* column) const;
};

// An error of a report layout or expression. message() reads "file:line:column: text".
class ReportError : public NkError {
public:
    ReportError(const QString& file, int line, int column, const QString& text);
    QString file() const { return m_file; }
    int line() const { return m_line; }
    int column() const { return m_column; }
    QString text() const { return m_text; }

private:
    QString m_file;
    int m_line;
    int m_column;
    QString m_text;
};

class ExprNode;
class AggregateNode;

// What an expression sees while it is evaluated: variables, fields of the data sets, the
// running totals of the band being printed, and the callbacks for SQL and user functions.
class EvalContext {
public:
    virtual ~EvalContext() = default;
    // A name on its own: a variable, else a field of the current data set. False when unknown.
    virtual bool lookupName(const QString& name, ReportValue* out) = 0;
    // DataSet."Field". False when the data set or field is unknown.
    virtual bool lookupField(const QString& dataSet, const QString& field, ReportValue* out) = 0;
    // Current value of a SUM/COUNT/AVG/MIN/MAX.
    virtual ReportValue aggregateValue(const AggregateNode* node);
    // Functions not in the registry: the program's user functions. False when unknown.
    virtual bool callUserFunction(const QString& name, const QList<ReportValue>& args, ReportValue* out);
    // SQL(statement, params...): first column of the first row; parameters bound as "?".
    virtual ReportValue sqlScalar(const QString& statement, const QList<ReportValue>& params);
    // Changes a variable's value (SWAP).
    virtual bool setVariableValue(const QString& name, const ReportValue& value);
};

// Built-in and add-on functions by upper-case name. A function gets evaluated arguments and
// throws NkError for bad arguments; the evaluator adds the position.
class ReportFunctionRegistry {
public:
    using Function = std::function<ReportValue(EvalContext&, const QList<ReportValue>&)>;
    struct Entry {
        Function fn;
        int minArgs = 0;
        int maxArgs = -1;  // -1: any number
    };
    static ReportFunctionRegistry& instance();
    void add(const QString& name, int minArgs, int maxArgs, Function fn);
    const Entry* find(const QString& upperName) const;
    QStringList names() const;

private:
    ReportFunctionRegistry();
    QHash<QString, Entry> m_functions;
};

class ExprNode {
public:
    virtual ~ExprNode() = default;
    virtual ReportValue eval(EvalContext& ctx) const = 0;
    virtual void collectAggregates(QList<const AggregateNode*>&) const {}
    // Names referred to without a data set, and data sets referred to (for dependency use).
    virtual void collectNames(QStringList&) const {}
    QString file;
    int line = 0;
    int column = 0;
    int depth = 1;  // levels of the tree below and including this node
    [[noreturn]] void fail(const QString& text) const;
};
using ExprPtr = std::shared_ptr<const ExprNode>;

class AggregateNode : public ExprNode {
public:
    enum class Kind { Sum, Count, Avg, Min, Max };
    Kind kind = Kind::Sum;
    ExprPtr argument;  // null for COUNT()
    ReportValue eval(EvalContext& ctx) const override { return ctx.aggregateValue(this); }
    void collectAggregates(QList<const AggregateNode*>& out) const override { out.append(this); }
};

// An expression compiled once into a tree, evaluated many times.
class ReportExpression {
public:
    ReportExpression() = default;
    // Throws ReportError with the position of the fault. `offset` is where the expression
    // starts inside `fullText` (the text `source` describes).
    static ReportExpression compile(const QString& expr, const SourceMap& source = {},
                                    const QString& fullText = {}, int offset = 0);
    // The same for an expression starting `offsetInLine` code units into line `lineIndex` of
    // the text `source` describes.
    static ReportExpression compileAt(const QString& expr, const SourceMap& source, int lineIndex, int offsetInLine);
    ReportValue evaluate(EvalContext& ctx) const;
    bool isValid() const { return bool(m_root); }
    QString text() const { return m_text; }
    QList<const AggregateNode*> aggregates() const;
    QStringList names() const;

private:
    QString m_text;
    ExprPtr m_root;
};

// A text with expressions in square brackets: "Total [SUM([Amount])] baht". A "[" that
// should print is written "[[". Each expression's value is turned into text by the caller's
// formatter (display formats).
class ReportTemplate {
public:
    struct Segment {
        QString literal;
        ReportExpression expr;  // valid for expression segments
    };
    static ReportTemplate compile(const QString& text, const SourceMap& source = {});
    QString evaluate(EvalContext& ctx, const std::function<QString(const ReportValue&)>& format) const;
    bool isConstant() const;
    const QList<Segment>& segments() const { return m_segments; }
    QList<const AggregateNode*> aggregates() const;
    QStringList names() const;

private:
    QList<Segment> m_segments;
};

// Throws NkError when a text of `length` characters would exceed ReportLimits::MaxText.
void checkReportTextLength(qint64 length);

// Display text of a value under a display format: "#,##0.00" style masks for numbers,
// dd/MM/yyyy style patterns for dates; no format gives ReportValue::toText().
QString formatReportValue(const ReportValue& v, const QString& format);
