// Exported smart-large-object entry points (ifx_lo_*).
//
// Calls with an `error` argument return -1 on failure and store the code
// there; the others return the code. Every failure of this layer is -9810
// (smart-large-object error) with the ISAM detail in sqlerrd[1]: -101 for a
// descriptor that is not open (or belongs to another connection or database),
// -111 for a handle naming no object of the open database. Without a current
// connection or database the codes are the usual -1803 / -349.
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/Connection.h"
#include "engine/Database.h"
#include "engine/LargeObjectDescriptors.h"
#include "engine/LargeObjectStore.h"
#include "ifxesqlc.h"

using namespace ifxsim;
using namespace ifxsim::lo;

namespace {

mint Failed(mint* error, int code)
{
    if (error)
        *error = code;
    return -1;
}

int BadArgument(const char* what) { return SetError(kLoError, what); }

// The open database the call works on; sqlca holds the error when there is none.
struct Target {
    RequestGuard guard;
    sqlite3* db = nullptr;
    std::uint64_t key = 0;
    std::string name;
    int error = 0;

    Target()
    {
        if (!guard.ok()) {
            error = LastSqlCode();
            return;
        }
        Database* database = guard.connection().database();
        if (!database) {
            error = SetError(err::kNoDatabase);
            return;
        }
        db = database->handle();
        key = DatabaseKey(database->file());
        name = database->name();
    }

    // The object a handle names in this database.
    int resolve(const ifx_lo_t* lo, Handle& handle) const
    {
        if (!lo || !DecodeHandle(*lo, handle) || handle.database != key || !ObjectExists(db, handle.id))
            return SetError(kLoError, {}, kIsamNoRecord);
        return 0;
    }

    // An open descriptor of this connection and database.
    int descriptor(mint fd, OpenObject& object) const
    {
        auto found = DescriptorTable::instance().find(fd);
        if (!found || found->connection != &guard.connection() || found->database != key)
            return SetError(kLoError, {}, kIsamNotOpen);
        object = *found;
        return 0;
    }

    // The first failure of reaching the database or the descriptor, else 0.
    int reach(mint fd, OpenObject& object) const { return error ? error : descriptor(fd, object); }
};

std::int64_t FromInt8(const ifx_int8_t* value, bool& ok)
{
    char text[32] = {};
    ok = value && ifx_int8toasc(const_cast<ifx_int8_t*>(value), text, 21) == 0;
    return ok ? std::strtoll(text, nullptr, 10) : 0;
}

void ToInt8(std::int64_t value, ifx_int8_t* out)
{
    if (!out)
        return;
    std::string text = std::to_string(value);
    ifx_int8cvasc(text.data(), static_cast<mint>(text.size()), out);
}

int OpenDescriptor(const Target& target, std::int64_t id, mint flags)
{
    OpenObject object;
    object.connection = &target.guard.connection();
    object.database = target.key;
    object.id = id;
    object.flags = flags;
    return DescriptorTable::instance().open(object);
}

// Moves the position of an open descriptor; 0 or the error.
int SeekTo(const Target& target, mint fd, const OpenObject& object, std::int64_t offset, mint whence,
           std::int64_t& position)
{
    std::int64_t base = 0;
    if (whence == LO_SEEK_CUR)
        base = object.position;
    else if (whence == LO_SEEK_END) {
        std::string bytes;
        if (int rc = LoadObject(target.db, object.id, bytes))
            return rc;
        base = static_cast<std::int64_t>(bytes.size());
    } else if (whence != LO_SEEK_SET)
        return BadArgument("whence");
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0)
        return BadArgument("offset");
    position = base + offset;
    DescriptorTable::instance().setPosition(fd, position);
    return 0;
}

mint ReadAt(const Target& target, mint fd, const OpenObject& object, char* buf, mint nbytes, mint* error)
{
    if (!CanRead(object.flags))
        return Failed(error, BadArgument("opened for writing only"));
    if (nbytes < 0 || (!buf && nbytes > 0))
        return Failed(error, BadArgument("buffer"));
    std::string bytes;
    if (int rc = LoadObject(target.db, object.id, bytes))
        return Failed(error, rc);
    const auto size = static_cast<std::int64_t>(bytes.size());
    const std::int64_t n = object.position >= size ? 0 : std::min<std::int64_t>(nbytes, size - object.position);
    if (n > 0)
        std::memcpy(buf, bytes.data() + object.position, static_cast<std::size_t>(n));
    DescriptorTable::instance().setPosition(fd, object.position + n);
    return static_cast<mint>(n);
}

}  // namespace

