/* What musl's sine, cosine and tangent take from <math.h>, for x86-64 with
   SSE arithmetic: with this in place of the C library's own header the same
   source compiles alike against glibc and mingw-w64. */
#ifndef VEXAR_MUSL_MATH_H
#define VEXAR_MUSL_MATH_H
typedef float float_t;
typedef double double_t;
#define M_PI_2 1.57079632679489661923
double floor(double);
double scalbn(double, int);
#endif
