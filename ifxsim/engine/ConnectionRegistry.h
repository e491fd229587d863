#pragma once
// The named connections of the process and which thread holds each.
//
// A connection is "current" in the one thread that holds it and "dormant"
// otherwise; only a dormant connection can be taken by another thread.
#include <memory>
#include <string>
#include <vector>

#include "engine/Connection.h"

namespace ifxsim {

// Adds a new connection, held by the calling thread; false when the name is taken.
bool RegisterConnection(const std::shared_ptr<Connection>& connection);
// Forgets a connection (after disconnect or kill); the calling thread lets go of it.
void UnregisterConnection(const std::shared_ptr<Connection>& connection);

std::shared_ptr<Connection> FindConnection(const std::string& name);
std::shared_ptr<Connection> FindConnectionBySession(int sid);
std::vector<std::shared_ptr<Connection>> AllConnections();

enum class ClaimResult { Claimed, HeldElsewhere, Missing };
// Makes `connection` the calling thread's current one; the thread's previous
// current connection becomes dormant.
ClaimResult ClaimConnection(const std::shared_ptr<Connection>& connection);
// The calling thread lets go of its current connection (it becomes dormant).
void ReleaseCurrentConnection();
// True when a thread other than the caller holds the connection.
bool HeldByOtherThread(const Connection& connection);

std::shared_ptr<Connection> CurrentConnectionShared();
// The connection the calling thread held last (current, or made dormant by it).
std::shared_ptr<Connection> LastConnectionOfThread();

}  // namespace ifxsim