mint ifx_lo_def_create_spec(ifx_lo_create_spec_t** spec)
{
    ResetSqlca();
    if (!spec)
        return BadArgument("spec");
    *spec = new ifx_lo_create_spec_s{};
    return 0;
}

mint ifx_lo_spec_free(ifx_lo_create_spec_t* spec)
{
    delete spec;
    return 0;
}

mint ifx_lo_create(ifx_lo_create_spec_t*, mint flags, ifx_lo_t* lo, mint* error)
{
    // A create-spec carries nothing the store uses: a null one gets the defaults.
    ResetSqlca();
    if (!lo)
        return Failed(error, BadArgument("handle"));
    if (!ValidOpenFlags(flags))
        return Failed(error, BadArgument("open flags"));
    Target target;
    if (target.error)
        return Failed(error, target.error);
    Handle handle;
    handle.database = target.key;
    if (int rc = CreateObject(target.db, {}, handle.id))
        return Failed(error, rc);
    EncodeHandle(handle, target.name, *lo);
    if (error)
        *error = 0;
    return OpenDescriptor(target, handle.id, flags);
}

mint ifx_lo_open(ifx_lo_t* lo, mint flags, mint* error)
{
    ResetSqlca();
    if (!ValidOpenFlags(flags))
        return Failed(error, BadArgument("open flags"));
    Target target;
    if (target.error)
        return Failed(error, target.error);
    Handle handle;
    if (int rc = target.resolve(lo, handle))
        return Failed(error, rc);
    if (error)
        *error = 0;
    return OpenDescriptor(target, handle.id, flags);
}

mint ifx_lo_close(mint fd)
{
    // Closing needs no database: a descriptor outliving its database can still be closed.
    ResetSqlca();
    return DescriptorTable::instance().close(fd) ? 0 : SetError(kLoError, {}, kIsamNotOpen);
}

mint ifx_lo_read(mint fd, char* buf, mint nbytes, mint* error)
{
    ResetSqlca();
    Target target;
    OpenObject object;
    if (int rc = target.reach(fd, object))
        return Failed(error, rc);
    if (error)
        *error = 0;
    return ReadAt(target, fd, object, buf, nbytes, error);
}

mint ifx_lo_readwithseek(mint fd, char* buf, mint nbytes, ifx_int8_t* offset, mint whence, mint* error)
{
    ResetSqlca();
    Target target;
    OpenObject object;
    if (int rc = target.reach(fd, object))
        return Failed(error, rc);
    bool ok = false;
    const std::int64_t off = FromInt8(offset, ok);
    if (!ok)
        return Failed(error, BadArgument("offset"));
    if (int rc = SeekTo(target, fd, object, off, whence, object.position))
        return Failed(error, rc);
    if (error)
        *error = 0;
    return ReadAt(target, fd, object, buf, nbytes, error);
}

mint ifx_lo_write(mint fd, char* buf, mint nbytes, mint* error)
{
    ResetSqlca();
    Target target;
    OpenObject object;
    if (int rc = target.reach(fd, object))
        return Failed(error, rc);
    if (!CanWrite(object.flags))
        return Failed(error, BadArgument("opened for reading only"));
    if (nbytes < 0 || (!buf && nbytes > 0))
        return Failed(error, BadArgument("buffer"));
    std::string bytes;
    if (int rc = LoadObject(target.db, object.id, bytes))
        return Failed(error, rc);
    // LO_APPEND writes at the end whatever the position; a write past the end fills the gap with zeros.
    const auto start = static_cast<std::size_t>((object.flags & LO_APPEND) ? bytes.size() : object.position);
    if (bytes.size() < start + static_cast<std::size_t>(nbytes))
        bytes.resize(start + static_cast<std::size_t>(nbytes), '\0');
    if (nbytes > 0)
        std::memcpy(bytes.data() + start, buf, static_cast<std::size_t>(nbytes));
    if (int rc = SaveObject(target.db, object.id, bytes))
        return Failed(error, rc);
    DescriptorTable::instance().setPosition(fd, static_cast<std::int64_t>(start) + nbytes);
    if (error)
        *error = 0;
    return nbytes;
}

