#pragma once
// The parsed form of SQL text with parameters, macros and directives: a list
// of elements in text order (TMacroSQLElements), each of which knows how to
// build itself into the processed text. Conditions of #if/#elseif are small
// expression trees (TMacroSQLLogicalExpression descendants) evaluated against
// the combined macro list.
#include <memory>
#include <string>
#include <vector>

#include "dbaccess/TextUtils.h"

namespace varnok {

class TSQLProcessor;

// What building one statement collects: the processed text, the parameter
// names in order of appearance, and the macros being expanded (to stop a
// macro that refers to itself).
struct TMacroSQLBuildContext {
    const TSQLProcessor& processor;
    const TStringLines& macros;
    std::string text;
    std::vector<std::string> paramNames;
    std::vector<std::string> expanding;
};

class TMacroSQLElement {
public:
    virtual ~TMacroSQLElement() = default;
    virtual void Build(TMacroSQLBuildContext& context) const = 0;
};

using TMacroSQLElementPtr = std::unique_ptr<TMacroSQLElement>;

// A list of elements; also the else part of a conditional (#else branch).
class TMacroSQLElements : public TMacroSQLElement {
public:
    void Build(TMacroSQLBuildContext& context) const override;
    void Add(TMacroSQLElementPtr element) { items_.push_back(std::move(element)); }
    size_t Count() const { return items_.size(); }
    const TMacroSQLElement& Item(size_t i) const { return *items_[i]; }

    // The text the list was parsed from; a disabled processor sends it as is.
    const std::string& SourceText() const { return sourceText_; }
    void SetSourceText(std::string text) { sourceText_ = std::move(text); }

private:
    std::vector<TMacroSQLElementPtr> items_;
    std::string sourceText_;
};

class TMacroSQLText : public TMacroSQLElement {
public:
    explicit TMacroSQLText(std::string text) : text_(std::move(text)) {}
    void Build(TMacroSQLBuildContext& context) const override;
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// A parameter reference: builds "?" and adds its name to the parameter list.
class TMacroSQLParameter : public TMacroSQLElement {
public:
    explicit TMacroSQLParameter(std::string name) : name_(std::move(name)) {}
    void Build(TMacroSQLBuildContext& context) const override;
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

// A macro reference: its value is itself parsed and built in place.
class TMacroSQLMacro : public TMacroSQLElement {
public:
    TMacroSQLMacro(std::string name, int line, int column)
        : name_(std::move(name)), line_(line), column_(column) {}
    void Build(TMacroSQLBuildContext& context) const override;
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    int line_;
    int column_;
};

// An #error line: raises its message only when its branch is built.
class TMacroSQLError : public TMacroSQLElement {
public:
    TMacroSQLError(std::string message, int line, int column)
        : message_(std::move(message)), line_(line), column_(column) {}
    void Build(TMacroSQLBuildContext& context) const override;
    const std::string& Message() const { return message_; }
    int Line() const { return line_; }
    int Column() const { return column_; }

private:
    std::string message_;
    int line_;
    int column_;
};

// ---- conditions ----

class TMacroSQLLogicalExpression {
public:
    virtual ~TMacroSQLLogicalExpression() = default;
    virtual bool Evaluate(const TStringLines& macros) const = 0;
};

using TMacroSQLLogicalExpressionPtr = std::unique_ptr<TMacroSQLLogicalExpression>;

// A name in a condition: its value is the macro of that name, else its own text.
class TMacroSQLLogicalIdentifier {
public:
    explicit TMacroSQLLogicalIdentifier(std::string name) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }
    std::string Value(const TStringLines& macros) const;
    // True when the list has an entry of that name or a line equal to it.
    bool Exists(const TStringLines& macros) const;

private:
    std::string name_;
};

class TMacroSQLLogicalExists : public TMacroSQLLogicalExpression {
public:
    explicit TMacroSQLLogicalExists(TMacroSQLLogicalIdentifier id) : id_(std::move(id)) {}
    bool Evaluate(const TStringLines& macros) const override { return id_.Exists(macros); }

private:
    TMacroSQLLogicalIdentifier id_;
};

// "=" compares the two values without regard to case.
class TMacroSQLLogicalEQUAL : public TMacroSQLLogicalExpression {
public:
    TMacroSQLLogicalEQUAL(TMacroSQLLogicalIdentifier left, TMacroSQLLogicalIdentifier right)
        : left_(std::move(left)), right_(std::move(right)) {}
    bool Evaluate(const TStringLines& macros) const override;

private:
    TMacroSQLLogicalIdentifier left_;
    TMacroSQLLogicalIdentifier right_;
};

class TMacroSQLLogicalNOTEQUAL : public TMacroSQLLogicalEQUAL {
public:
    using TMacroSQLLogicalEQUAL::TMacroSQLLogicalEQUAL;
    bool Evaluate(const TStringLines& macros) const override { return !TMacroSQLLogicalEQUAL::Evaluate(macros); }
};

class TMacroSQLLogicalNOT : public TMacroSQLLogicalExpression {
public:
    explicit TMacroSQLLogicalNOT(TMacroSQLLogicalExpressionPtr operand) : operand_(std::move(operand)) {}
    bool Evaluate(const TStringLines& macros) const override { return !operand_->Evaluate(macros); }

private:
    TMacroSQLLogicalExpressionPtr operand_;
};

// "and" and "or" evaluate both sides always, then combine.
class TMacroSQLLogicalAND : public TMacroSQLLogicalExpression {
public:
    TMacroSQLLogicalAND(TMacroSQLLogicalExpressionPtr left, TMacroSQLLogicalExpressionPtr right)
        : left_(std::move(left)), right_(std::move(right)) {}
    bool Evaluate(const TStringLines& macros) const override;

private:
    TMacroSQLLogicalExpressionPtr left_;
    TMacroSQLLogicalExpressionPtr right_;
};

class TMacroSQLLogicalOR : public TMacroSQLLogicalExpression {
public:
    TMacroSQLLogicalOR(TMacroSQLLogicalExpressionPtr left, TMacroSQLLogicalExpressionPtr right)
        : left_(std::move(left)), right_(std::move(right)) {}
    bool Evaluate(const TStringLines& macros) const override;

private:
    TMacroSQLLogicalExpressionPtr left_;
    TMacroSQLLogicalExpressionPtr right_;
};

// #if / #elseif: the true branch, and an else part that is another
// conditional (#elseif), an element list (#else) or nothing.
class TMacroSQLConditional : public TMacroSQLElement {
public:
    explicit TMacroSQLConditional(TMacroSQLLogicalExpressionPtr condition) : condition_(std::move(condition)) {}
    void Build(TMacroSQLBuildContext& context) const override;
    TMacroSQLElements& TrueBranch() { return trueBranch_; }
    void SetElsePart(TMacroSQLElementPtr elsePart) { elsePart_ = std::move(elsePart); }
    const TMacroSQLElement* ElsePart() const { return elsePart_.get(); }

private:
    TMacroSQLLogicalExpressionPtr condition_;
    TMacroSQLElements trueBranch_;
    TMacroSQLElementPtr elsePart_;
};

}  // namespace varnok
