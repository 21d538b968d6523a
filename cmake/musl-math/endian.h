/* x86-64 is little-endian; mingw-w64 has no <endian.h>. */
#define __LITTLE_ENDIAN 1234
#define __BIG_ENDIAN 4321
#define __BYTE_ORDER __LITTLE_ENDIAN
