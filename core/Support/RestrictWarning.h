#pragma once

// GCC 12 reports an overlapping copy (-Wrestrict) for a literal put in front of a temporary string
// ("." + name) once it inlines the string code at -O3: a false positive of the compiler. These two
// macros silence that one warning around the code that shows it, so real warnings stand out; other
// compilers are left as they are.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#define ONDRAVELL_IGNORE_RESTRICT_BEGIN                                                                      \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wrestrict\"")
#define ONDRAVELL_IGNORE_RESTRICT_END _Pragma("GCC diagnostic pop")
#else
#define ONDRAVELL_IGNORE_RESTRICT_BEGIN
#define ONDRAVELL_IGNORE_RESTRICT_END
#endif
