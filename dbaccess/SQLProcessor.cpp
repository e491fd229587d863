#include "dbaccess/SQLProcessor.h"

#include "dbaccess/MacroSQLParser.h"

namespace varnok {

TSQLProcessor::TSQLProcessor(std::string className) : TIfxComponent(std::move(className)) {}

TMacroSQLElements TSQLProcessor::Parse(std::string_view text) const {
    if (!enabled_) {
        TMacroSQLElements whole;
        whole.SetSourceText(std::string(text));
        whole.Add(std::make_unique<TMacroSQLText>(std::string(text)));
        return whole;
    }
    return TMacroSQLParser(text, paramChar_, macroChar_).Parse();
}

TSQLProcessResult TSQLProcessor::Build(const TMacroSQLElements& parsed, const TStringLines& statementMacros) const {
    // Disabled means the text goes out as written, whenever it was parsed.
    if (!enabled_) return {TrimText(parsed.SourceText()), {}};
    const TStringLines macros = CombinedMacros(statementMacros);
    TMacroSQLBuildContext context{*this, macros, {}, {}, {}};
    parsed.Build(context);
    return {TrimText(context.text), std::move(context.paramNames)};
}

TSQLProcessResult TSQLProcessor::Process(std::string_view text, const TStringLines& statementMacros) const {
    return Build(Parse(text), statementMacros);
}

TStringLines TSQLProcessor::CombinedMacros(const TStringLines& statementMacros) const {
    TStringLines combined;
    combined.reserve(macros_.size() + statementMacros.size());
    for (const std::string& entry : macros_) {
        bool hasName = false;
        const std::string_view name = NameOfLine(entry, &hasName);
        const bool repeated =
            IndexOfLine(statementMacros, entry) >= 0 || (hasName && IndexOfName(statementMacros, name) >= 0);
        if (!repeated) combined.push_back(entry);
    }
    combined.insert(combined.end(), statementMacros.begin(), statementMacros.end());
    return combined;
}

TIfxSQLProcessor& DefaultSQLProcessor() {
    static TIfxSQLProcessor processor;  // ParamChar ":" by default
    return processor;
}

}  // namespace varnok
