/*
 * A stand-in for a client library of the wrong version: it exports every
 * entry point name the access layer looks up except one. The build defines
 * that one name as "<name>_absent", so expanding the list below exports the
 * renamed symbol instead. The names are plain data symbols: the binding only
 * looks them up, and the tests never call them.
 */
#include "dbaccess/IfxEntryPoints.h"

#define VARNOK_EXPORT_NAME(name) __attribute__((visibility("default"))) char name = 0;
VARNOK_IFX_REQUIRED_ENTRY_POINTS(VARNOK_EXPORT_NAME)
VARNOK_IFX_OPTIONAL_ENTRY_POINTS(VARNOK_EXPORT_NAME)
