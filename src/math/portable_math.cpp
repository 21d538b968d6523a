#include "math/portable_math.h"

extern "C" {
float vexar_musl_sinf(float);
float vexar_musl_cosf(float);
}

float portableSin(float x) { return vexar_musl_sinf(x); }
float portableCos(float x) { return vexar_musl_cosf(x); }
