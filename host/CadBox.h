#pragma once
// What the CAD readers share: a point in model space and the box that grows
// around every point a reader finds.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace cad {

using Vec3 = std::array<double, 3>;

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
inline Vec3 operator*(double s, const Vec3& a) { return {s * a[0], s * a[1], s * a[2]}; }
inline double Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Smallest box around every finite point seen.
class CBox {
public:
    void Add(double x, double y, double z)
    {
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
            return;
        const double p[3] = {x, y, z};
        for (int i = 0; i < 3; ++i) {
            m_lo[i] = std::min(m_lo[i], p[i]);
            m_hi[i] = std::max(m_hi[i], p[i]);
        }
        m_empty = false;
    }
    void Add(const Vec3& p) { Add(p[0], p[1], p[2]); }
    bool Empty() const { return m_empty; }
    // The box's size along x, y and z divided by `scale`.
    void Extents(float extents[3], double scale) const
    {
        // A float holds any size a real part has; a wilder file reads as the largest one.
        for (int i = 0; i < 3; ++i)
            extents[i] = static_cast<float>(
                std::min((m_hi[i] - m_lo[i]) / scale, static_cast<double>(std::numeric_limits<float>::max())));
    }

private:
    double m_lo[3] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                      std::numeric_limits<double>::max()};
    double m_hi[3] = {-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                      -std::numeric_limits<double>::max()};
    bool m_empty = true;
};

} // namespace cad
