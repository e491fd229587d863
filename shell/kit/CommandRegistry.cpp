#include "shell/kit/CommandRegistry.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <cstdlib>
#include <stdexcept>

#include "shell/kit/MessageSink.h"

namespace varnok {

TCommandRegistry::TCommandRegistry(QObject* parent) : QObject(parent) {
    fatal_ = [](const QString&) { std::_Exit(EXIT_FAILURE); };
}

TCommandRegistry::~TCommandRegistry() {
    disconnect(idleConnection_);
}

TCommand* TCommandRegistry::Add(const TCommandSpec& info, std::function<void()> operation) {
    if (info.name.isEmpty() || Find(info.name))
        throw std::invalid_argument("Command name taken or empty: " + info.name.toStdString());
    auto* command = new TCommand(info, *this); // owned by this registry as its QObject child
    command->SetOperation(std::move(operation));
    commands_.push_back(command);
    return command;
}

TCommand* TCommandRegistry::Find(const QString& name) const {
    for (TCommand* c : commands_)
        if (c->Name() == name) return c;
    return nullptr;
}

void TCommandRegistry::AddUpdateHook(TUpdateHook hook) {
    hooks_.push_back(std::move(hook));
}

QString TCommandRegistry::UpdateFailureText(const QString& message) {
    return QStringLiteral("Error in ActionList1Update. [") + message + u']';
}

void TCommandRegistry::UpdateCommands() {
    // A hook may pump events (a repaint, say); the rule does not run inside itself.
    if (updating_ || failed_) return;
    updating_ = true;
    try {
        for (const auto& hook : hooks_)
            hook();
    } catch (const std::exception& e) {
        updating_ = false;
        Fail(QString::fromUtf8(e.what()));
        return;
    } catch (...) {
        updating_ = false;
        Fail(QStringLiteral("Unknown error"));
        return;
    }
    updating_ = false;
}

void TCommandRegistry::Fail(const QString& message) {
    failed_ = true; // no second message while the box is up
    Messages().Plain(UpdateFailureText(message));
    if (fatal_) fatal_(message);
}

void TCommandRegistry::StartIdleUpdates() {
    auto* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher || idleConnection_) return;
    idleConnection_ =
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TCommandRegistry::UpdateCommands);
}

} // namespace varnok
