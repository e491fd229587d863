#include "engine/StatementNesting.h"

namespace ifxsim {

std::optional<std::size_t> tooDeeplyNested(const std::vector<Token>& tokens, int limit) {
    int depth = 0;
    for (const Token& t : tokens) {
        if (t.kind != TokenKind::Symbol) continue;
        if (t.text == "(" || t.text == "[" || t.text == "{") {
            if (++depth > limit) return t.offset;
        } else if ((t.text == ")" || t.text == "]" || t.text == "}") && depth > 0) {
            --depth;
        }
    }
    return std::nullopt;
}

}  // namespace ifxsim
