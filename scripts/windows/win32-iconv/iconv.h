/* iconv for Windows over the Win32 code-page functions, as much of it as
   freexl uses: conversion to UTF-8 from the code pages an Excel 97-2003
   workbook declares (CPnnn, ASCII, MacRoman) and from UTF-16LE. Debian has
   no iconv built for mingw-w64; Windows converts these code pages itself. */
#ifndef WIN32_ICONV_H
#define WIN32_ICONV_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct win32_iconv *iconv_t;

/* Only "UTF-8" as tocode; fromcode as listed above. (iconv_t)-1 and errno
   EINVAL for any other pair. */
iconv_t iconv_open(const char *tocode, const char *fromcode);

/* POSIX semantics: converts whole characters, advancing the pointers past
   what was converted; (size_t)-1 with errno E2BIG (output full), EILSEQ
   (a byte sequence the code page does not define) or EINVAL (the input
   ends inside a character). Returns 0 otherwise: nothing is replaced. */
size_t iconv(iconv_t cd, char **inbuf, size_t *inbytesleft, char **outbuf, size_t *outbytesleft);

int iconv_close(iconv_t cd);

#ifdef __cplusplus
}
#endif

#endif
