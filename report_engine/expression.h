// Texts with [bracketed expressions], compiled once per template and
// evaluated per band against an EvaluationContext.
#pragma once

#include "report_engine/design.h"
#include "report_engine/number_format.h"

#include <QString>

#include <vector>

namespace report_engine {

struct Expression {
    enum class Kind {
        Field,
        Variable,
        LineNumber,
        PageNumber,
        TotalPages,
        Now,
        Sum,
        Terbilang,
        Groups,
        Number,
        Add
    };
    Kind kind = Kind::Variable;
    QString dataset; // Field, Sum
    QString name;    // Field and Sum: the field; Variable: its name; Number: the literal
    QString band;    // Sum: the data band summed over
    std::vector<Expression>
        args; // Terbilang: its argument; Groups: the text, then the lengths; Add: the terms
};

// Stands for the page count until the last page is known.
inline constexpr QChar totalPagesPlaceholder{0xE000};

class EvaluationContext {
public:
    virtual ~EvaluationContext() = default;
    virtual QString field(const QString &dataset, const QString &name) = 0;
    virtual QString variable(const QString &name) = 0;
    virtual int lineNumber() = 0;
    virtual int pageNumber() = 0;
    virtual QString now() = 0;
    virtual double sum(const QString &band, const QString &dataset, const QString &field) = 0;
};

class CompiledText {
public:
    // Returns false with a message naming the faulty expression.
    static bool compile(const QString &text, CompiledText &out, QString &error);

    bool isConstant() const { return constant_; }
    bool usesTotalPages() const { return usesTotalPages_; }
    const QString &constantText() const { return constantText_; }
    // Every expression, nested ones included, for checking references before a run.
    std::vector<const Expression *> expressions() const;

    // Expression values pass through `format`; under `html` they are escaped.
    QString evaluate(EvaluationContext &context, const NumberFormatter &format, bool html) const;

private:
    struct Segment {
        QString literal;
        bool isExpression = false;
        Expression expression;
    };
    std::vector<Segment> segments_;
    QString constantText_;
    bool constant_ = true;
    bool usesTotalPages_ = false;
};

} // namespace report_engine
