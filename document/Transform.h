// An affine transform of the plane, [a b; c d] plus (tx, ty): where a block
// insertion places the members of its definition.
#pragma once

#include <cmath>

#include <tintwright/document/jwwtype.h>

namespace tw {

struct Transform {
    double a = 1, b = 0, c = 0, d = 1;
    double tx = 0, ty = 0;

    void Apply(double x, double y, double& ox, double& oy) const {
        ox = tx + a * x + b * y;
        oy = ty + c * x + d * y;
    }
    // This transform after `inner`: points go through inner first.
    Transform After(const Transform& inner) const {
        Transform t;
        t.a = a * inner.a + b * inner.c;
        t.b = a * inner.b + b * inner.d;
        t.c = c * inner.a + d * inner.c;
        t.d = c * inner.b + d * inner.d;
        Apply(inner.tx, inner.ty, t.tx, t.ty);
        return t;
    }
    bool IsIdentity() const { return a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0; }
    // How much the transform enlarges lengths, as the root of its area factor.
    double Scale() const { return std::sqrt(std::fabs(a * d - b * c)); }
    // The angle by which it turns the x axis, in radians.
    double Rotation() const { return std::atan2(c, a); }
};

// Where an insertion puts its definition's members: scaled by dBairitsuX and
// dBairitsuY, turned by radKaitenKaku, moved to DPKijunTen.
inline Transform InsertionTransform(const TEntJwwBlock& insertion) {
    const double cs = std::cos(insertion.radKaitenKaku);
    const double sn = std::sin(insertion.radKaitenKaku);
    return {insertion.dBairitsuX * cs, -insertion.dBairitsuY * sn, insertion.dBairitsuX * sn,
            insertion.dBairitsuY * cs, insertion.DPKijunTen_x,     insertion.DPKijunTen_y};
}

}  // namespace tw
