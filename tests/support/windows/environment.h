// The POSIX calls the tests set SDL's drivers with, on Windows's C library.
// _putenv_s also sets the process environment, which SDL reads.
#pragma once
#ifdef __cplusplus
#include <cstdlib>
inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name)) return 0;
    return _putenv_s(name, value);
}
// An empty value removes the variable.
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
#endif
