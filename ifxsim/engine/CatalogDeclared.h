#pragma once
// Constraints as the user wrote them in CREATE TABLE: their names (Informix
// writes "CONSTRAINT name" after the constraint; the leading form is taken
// too) and CHECK texts, which SQLite's stored schema no longer carries.
#include <string>
#include <string_view>
#include <vector>

namespace ifxsim::catalog {

struct DeclaredConstraint {
    char type = 0;                     // P, U, R, C, N
    std::vector<std::string> columns;  // lower case; empty for CHECK
    std::string name;                  // empty when the server names it
    std::string checkText;             // CHECK: "(…)" as written
};

// The constraints of one CREATE TABLE statement, in the order written.
std::vector<DeclaredConstraint> declaredConstraints(std::string_view createTable);

// The constraints an ALTER TABLE … ADD CONSTRAINT statement adds, in the order written.
std::vector<DeclaredConstraint> addedConstraints(std::string_view alterTable);

}  // namespace ifxsim::catalog
