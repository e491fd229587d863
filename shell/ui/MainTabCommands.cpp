#include "shell/ui/MainTabCommands.h"

#include <QTabWidget>
#include <array>

#include "shell/kit/CommandRegistry.h"

namespace varnok {

void RegisterMainTabCommands(TCommandRegistry& registry, QTabWidget* pcMain) {
    struct TTabCommand {
        const char* name;
        char key;
    };
    // In tab order: "Query", "Result", "Data", "Log".
    static constexpr std::array<TTabCommand, 4> kTabCommands{{
        {"acSQLBar", '1'},
        {"acQueryBar", '2'},
        {"acDataBar", '3'},
        {"acLogBar", '4'},
    }};
    for (int tab = 0; tab < static_cast<int>(kTabCommands.size()); ++tab) {
        const TTabCommand& c = kTabCommands[static_cast<size_t>(tab)];
        TCommandSpec spec;
        spec.name = QLatin1String(c.name);
        spec.caption = spec.name; // the caption is the name itself
        spec.shortcut = MakeShortcut(static_cast<std::uint8_t>(c.key), kShortcutAlt);
        registry.Add(spec, [pcMain, tab] { pcMain->setCurrentIndex(tab); });
    }
}

} // namespace varnok
