#pragma once
// Open smart large objects: the descriptors ifx_lo_open/ifx_lo_create hand
// out, each with its access mode and position. Descriptors are numbered for
// the whole process (from 1); each belongs to the connection that opened it
// and works only while that connection has the same database open.
#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace ifxsim::lo {

struct OpenObject {
    const void* connection = nullptr;  // compared only, never followed
    std::uint64_t database = 0;
    std::int64_t id = 0;
    int flags = 0;                     // LO_* open flags
    std::int64_t position = 0;
};

// True for a usable set of open flags: one access mode (LO_RDONLY, LO_WRONLY,
// LO_RDWR, or LO_APPEND alone or with a writing mode); LO_APPEND with
// LO_RDONLY is refused.
bool ValidOpenFlags(int flags);
bool CanRead(int flags);
bool CanWrite(int flags);

class DescriptorTable {
public:
    static DescriptorTable& instance();
    int open(const OpenObject& object);            // the new descriptor
    std::optional<OpenObject> find(int fd) const;
    void setPosition(int fd, std::int64_t position);
    bool close(int fd);                            // false when not open

private:
    mutable std::mutex mutex_;
    std::unordered_map<int, OpenObject> open_;
    int next_ = 1;
};

}  // namespace ifxsim::lo
