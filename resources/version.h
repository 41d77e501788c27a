/*
 * The one place the version number lives. Both the resource compiler and the C++
 * sources include this file, so outside the __cplusplus block it holds nothing but
 * preprocessor macros and C-style comments (rc.exe and windres reject anything else).
 */
#ifndef TUNEWARDEN_VERSION_H
#define TUNEWARDEN_VERSION_H

#define TW_VERSION_MAJOR 1
#define TW_VERSION_MINOR 4
#define TW_VERSION_PATCH 0
#define TW_VERSION_BUILD 1

/* Comma form for the FILEVERSION / PRODUCTVERSION statements of VERSIONINFO. */
#define TW_VERSION_RC TW_VERSION_MAJOR, TW_VERSION_MINOR, TW_VERSION_PATCH, TW_VERSION_BUILD

/*
 * The string forms are spelled out rather than pasted together from the numbers:
 * resource compilers differ in how (and whether) they join adjacent string literals
 * inside a VERSIONINFO VALUE. The C++ check at the bottom keeps them in step.
 */
#define TW_VERSION_STRING "1.4.0.1"
#define TW_VERSION_SHORT_STRING "1.4"

#define TW_PRODUCT_NAME "Tunewarden"
#define TW_COMPANY_NAME "Tunewarden"
#define TW_FILE_DESCRIPTION "Tunewarden - player hotkeys and song announcer for Counter-Strike"
#define TW_INTERNAL_NAME "tunewarden"
#define TW_ORIGINAL_FILENAME "tunewarden.exe"
#define TW_COPYRIGHT "Tunewarden contributors"

/* Wide forms for the UNICODE Win32 build. */
#define TW_WIDEN_(s) L##s
#define TW_WIDEN(s) TW_WIDEN_(s)
#define TW_PRODUCT_NAME_W TW_WIDEN(TW_PRODUCT_NAME)
#define TW_VERSION_STRING_W TW_WIDEN(TW_VERSION_STRING)
#define TW_VERSION_SHORT_STRING_W TW_WIDEN(TW_VERSION_SHORT_STRING)

#if defined(__cplusplus) && !defined(RC_INVOKED)
#define TW_STRINGIFY_(x) #x
#define TW_STRINGIFY(x) TW_STRINGIFY_(x)

namespace tunewarden::version_detail {
constexpr bool same_text(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}
}  // namespace tunewarden::version_detail

static_assert(
    tunewarden::version_detail::same_text(
        TW_VERSION_STRING,
        TW_STRINGIFY(TW_VERSION_MAJOR) "." TW_STRINGIFY(TW_VERSION_MINOR) "." TW_STRINGIFY(
            TW_VERSION_PATCH) "." TW_STRINGIFY(TW_VERSION_BUILD)),
    "TW_VERSION_STRING does not match the version numbers");
static_assert(tunewarden::version_detail::same_text(
                  TW_VERSION_SHORT_STRING,
                  TW_STRINGIFY(TW_VERSION_MAJOR) "." TW_STRINGIFY(TW_VERSION_MINOR)),
              "TW_VERSION_SHORT_STRING does not match the version numbers");
#endif

#endif /* TUNEWARDEN_VERSION_H */
