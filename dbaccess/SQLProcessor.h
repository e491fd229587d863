#pragma once
// TSQLProcessor / TIfxSQLProcessor: turn statement text into what the server
// receives. Parameter references (ParamChar + name) become "?" markers and
// are listed by name, macro references (MacroChar + name) are expanded from
// the combined macro list, and #if/#elseif/#else/#endif/#error select parts of
// the text. Parse once when the text changes, Build whenever the macros change.
//
// Parse and Build only read the processor's properties, so one processor may
// serve statements in several threads (the default processor does).
#include <string>
#include <string_view>
#include <vector>

#include "dbaccess/IfxComponent.h"
#include "dbaccess/MacroSQLElements.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

struct TSQLProcessResult {
    std::string text;                     // processed text, trimmed
    std::vector<std::string> paramNames;  // in order of appearance; repeats kept
};

class TSQLProcessor : public TIfxComponent {
public:
    explicit TSQLProcessor(std::string className = "TSQLProcessor");

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    char ParamChar() const { return paramChar_; }
    void SetParamChar(char c) { paramChar_ = c; }
    char MacroChar() const { return macroChar_; }
    void SetMacroChar(char c) { macroChar_ = c; }
    // name=value lines every statement using this processor sees.
    const TStringLines& Macros() const { return macros_; }
    void SetMacros(TStringLines macros) { macros_ = std::move(macros); }

    // Raises EMacroSQLError on a malformed text. A disabled processor keeps
    // the whole text as one literal.
    TMacroSQLElements Parse(std::string_view text) const;
    // Raises EMacroSQLError for an #error in a built branch and for errors in
    // macro values (line and column within the value).
    TSQLProcessResult Build(const TMacroSQLElements& parsed, const TStringLines& statementMacros) const;
    // Parse and Build in one step.
    TSQLProcessResult Process(std::string_view text, const TStringLines& statementMacros = {}) const;

    // The processor's entries, less those the statement repeats (same line or
    // same name), then all the statement's entries.
    TStringLines CombinedMacros(const TStringLines& statementMacros) const;

    // How the generic statement generator writes editing statements.
    virtual bool UsesReturningInto() const { return true; }
    virtual bool UsesEmptyLobConstructors() const { return true; }

private:
    bool enabled_ = true;
    char paramChar_ = ':';
    char macroChar_ = '%';
    TStringLines macros_;
};

class TIfxSQLProcessor : public TSQLProcessor {
public:
    TIfxSQLProcessor() : TSQLProcessor("TIfxSQLProcessor") {}
    static constexpr const char* kVersion = "2.6.3.62";
    std::string Version() const { return kVersion; }
    // Large-object columns are written through parameters like any other.
    bool UsesReturningInto() const override { return false; }
    bool UsesEmptyLobConstructors() const override { return false; }
};

// The process-wide processor (parameter character ":") for statements whose
// own processor and whose connection's processor are both unset.
TIfxSQLProcessor& DefaultSQLProcessor();

}  // namespace varnok
