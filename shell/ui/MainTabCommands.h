#pragma once
// The second command list's tab switches: acSQLBar (Alt+1), acQueryBar
// (Alt+2), acDataBar (Alt+3) and acLogBar (Alt+4) show the "Query",
// "Result", "Data" and "Log" tabs of the main tab control. They carry no
// picture and are no hotkeys, so neither the options window nor the toolbars
// offer them.
class QTabWidget;

namespace varnok {

class TCommandRegistry;

void RegisterMainTabCommands(TCommandRegistry& registry, QTabWidget* pcMain);

} // namespace varnok
