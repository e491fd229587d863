#pragma once
// Hostile variants of SQL statements for the statement fuzz test: cut,
// reordered and doubled tokens, stray quotes, braces, comments and casts,
// very long names and literals, deep parentheses, huge numbers, invalid
// UTF-8 and embedded NULs. Deterministic for a given seed.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace fuzz_test {

// The statement split into words, numbers, quoted texts, comments and marks
// (blanks dropped); joining the pieces with blanks gives an equivalent text.
std::vector<std::string> SplitTokens(const std::string& sql);

class StatementMutator {
public:
    explicit StatementMutator(std::uint32_t seed) : random_(seed) {}
    // One variant of `sql`, made by one to three mutations.
    std::string mutate(const std::string& sql);
    // A statement of the corpus taken as a whole, for mixing (may be empty).
    std::string splice(const std::string& a, const std::string& b);

private:
    std::string mutateOnce(const std::string& sql);
    std::string hostilePiece();
    std::size_t below(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
    std::mt19937 random_;
};

}  // namespace fuzz_test
