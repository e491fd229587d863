#include "dbaccess/MacroSQLElements.h"

#include <algorithm>

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/SQLProcessor.h"

namespace varnok {

void TMacroSQLElements::Build(TMacroSQLBuildContext& context) const {
    for (const TMacroSQLElementPtr& item : items_) item->Build(context);
}

void TMacroSQLText::Build(TMacroSQLBuildContext& context) const { context.text += text_; }

void TMacroSQLParameter::Build(TMacroSQLBuildContext& context) const {
    context.text += '?';
    context.paramNames.push_back(name_);
}

void TMacroSQLMacro::Build(TMacroSQLBuildContext& context) const {
    // A macro whose value reaches itself again would expand without end.
    const bool looping = std::any_of(context.expanding.begin(), context.expanding.end(),
                                     [&](const std::string& n) { return SameText(n, name_); });
    if (looping) throw EMacroSQLError(Format("Macro '%s' refers to itself", {name_}), line_, column_);
    const std::string value = ValueOfName(context.macros, name_);
    if (value.empty()) return;
    const TMacroSQLElements parsed = context.processor.Parse(value);
    context.expanding.push_back(name_);
    parsed.Build(context);
    context.expanding.pop_back();
}

void TMacroSQLError::Build(TMacroSQLBuildContext&) const { throw EMacroSQLError(message_, line_, column_); }

std::string TMacroSQLLogicalIdentifier::Value(const TStringLines& macros) const {
    return IndexOfName(macros, name_) >= 0 ? ValueOfName(macros, name_) : name_;
}

bool TMacroSQLLogicalIdentifier::Exists(const TStringLines& macros) const {
    return IndexOfName(macros, name_) >= 0 || IndexOfLine(macros, name_) >= 0;
}

bool TMacroSQLLogicalEQUAL::Evaluate(const TStringLines& macros) const {
    return LowerText(left_.Value(macros)) == LowerText(right_.Value(macros));
}

bool TMacroSQLLogicalAND::Evaluate(const TStringLines& macros) const {
    const bool left = left_->Evaluate(macros);
    const bool right = right_->Evaluate(macros);
    return left && right;
}

bool TMacroSQLLogicalOR::Evaluate(const TStringLines& macros) const {
    const bool left = left_->Evaluate(macros);
    const bool right = right_->Evaluate(macros);
    return left || right;
}

void TMacroSQLConditional::Build(TMacroSQLBuildContext& context) const {
    if (condition_->Evaluate(context.macros))
        trueBranch_.Build(context);
    else if (elsePart_)
        elsePart_->Build(context);
}

}  // namespace varnok
