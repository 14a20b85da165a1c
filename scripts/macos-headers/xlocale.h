/* <xlocale.h>: the calls that take a locale, as xlocale(3) lists them, which the
   C++ library calls on a Mac. locale_t is POSIX and comes from <locale.h>. A Mac
   takes a null locale_t as the C locale, so the ctype calls must be functions,
   not glibc's macros that read through the locale. */
#pragma once

#include <ctype.h>
#include <locale.h>
#include <stddef.h>
#include <stdio.h>
#include <wchar.h>

#undef isalnum_l
#undef isalpha_l
#undef isblank_l
#undef iscntrl_l
#undef isdigit_l
#undef isgraph_l
#undef islower_l
#undef isprint_l
#undef ispunct_l
#undef isspace_l
#undef isupper_l
#undef isxdigit_l
#undef tolower_l
#undef toupper_l

#ifdef __cplusplus
extern "C" {
#endif

long               strtol_l   (const char*, char**, int, locale_t);
unsigned long      strtoul_l  (const char*, char**, int, locale_t);
long long          strtoll_l  (const char*, char**, int, locale_t);
unsigned long long strtoull_l (const char*, char**, int, locale_t);
float              strtof_l   (const char*, char**, locale_t);
double             strtod_l   (const char*, char**, locale_t);
long double        strtold_l  (const char*, char**, locale_t);

int snprintf_l  (char*, size_t, locale_t, const char*, ...);
int asprintf_l  (char**, locale_t, const char*, ...);
int sscanf_l    (const char*, locale_t, const char*, ...);
struct lconv* localeconv_l (locale_t);

int ___mb_cur_max_l (locale_t);
#define MB_CUR_MAX_L(locale) ((size_t) ___mb_cur_max_l (locale))

wint_t btowc_l      (int, locale_t);
int    wctob_l      (wint_t, locale_t);
size_t wcrtomb_l    (char*, wchar_t, mbstate_t*, locale_t);
size_t wcsnrtombs_l (char*, const wchar_t**, size_t, size_t, mbstate_t*, locale_t);
size_t mbrtowc_l    (wchar_t*, const char*, size_t, mbstate_t*, locale_t);
size_t mbsnrtowcs_l (wchar_t*, const char**, size_t, size_t, mbstate_t*, locale_t);
size_t mbsrtowcs_l  (wchar_t*, const char**, size_t, mbstate_t*, locale_t);
size_t mbrlen_l     (const char*, size_t, mbstate_t*, locale_t);
int    mbtowc_l     (wchar_t*, const char*, size_t, locale_t);

#ifdef __cplusplus
}
#endif
