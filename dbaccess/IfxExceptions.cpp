#include "dbaccess/IfxExceptions.h"

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxComponent.h"

namespace varnok {

EMacroSQLError::EMacroSQLError(const std::string& message, int line, int column)
    : std::runtime_error(Format("%s\r\nLine: %d, Column: %d", {message, line, column})),
      bareMessage_(message),
      line_(line),
      column_(column) {}

std::string LayerErrorText(const std::string& message, const TIfxComponent* component) {
    if (component && !component->Name().empty())
        return Format("%s: %s", {component->Name(), message});
    return message;
}

void RaiseLayerError(const std::string& message, const TIfxComponent* component) {
    throw EIfxAccessError(LayerErrorText(message, component));
}

}  // namespace varnok
