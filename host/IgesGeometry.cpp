#include "host/IgesGeometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace cad {

Vec3 CIgesTransform::Vector(const Vec3& v) const
{
    Vec3 r;
    for (int i = 0; i < 3; ++i)
        r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return r;
}

Vec3 CIgesTransform::Point(const Vec3& p) const { return Vector(p) + Vec3{m[0][3], m[1][3], m[2][3]}; }

CIgesTransform CIgesTransform::After(const CIgesTransform& inner) const
{
    CIgesTransform r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m[i][0] * inner.m[0][j] + m[i][1] * inner.m[1][j] + m[i][2] * inner.m[2][j] +
                        (j == 3 ? m[i][3] : 0.0);
    return r;
}

Vec3 CConicArc::At(double t) const
{
    switch (kind) {
    case kEllipse: return origin + std::cos(t) * e1 + std::sin(t) * e2;
    case kHyperbola: return origin + std::cosh(t) * e1 + std::sinh(t) * e2;
    case kParabola: break;
    }
    return origin + t * e1 + (a * t * t + b * t + c) * e2;
}

std::vector<double> CConicArc::Turns(int axis) const
{
    const double alpha = e1[axis], beta = e2[axis];
    std::vector<double> turns;
    auto keep = [&](double t) {
        if (std::isfinite(t) && t > t0 && t < t1)
            turns.push_back(t);
    };
    if (kind == kEllipse) {
        // Every half turn from atan2(beta, alpha); an arc spans at most a whole turn.
        const double first = std::atan2(beta, alpha);
        double t = first + std::ceil((t0 - first) / std::numbers::pi) * std::numbers::pi;
        for (int k = 0; k < 3 && t < t1; ++k, t += std::numbers::pi)
            keep(t);
    } else if (kind == kHyperbola) {
        if (std::abs(beta) < std::abs(alpha))
            keep(std::atanh(-beta / alpha));
    } else if (beta * a != 0) {
        keep(-(alpha + beta * b) / (2 * beta * a));
    }
    return turns;
}

// An affine map keeps the arc's form, so the placed arc is still measured exactly.
CConicArc CConicArc::Placed(const CIgesTransform& transform) const
{
    CConicArc placed = *this;
    placed.origin = transform.Point(origin);
    placed.e1 = transform.Vector(e1);
    placed.e2 = transform.Vector(e2);
    return placed;
}

