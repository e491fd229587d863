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

#ifdef __cplusplus
}
#endif

#endif /* VARNOK_IFXSIM_ADMIN_H */
