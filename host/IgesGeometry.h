#pragma once
// The exact geometry the IGES size is measured with: the placement an IGES
// transformation matrix gives, and conic arcs, which keep their form when
// placed and so are measured exactly after it.
#include "host/CadBox.h"

#include <numbers>
#include <vector>

namespace cad {

inline constexpr double kTwoPi = 2 * std::numbers::pi;

// An affine map as the transformation matrix entity (type 124) holds it: a
// 3 x 3 matrix and a translation.
struct CIgesTransform {
    double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

    Vec3 Vector(const Vec3& v) const;
    Vec3 Point(const Vec3& p) const;
    // The map that applies `inner` first and this one after it.
    CIgesTransform After(const CIgesTransform& inner) const;
};

// A conic arc as origin + f(t) e1 + g(t) e2 for t from t0 to t1, with (f, g)
// (cos t, sin t) for an ellipse, (cosh t, sinh t) for a hyperbola and
// (t, a t^2 + b t + c) for a parabola.
struct CConicArc {
    enum Kind { kEllipse, kHyperbola, kParabola } kind = kEllipse;
    Vec3 origin{}, e1{}, e2{};
    double t0 = 0, t1 = 0;
    double a = 0, b = 0, c = 0;

    Vec3 At(double t) const;
    // Where coordinate `axis` turns, as parameters inside (t0, t1).
    std::vector<double> Turns(int axis) const;
    CConicArc Placed(const CIgesTransform& transform) const;
};

// A circular arc entity's (type 100) parameters, p[0] the type, as an arc;
// false when they hold no arc with a size.
bool CircularArc(const std::vector<double>& p, CConicArc& arc);
// The same for a conic arc entity (type 104).
bool ConicArc(const std::vector<double>& p, CConicArc& arc);

} // namespace cad