mint ifx_lo_seek(mint fd, ifx_int8_t* offset, mint whence, ifx_int8_t* seek_pos)
{
    ResetSqlca();
    Target target;
    OpenObject object;
    if (int rc = target.reach(fd, object))
        return rc;
    bool ok = false;
    const std::int64_t off = FromInt8(offset, ok);
    if (!ok)
        return BadArgument("offset");
    std::int64_t position = 0;
    if (int rc = SeekTo(target, fd, object, off, whence, position))
        return rc;
    ToInt8(position, seek_pos);
    return 0;
}

mint ifx_lo_tell(mint fd, ifx_int8_t* seek_pos)
{
    ResetSqlca();
    Target target;
    OpenObject object;
    if (int rc = target.reach(fd, object))
        return rc;
    if (!seek_pos)
        return BadArgument("seek_pos");
    ToInt8(object.position, seek_pos);
    return 0;
}

mint ifx_lo_truncate(mint fd, ifx_int8_t* offset)
{
    ResetSqlca();
    Target target;
    OpenObject object;
    if (int rc = target.reach(fd, object))
        return rc;
    if (!CanWrite(object.flags))
        return BadArgument("opened for reading only");
    bool ok = false;
    const std::int64_t length = FromInt8(offset, ok);
    if (!ok || length < 0)
        return BadArgument("offset");
    std::string bytes;
    if (int rc = LoadObject(target.db, object.id, bytes))
        return rc;
    // Cutting at or past the end leaves the object as it is.
    if (static_cast<std::uint64_t>(length) >= bytes.size())
        return 0;
    bytes.resize(static_cast<std::size_t>(length));
    return SaveObject(target.db, object.id, bytes);
}

mint ifx_lo_stat(mint fd, ifx_lo_stat_t** stat)
{
    ResetSqlca();
    if (stat)
        *stat = nullptr;
    Target target;
    OpenObject object;
    if (int rc = target.reach(fd, object))
        return rc;
    if (!stat)
        return BadArgument("stat");
    std::string bytes;
    if (int rc = LoadObject(target.db, object.id, bytes))
        return rc;
    *stat = new ifx_lo_stat_s{static_cast<std::int64_t>(bytes.size())};
    return 0;
}

mint ifx_lo_stat_size(ifx_lo_stat_t* stat, ifx_int8_t* size)
{
    ResetSqlca();
    if (!stat || !size)
        return BadArgument("stat");
    ToInt8(stat->size, size);
    return 0;
}

mint ifx_lo_stat_free(ifx_lo_stat_t* stat)
{
    delete stat;
    return 0;
}

mint ifx_lo_to_buffer(ifx_lo_t* lo, mint size_limit, char** buffer, mint* error)
{
    // With *buffer null the library allocates it (malloc; the caller frees it);
    // otherwise at most size_limit bytes go into the caller's buffer.
    ResetSqlca();
    if (!buffer || size_limit < 0)
        return Failed(error, BadArgument("buffer"));
    Target target;
    if (target.error)
        return Failed(error, target.error);
    Handle handle;
    if (int rc = target.resolve(lo, handle))
        return Failed(error, rc);
    std::string bytes;
    if (int rc = LoadObject(target.db, handle.id, bytes))
        return Failed(error, rc);
    const std::size_t n = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(size_limit));
    if (!*buffer) {
        *buffer = static_cast<char*>(std::malloc(n > 0 ? n : 1));
        if (!*buffer)
            return Failed(error, SetError(-208));
    }
    if (n > 0)
        std::memcpy(*buffer, bytes.data(), n);
    if (error)
        *error = 0;
    return static_cast<mint>(n);
}

mint ifx_lo_from_buffer(ifx_lo_t* lo, mint size, char* buffer, mint* error)
{
    // The buffer becomes the whole content: a shorter one must not leave the old tail behind.
    ResetSqlca();
    if (size < 0 || (!buffer && size > 0))
        return Failed(error, BadArgument("buffer"));
    Target target;
    if (target.error)
        return Failed(error, target.error);
    Handle handle;
    if (int rc = target.resolve(lo, handle))
        return Failed(error, rc);
    if (int rc = SaveObject(target.db, handle.id, std::string_view(buffer ? buffer : "", static_cast<std::size_t>(size))))
        return Failed(error, rc);
    if (error)
        *error = 0;
    return size;
}

mint ifx_lo_release(ifx_lo_t* lo)
{
    // Objects stay in the store (a row may still refer to them); release only
    // checks that the handle is one of this library.
    ResetSqlca();
    Handle handle;
    if (!lo || !DecodeHandle(*lo, handle))
        return SetError(kLoError, {}, kIsamNoRecord);
    return 0;
}
