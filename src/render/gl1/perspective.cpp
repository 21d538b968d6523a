#include "math/camera.h"
#include "render/gl1/fixed_state.h"
#include "render/gl1/gl.h"

#include <cmath>

void setPerspective(float aspect) {
    double h = kNearPlane * std::tan(kHalfFieldOfView);
    glFrustum(-h * aspect, h * aspect, -h, h, kNearPlane, kFarPlane);
}
