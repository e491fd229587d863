#include "values/NumericMask.h"

#include "values/Env.h"

#include <vector>

namespace ifxsim {

MoneySymbols parseDbMoney(const std::string &setting) {
    MoneySymbols m;
    if (setting.empty())
        return m;
    size_t sep = setting.find_first_of(".,");
    if (sep == std::string::npos) {
        m.front = setting;
        return m;
    }
    m.front = setting.substr(0, sep);
    m.decimal = setting[sep];
    m.thousands = m.decimal == ',' ? '.' : ',';
    m.back = setting.substr(sep + 1);
    return m;
}

MoneySymbols currentMoneySymbols() { return parseDbMoney(ifxsim_getenv("DBMONEY")); }

namespace {

bool isDigitMark(char c) { return c == '#' || c == '&' || c == '*' || c == '<'; }
bool isSignMark(char c) { return c == '-' || c == '+' || c == '(' || c == '$'; }

// What a sign mark shows for this value.
std::string signText(char mark, bool negative, const MoneySymbols &money) {
    switch (mark) {
    case '-': return negative ? "-" : " ";
    case '+': return negative ? "-" : "+";
    case '(': return negative ? "(" : " ";
    case ')': return negative ? ")" : " ";
    case '$': return money.front;
    default: return std::string(1, mark);
    }
}

}  // namespace

std::string formatWithMask(const BigDec &input, const std::string &mask, const MoneySymbols &money) {
    size_t dot = mask.find('.');
    size_t intEnd = dot == std::string::npos ? mask.size() : dot;

    int fracDigits = 0;
    for (size_t i = intEnd; i < mask.size(); ++i)
        if (isDigitMark(mask[i]))
            ++fracDigits;
    BigDec value = input.roundedToPlaces(fracDigits);
    bool negative = value.negative();

    // The mark that floats, if any: a sign mark written twice or more.
    char floating = 0;
    for (char c : std::string("$-+(")) {
        size_t count = 0;
        for (size_t i = 0; i < intEnd; ++i)
            count += mask[i] == c;
        if (count >= 2) {
            floating = c;
            break;
        }
    }
    auto isIntDigitPos = [&](size_t i) { return isDigitMark(mask[i]) || (floating && mask[i] == floating); };

    std::string plain = value.abs().toPlain(fracDigits);
    std::string intDigits = plain.substr(0, plain.find('.'));
    if (intDigits == "0")
        intDigits.clear();
    std::string fracText = fracDigits > 0 ? plain.substr(plain.find('.') + 1) : std::string();

    // Place integer digits right to left.
    std::vector<char> digitAt(intEnd, 0);
    size_t positions = 0;
    for (size_t i = 0; i < intEnd; ++i)
        positions += isIntDigitPos(i);
    bool floatNeedsRoom = floating && signText(floating, negative, money) != " ";
    if (intDigits.size() > positions || (floatNeedsRoom && intDigits.size() == positions && positions > 0))
        return std::string(mask.size(), '*');
    size_t next = intDigits.size();
    size_t firstDigitPos = intEnd;
    for (size_t i = intEnd; i-- > 0 && next > 0;) {
        if (isIntDigitPos(i)) {
            digitAt[i] = intDigits[--next];
            firstDigitPos = i;
        }
    }
    // Zero-fill marks count as digits for the separators to their right.
    size_t floatPos = std::string::npos;
    if (floating)
        for (size_t i = 0; i < firstDigitPos && i < intEnd; ++i)
            if (mask[i] == floating)
                floatPos = i;

    std::string out;
    bool digitShown = false;
    char lastFill = ' ';
    for (size_t i = 0; i < intEnd; ++i) {
        char c = mask[i];
        if (digitAt[i]) {
            out.push_back(digitAt[i]);
            digitShown = true;
        } else if (i == floatPos) {
            out += signText(floating, negative, money);
            lastFill = ' ';
        } else if (isIntDigitPos(i)) {
            // A leading position.
            switch (c) {
            case '&': out.push_back('0'); digitShown = true; break;
            case '*': out.push_back('*'); lastFill = '*'; break;
            case '<': break;  // left-justified: the position vanishes
            default: out.push_back(' '); lastFill = ' '; break;
            }
        } else if (c == ',') {
            if (digitShown)
                out.push_back(money.thousands);
            else if (i > 0 && mask[i - 1] == '<')
                continue;
            else
                out.push_back(lastFill);
        } else if (isSignMark(c) || c == ')') {
            out += signText(c, negative, money);
        } else if (c == '@') {
            out += money.back;
        } else {
            out.push_back(c);
        }
    }
    if (dot != std::string::npos) {
        out.push_back(money.decimal);
        size_t f = 0;
        for (size_t i = dot + 1; i < mask.size(); ++i) {
            char c = mask[i];
            if (isDigitMark(c))
                out.push_back(fracText[f++]);
            else if (isSignMark(c) || c == ')')
                out += signText(c, negative, money);
            else if (c == '@')
                out += money.back;
            else
                out.push_back(c);
        }
    }
    return out;
}

}  // namespace ifxsim
