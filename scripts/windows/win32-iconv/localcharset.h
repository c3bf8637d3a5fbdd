/* The locale's character set, as GNU libiconv's localcharset.h gives it;
   freexl includes this header when built for Windows. */
#ifndef WIN32_LOCALCHARSET_H
#define WIN32_LOCALCHARSET_H

#ifdef __cplusplus
extern "C" {
#endif

/* "CPnnn" for the system's ANSI code page. */
const char *locale_charset(void);

#ifdef __cplusplus
}
#endif

#endif
