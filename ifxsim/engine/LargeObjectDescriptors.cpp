// The process-wide table of open smart-large-object descriptors.
#include "engine/LargeObjectDescriptors.h"

#include "ifxesqlc.h"

namespace ifxsim::lo {

namespace {
constexpr int kModes = LO_RDONLY | LO_WRONLY | LO_RDWR;
int ModeCount(int flags)
{
    return ((flags & LO_RDONLY) != 0) + ((flags & LO_WRONLY) != 0) + ((flags & LO_RDWR) != 0);
}
}  // namespace

bool ValidOpenFlags(int flags)
{
    const int modes = ModeCount(flags);
    if (modes > 1)
        return false;
    if (flags & LO_APPEND)
        return (flags & LO_RDONLY) == 0;
    return modes == 1;
}

bool CanRead(int flags) { return (flags & (LO_RDONLY | LO_RDWR)) != 0; }
bool CanWrite(int flags) { return (flags & (LO_WRONLY | LO_RDWR | LO_APPEND)) != 0 && (flags & kModes) != LO_RDONLY; }

DescriptorTable& DescriptorTable::instance()
{
    static DescriptorTable table;
    return table;
}

int DescriptorTable::open(const OpenObject& object)
{
    std::lock_guard lock(mutex_);
    // Skip numbers still in use after a wrap-around (never in practice).
    while (next_ <= 0 || open_.count(next_))
        next_ = next_ <= 0 ? 1 : next_ + 1;
    const int fd = next_++;
    open_[fd] = object;
    return fd;
}

std::optional<OpenObject> DescriptorTable::find(int fd) const
{
    std::lock_guard lock(mutex_);
    auto it = open_.find(fd);
    if (it == open_.end())
        return std::nullopt;
    return it->second;
}

void DescriptorTable::setPosition(int fd, std::int64_t position)
{
    std::lock_guard lock(mutex_);
    if (auto it = open_.find(fd); it != open_.end())
        it->second.position = position;
}

bool DescriptorTable::close(int fd)
{
    std::lock_guard lock(mutex_);
    return open_.erase(fd) == 1;
}

}  // namespace ifxsim::lo
