#pragma once
// The toolkit's standard error box: what an error that no operation handles
// ends in. The text is the error's message with "." appended when its last
// character sorts after "." (a letter or a digit, say); the caption is the
// application title.
#include <QString>
#include <exception>

namespace varnok {

// A silent exception: a Cancel deep inside an operation throws it to unwind
// the whole operation back to the message loop without any box.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

QString StandardErrorText(const QString& message);

// Shows the box through the message sink.
void ShowStandardError(const QString& message);

// Shows the box for the exception in flight (call from a catch block);
// EAbort shows nothing.
void ShowCurrentException();

} // namespace varnok
