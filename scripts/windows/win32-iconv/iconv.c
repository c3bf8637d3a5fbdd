/* iconv over the Win32 code-page functions (see iconv.h). One character at
   a time: its bytes are found (a lead byte for the double-byte code pages,
   a surrogate pair in UTF-16), turned into UTF-16 by Windows and written as
   UTF-8 here, so that an error stops exactly before the character at fault,
   as iconv must. */
#include "iconv.h"
#include "localcharset.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

enum { FROM_UTF16LE = 1200, FROM_ASCII = 20127 };

struct win32_iconv {
    UINT codepage;
    int double_byte;
};

/* The code page a name stands for, or 0. */
static UINT codepage_named(const char *name)
{
    char *end;
    unsigned long number;
    if (_stricmp(name, "UTF-16LE") == 0)
        return FROM_UTF16LE;
    if (_stricmp(name, "ASCII") == 0)
        return FROM_ASCII;
    if (_stricmp(name, "MacRoman") == 0)
        return 10000;
    if (_strnicmp(name, "CP", 2) != 0 || name[2] < '0' || name[2] > '9')
        return 0;
    number = strtoul(name + 2, &end, 10);
    return *end == '\0' && number < 65000 && IsValidCodePage((UINT)number) ? (UINT)number : 0;
}

iconv_t iconv_open(const char *tocode, const char *fromcode)
{
    struct win32_iconv *cd;
    UINT codepage = codepage_named(fromcode);
    CPINFO info;
    if (codepage == 0 || (_stricmp(tocode, "UTF-8") != 0 && _stricmp(tocode, "UTF8") != 0)) {
        errno = EINVAL;
        return (iconv_t)-1;
    }
    cd = malloc(sizeof *cd);
    if (cd == NULL) {
        errno = ENOMEM;
        return (iconv_t)-1;
    }
    cd->codepage = codepage;
    cd->double_byte = codepage != FROM_UTF16LE && GetCPInfo(codepage, &info) && info.MaxCharSize == 2;
    return cd;
}

int iconv_close(iconv_t cd)
{
    free(cd);
    return 0;
}

static unsigned utf16_unit(const unsigned char *bytes)
{
    return bytes[0] | (unsigned)bytes[1] << 8;
}

/* Reads one character into its code point; returns the bytes it took, 0
   when the input ends inside it (EINVAL), -1 when it is invalid (EILSEQ). */
static int read_character(const struct win32_iconv *cd, const unsigned char *in, size_t left,
                          unsigned long *codepoint)
{
    WCHAR units[2];
    int length, count;
    if (cd->codepage == FROM_UTF16LE) {
        unsigned high, low;
        if (left < 2)
            return 0;
        high = utf16_unit(in);
        if (high < 0xD800 || high > 0xDFFF) {
            *codepoint = high;
            return 2;
        }
        if (high > 0xDBFF)
            return -1;
        if (left < 4)
            return 0;
        low = utf16_unit(in + 2);
        if (low < 0xDC00 || low > 0xDFFF)
            return -1;
        *codepoint = 0x10000 + ((unsigned long)(high - 0xD800) << 10) + (low - 0xDC00);
        return 4;
    }
    if (cd->codepage == FROM_ASCII) {
        if (in[0] > 0x7F)
            return -1;
        *codepoint = in[0];
        return 1;
    }
    length = cd->double_byte && IsDBCSLeadByteEx(cd->codepage, in[0]) ? 2 : 1;
    if (left < (size_t)length)
        return 0;
    count = MultiByteToWideChar(cd->codepage, MB_ERR_INVALID_CHARS, (LPCCH)in, length, units, 2);
    if (count == 1 && (units[0] < 0xD800 || units[0] > 0xDFFF))
        *codepoint = units[0];
    else if (count == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 && units[1] <= 0xDFFF)
        *codepoint = 0x10000 + ((unsigned long)(units[0] - 0xD800) << 10) + (units[1] - 0xDC00);
    else
        return -1;
    return length;
}

/* Writes a code point as UTF-8 into out; returns its length. */
static size_t utf8_bytes(unsigned long codepoint, unsigned char *out)
{
    if (codepoint < 0x80) {
        out[0] = (unsigned char)codepoint;
        return 1;
    }
    if (codepoint < 0x800) {
        out[0] = (unsigned char)(0xC0 | codepoint >> 6);
        out[1] = (unsigned char)(0x80 | (codepoint & 0x3F));
        return 2;
    }
    if (codepoint < 0x10000) {
        out[0] = (unsigned char)(0xE0 | codepoint >> 12);
        out[1] = (unsigned char)(0x80 | (codepoint >> 6 & 0x3F));
        out[2] = (unsigned char)(0x80 | (codepoint & 0x3F));
        return 3;
    }
    out[0] = (unsigned char)(0xF0 | codepoint >> 18);
    out[1] = (unsigned char)(0x80 | (codepoint >> 12 & 0x3F));
    out[2] = (unsigned char)(0x80 | (codepoint >> 6 & 0x3F));
    out[3] = (unsigned char)(0x80 | (codepoint & 0x3F));
    return 4;
}

size_t iconv(iconv_t cd, char **inbuf, size_t *inbytesleft, char **outbuf, size_t *outbytesleft)
{
    if (inbuf == NULL || *inbuf == NULL)
        return 0; /* no shift state to reset: every code page here is stateless */
    while (*inbytesleft > 0) {
        unsigned long codepoint;
        unsigned char utf8[4];
        size_t utf8_length;
        int taken = read_character(cd, (const unsigned char *)*inbuf, *inbytesleft, &codepoint);
        if (taken <= 0) {
            errno = taken == 0 ? EINVAL : EILSEQ;
            return (size_t)-1;
        }
        utf8_length = utf8_bytes(codepoint, utf8);
        if (utf8_length > *outbytesleft) {
            errno = E2BIG;
            return (size_t)-1;
        }
        memcpy(*outbuf, utf8, utf8_length);
        *outbuf += utf8_length;
        *outbytesleft -= utf8_length;
        *inbuf += taken;
        *inbytesleft -= (size_t)taken;
    }
    return 0;
}

const char *locale_charset(void)
{
    static char name[16];
    snprintf(name, sizeof name, "CP%u", GetACP());
    return name;
}