namespace {

// An ellipse runs counterclockwise from its start to its end, a whole turn
// when the two coincide.
bool SetCounterclockwise(CConicArc& arc, double start, double end)
{
    arc.t0 = start;
    arc.t1 = end;
    if (arc.t1 <= arc.t0)
        arc.t1 += kTwoPi;
    return std::isfinite(arc.t0) && std::isfinite(arc.t1);
}

// Hyperbolas and parabolas span the parameters between their ends, either
// way round.
bool SetSpan(CConicArc& arc, double start, double end)
{
    arc.t0 = start;
    arc.t1 = end;
    if (arc.t1 < arc.t0)
        std::swap(arc.t0, arc.t1);
    return std::isfinite(arc.t0) && std::isfinite(arc.t1);
}

// A conic's equation turned onto its principal axes u and v in the
// definition plane, l1 u^2 + l2 v^2 + d1 u + d2 v + F = 0, with the arc's
// start (us, vs) and end (ue, ve) in that frame.
struct CPrincipalConic {
    Vec3 plane, u, v;
    double l1, l2, d1, d2, F;
    double us, vs, ue, ve;
};

CPrincipalConic ToPrincipalAxes(const std::vector<double>& p)
{
    const double A = p[1], B = p[2], C = p[3], D = p[4], E = p[5];
    const double phi = 0.5 * std::atan2(B, A - C);
    const double cs = std::cos(phi), sn = std::sin(phi);
    CPrincipalConic q;
    q.plane = {0, 0, p[7]};
    q.u = {cs, sn, 0};
    q.v = {-sn, cs, 0};
    q.l1 = A * cs * cs + B * cs * sn + C * sn * sn;
    q.l2 = A * sn * sn - B * cs * sn + C * cs * cs;
    q.d1 = D * cs + E * sn;
    q.d2 = -D * sn + E * cs;
    q.F = p[6];
    q.us = p[8] * cs + p[9] * sn;
    q.vs = -p[8] * sn + p[9] * cs;
    q.ue = p[10] * cs + p[11] * sn;
    q.ve = -p[10] * sn + p[11] * cs;
    return q;
}

// About the centre (u0, v0) the ellipse reads l1 U^2 + l2 V^2 = g.
bool EllipseArc(const CPrincipalConic& q, double u0, double v0, double g, CConicArc& arc)
{
    const double ra = std::sqrt(g / q.l1), rb = std::sqrt(g / q.l2);
    if (!(ra > 0) || !(rb > 0))
        return false;
    arc.kind = CConicArc::kEllipse;
    arc.e1 = ra * q.u;
    arc.e2 = rb * q.v;
    return SetCounterclockwise(arc, std::atan2((q.vs - v0) / rb, (q.us - u0) / ra),
                               std::atan2((q.ve - v0) / rb, (q.ue - u0) / ra));
}

// The same about the centre of a hyperbola, which opens along the axis whose
// term has the sign of g.
bool HyperbolaArc(const CPrincipalConic& q, double u0, double v0, double g, CConicArc& arc)
{
    const bool alongU = g / q.l1 > 0;
    const Vec3 across = alongU ? q.u : q.v, conj = alongU ? q.v : q.u;
    const double lt = alongU ? q.l1 : q.l2, lc = alongU ? q.l2 : q.l1;
    const double ts = alongU ? q.us - u0 : q.vs - v0, te = alongU ? q.ue - u0 : q.ve - v0;
    const double cStart = alongU ? q.vs - v0 : q.us - u0, cEnd = alongU ? q.ve - v0 : q.ue - u0;
    const double ra = std::sqrt(g / lt), rb = std::sqrt(-g / lc);
    if (!(ra > 0) || !(rb > 0) || !(ts * te > 0)) // both ends on one branch
        return false;
    arc.kind = CConicArc::kHyperbola;
    arc.e1 = (ts > 0 ? ra : -ra) * across;
    arc.e2 = rb * conj;
    return SetSpan(arc, std::asinh(cStart / rb), std::asinh(cEnd / rb));
}

bool CentralArc(const CPrincipalConic& q, CConicArc& arc)
{
    const double u0 = -q.d1 / (2 * q.l1), v0 = -q.d2 / (2 * q.l2);
    const double g = q.l1 * u0 * u0 + q.l2 * v0 * v0 - q.F;
    arc.origin = q.plane + u0 * q.u + v0 * q.v;
    if (q.l1 * q.l2 > 0)
        return EllipseArc(q, u0, v0, g, arc);
    return HyperbolaArc(q, u0, v0, g, arc);
}

// A parabola: the squared coordinate runs along t, the other follows.
bool ParabolaArc(const CPrincipalConic& q, double eps, CConicArc& arc)
{
    const bool alongU = std::abs(q.l1) > eps;
    const double l = alongU ? q.l1 : q.l2, dt = alongU ? q.d1 : q.d2, dn = alongU ? q.d2 : q.d1;
    if (std::abs(dn) <= eps)
        return false;
    arc.kind = CConicArc::kParabola;
    arc.origin = q.plane;
    arc.e1 = alongU ? q.u : q.v;
    arc.e2 = alongU ? q.v : q.u;
    arc.a = -l / dn;
    arc.b = -dt / dn;
    arc.c = -q.F / dn;
    return SetSpan(arc, alongU ? q.us : q.vs, alongU ? q.ue : q.ve);
}

} // namespace

// Counterclockwise in the definition plane from the start point to the end
// point, a whole circle when the two coincide.
bool CircularArc(const std::vector<double>& p, CConicArc& arc)
{
    if (p.size() < 8)
        return false;
    const double zt = p[1], cx = p[2], cy = p[3];
    const double radius = std::hypot(p[4] - cx, p[5] - cy);
    if (!(radius > 0) || !std::isfinite(radius))
        return false;
    arc.kind = CConicArc::kEllipse;
    arc.origin = {cx, cy, zt};
    arc.e1 = {radius, 0, 0};
    arc.e2 = {0, radius, 0};
    return SetCounterclockwise(arc, std::atan2(p[5] - cy, p[4] - cx), std::atan2(p[7] - cy, p[6] - cx));
}

// A x^2 + B xy + C y^2 + D x + E y + F = 0 in the definition plane, from the
// start point to the end point (counterclockwise on an ellipse). The kind
// follows from the coefficients, not the form number, which older files
// leave 0.
bool ConicArc(const std::vector<double>& p, CConicArc& arc)
{
    if (p.size() < 12)
        return false;
    const CPrincipalConic q = ToPrincipalAxes(p);
    const double size = std::max(std::abs(q.l1), std::abs(q.l2));
    if (!(size > 0) || !std::isfinite(size))
        return false;
    const double eps = 1e-9 * size;
    if (std::abs(q.l1) > eps && std::abs(q.l2) > eps)
        return CentralArc(q, arc);
    return ParabolaArc(q, eps, arc);
}

} // namespace cad
