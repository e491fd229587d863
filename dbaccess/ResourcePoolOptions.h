#pragma once
// Connection pooling settings of a connection (off unless Enabled; the
// program never enables it). Times in milliseconds.
namespace varnok {

struct TResourcePoolOptions {
    bool Enabled = false;
    int Min = 1;
    int Max = 5;
    unsigned TimeOut = 15000;   // wait for a free slot
    unsigned LifeTime = 5000;   // idle resources beyond Min live this long
    unsigned MaxTime = 0;       // with a value: every idle resource older than this goes
    bool operator==(const TResourcePoolOptions&) const = default;
};

}  // namespace varnok
