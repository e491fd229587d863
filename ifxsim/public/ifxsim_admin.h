/*
 * ifxsim_admin.h - administration entry points of the stand-in library that
 * a real client library does not have (what an administrator does on the
 * server side, for tests and tools).
 */
#ifndef VARNOK_IFXSIM_ADMIN_H
#define VARNOK_IFXSIM_ADMIN_H

#ifdef __cplusplus
extern "C" {
#endif

/* Ends session `sid` as "onmode -z" would: a request running in it stops,
 * its next request fails with -25580 and its connection is gone.
 * Returns 0, or -1 when no such session exists. */
int ifxsim_kill_session(int sid);

/* Session id of the calling thread's current connection, -1 without one. */
int ifxsim_current_session(void);

/* A request that keeps the server busy for `ms` milliseconds on the current
 * connection (reading its open database, when one is open), for trying out
 * interruption and the request callback: 0 when the time ran out, -213 when
 * sqlbreak stopped it, -25580 when the session was killed, -1803 without a
 * connection. */
int ifxsim_busy_request(int ms);

#ifdef __cplusplus
}
#endif

#endif /* VARNOK_IFXSIM_ADMIN_H */
