/* musl's names, renamed so that they stand beside the C library's own. The
   Linux build gives Debian's musl-dev objects the same names (it reads the
   pairs from this file). */
#define hidden
#define sinf vexar_musl_sinf
#define cosf vexar_musl_cosf
#define __sindf vexar_musl_k_sindf
#define __cosdf vexar_musl_k_cosdf
#define __rem_pio2f vexar_musl_k_rem_pio2f
#define __rem_pio2_large vexar_musl_k_rem_pio2_large
