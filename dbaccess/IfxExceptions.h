#pragma once
// The exception classes of the access layer. Every one carries its message
// text (what()); the database ones share EDatabaseError so that callers can
// catch "any database failure" in one place.
#include <stdexcept>
#include <string>

namespace varnok {

// The general database error every data-access failure derives from.
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A negative result of the client library: SQL code and ISAM code, with the
// text already built from the library's messages (see IfxErrorText.h).
class EIfxError : public EDatabaseError {
public:
    EIfxError(const std::string& message, int sqlCode, int isamCode)
        : EDatabaseError(message), sqlCode_(sqlCode), isamCode_(isamCode) {}
    int SqlCode() const { return sqlCode_; }
    int IsamCode() const { return isamCode_; }

private:
    int sqlCode_;
    int isamCode_;
};

// The layer's own checks ("Cannot perform this operation on a closed connection").
class EIfxAccessError : public EDatabaseError {
public:
    explicit EIfxAccessError(const std::string& message) : EDatabaseError(message) {}
};

// Connection pool time-out and deletion.
class EResourceException : public std::runtime_error {
public:
    explicit EResourceException(const std::string& message) : std::runtime_error(message) {}
};

// An error of the macro language: the full text is
// "<message>\r\nLine: <line>, Column: <column>"; the parts stay readable.
class EMacroSQLError : public std::runtime_error {
public:
    EMacroSQLError(const std::string& message, int line, int column);
    const std::string& BareMessage() const { return bareMessage_; }
    int Line() const { return line_; }
    int Column() const { return column_; }

private:
    std::string bareMessage_;
    int line_;
    int column_;
};

// Misuse of the row slot allocator of the data sets.
class ERecordAllocatorException : public std::runtime_error {
public:
    explicit ERecordAllocatorException(const std::string& message) : std::runtime_error(message) {}
};

class TIfxComponent;

// Raises EIfxAccessError; a named component prefixes its name ("Database: …").
[[noreturn]] void RaiseLayerError(const std::string& message, const TIfxComponent* component);
// The text RaiseLayerError would raise, for callers that re-wrap a message.
std::string LayerErrorText(const std::string& message, const TIfxComponent* component);

}  // namespace varnok
