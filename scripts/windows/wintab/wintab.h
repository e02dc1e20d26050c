/* The tablet interface header for building Qt's Windows platform plugin.
 * Debian's Qt source leaves its own copy out; Wine's copy (wine_wintab.h,
 * copied beside this file by qt.sh) declares the same interface but spells
 * the A/W names with two of Wine's own macros, defined here, and lacks the
 * calling-convention macro API that Qt's function pointer types use. */
#ifndef NOTARION_WINTAB_WRAPPER_H
#define NOTARION_WINTAB_WRAPPER_H

#include <windows.h>

#ifndef WINELIB_NAME_AW
#  ifdef UNICODE
#    define WINELIB_NAME_AW(name) name##W
#  else
#    define WINELIB_NAME_AW(name) name##A
#  endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
#  define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif

#ifndef API
#  define API WINAPI
#endif

#include "wine_wintab.h"

#endif
