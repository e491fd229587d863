// Registry of named connections and the current connection of each thread.
#include <map>
#include <mutex>
#include <thread>

#include "engine/ConnectionRegistry.h"

namespace ifxsim {

namespace {

struct Entry {
    std::shared_ptr<Connection> connection;
    std::thread::id holder;  // default id: dormant
};

struct Registry {
    std::mutex mutex;
    std::map<std::string, Entry> entries;
};

// Never destroyed: threads may let go of their connections during exit.
Registry& Connections()
{
    static Registry* registry = new Registry;
    return *registry;
}

void ReleaseLocked(Registry& registry, const Connection& connection)
{
    const auto it = registry.entries.find(connection.name());
    if (it != registry.entries.end() && it->second.connection.get() == &connection
        && it->second.holder == std::this_thread::get_id())
        it->second.holder = std::thread::id();
}

// The calling thread's current connection; a thread that ends while it
// holds one leaves it dormant, so another thread can take it.
struct ThreadSlot {
    std::shared_ptr<Connection> current;
    std::weak_ptr<Connection> last;
    ~ThreadSlot()
    {
        if (current) {
            Registry& registry = Connections();
            std::lock_guard lock(registry.mutex);
            ReleaseLocked(registry, *current);
        }
    }
};

ThreadSlot& Slot()
{
    thread_local ThreadSlot slot;
    return slot;
}

}  // namespace

bool RegisterConnection(const std::shared_ptr<Connection>& connection)
{
    Registry& registry = Connections();
    ThreadSlot& slot = Slot();
    {
        std::lock_guard lock(registry.mutex);
        if (registry.entries.count(connection->name()))
            return false;
        if (slot.current)
            ReleaseLocked(registry, *slot.current);
        registry.entries.emplace(connection->name(), Entry{connection, std::this_thread::get_id()});
    }
    slot.current = connection;
    slot.last = connection;
    return true;
}

void UnregisterConnection(const std::shared_ptr<Connection>& connection)
{
    Registry& registry = Connections();
    {
        std::lock_guard lock(registry.mutex);
        const auto it = registry.entries.find(connection->name());
        if (it != registry.entries.end() && it->second.connection == connection)
            registry.entries.erase(it);
    }
    ThreadSlot& slot = Slot();
    if (slot.current == connection)
        slot.current.reset();
}

std::shared_ptr<Connection> FindConnection(const std::string& name)
{
    Registry& registry = Connections();
    std::lock_guard lock(registry.mutex);
    const auto it = registry.entries.find(name);
    return it == registry.entries.end() ? nullptr : it->second.connection;
}

std::shared_ptr<Connection> FindConnectionBySession(int sid)
{
    Registry& registry = Connections();
    std::lock_guard lock(registry.mutex);
    for (const auto& [name, entry] : registry.entries)
        if (entry.connection->sessionId() == sid)
            return entry.connection;
    return nullptr;
}

std::vector<std::shared_ptr<Connection>> AllConnections()
{
    Registry& registry = Connections();
    std::lock_guard lock(registry.mutex);
    std::vector<std::shared_ptr<Connection>> list;
    for (const auto& [name, entry] : registry.entries)
        list.push_back(entry.connection);
    return list;
}

ClaimResult ClaimConnection(const std::shared_ptr<Connection>& connection)
{
    Registry& registry = Connections();
    ThreadSlot& slot = Slot();
    {
        std::lock_guard lock(registry.mutex);
        const auto it = registry.entries.find(connection->name());
        if (it == registry.entries.end() || it->second.connection != connection)
            return ClaimResult::Missing;
        const auto self = std::this_thread::get_id();
        if (it->second.holder != std::thread::id() && it->second.holder != self)
            return ClaimResult::HeldElsewhere;
        if (slot.current && slot.current != connection)
            ReleaseLocked(registry, *slot.current);
        it->second.holder = self;
    }
    slot.current = connection;
    slot.last = connection;
    return ClaimResult::Claimed;
}

void ReleaseCurrentConnection()
{
    ThreadSlot& slot = Slot();
    if (!slot.current)
        return;
    Registry& registry = Connections();
    {
        std::lock_guard lock(registry.mutex);
        ReleaseLocked(registry, *slot.current);
    }
    slot.current.reset();
}

bool HeldByOtherThread(const Connection& connection)
{
    Registry& registry = Connections();
    std::lock_guard lock(registry.mutex);
    const auto it = registry.entries.find(connection.name());
    if (it == registry.entries.end())
        return false;
    return it->second.holder != std::thread::id() && it->second.holder != std::this_thread::get_id();
}

std::shared_ptr<Connection> CurrentConnectionShared()
{
    return Slot().current;
}

std::shared_ptr<Connection> LastConnectionOfThread()
{
    ThreadSlot& slot = Slot();
    return slot.current ? slot.current : slot.last.lock();
}

Connection* CurrentConnection()
{
    return Slot().current.get();
}

}  // namespace ifxsim
