#include "host/IgesModel.h"

#include "host/IgesGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace cad {

namespace {

// One entity of the directory with its parameters; p[0] is the type, p[k]
// the k-th parameter.
struct CIgesEntity {
    std::vector<double> p;
    long form = 0;
    long matrix = 0;
    long use = 0; // the status' entity use flag: 1 annotation, 5 parameter space...

    long Type() const { return p.empty() ? 0 : ToWhole(p[0]); }
    long Pointer(std::size_t k) const { return k < p.size() ? ToWhole(p[k]) : 0; }
    double At(std::size_t k) const { return k < p.size() ? p[k] : 0.0; }
};

// A count at `countAt`, then that many pointers from `firstAt`, `stride`
// apart: visit(k) for the index of each.
template <class Visit>
void ForEachListed(const CIgesEntity& e, std::size_t countAt, std::size_t firstAt, std::size_t stride, Visit visit)
{
    const long n = e.Pointer(countAt);
    for (long k = 0; k < n && firstAt + stride * static_cast<std::size_t>(k) < e.p.size(); ++k)
        visit(firstAt + stride * static_cast<std::size_t>(k));
}

// A count at `countAt`, then that many records from the next parameter on,
// each `head` parameters ending in the count of the parameter-space curves
// that follow it, `perCurve` parameters each: visit(at, curves) for the
// record at `at`.
template <class Visit>
void ForEachCurveRecord(const CIgesEntity& e, std::size_t countAt, std::size_t head, std::size_t perCurve, Visit visit)
{
    std::size_t at = countAt + 1;
    for (long k = 0, n = e.Pointer(countAt); k < n && at + head - 1 < e.p.size(); ++k) {
        const long curves = e.Pointer(at + head - 1);
        visit(at, curves);
        if (curves < 0)
            break;
        at += head + perCurve * static_cast<std::size_t>(curves);
    }
}

// A boundary entity (type 141): per boundary its model-space curve, its
// sense and the count of its parameter-space curves.
template <class Visit>
void ForEachBoundary(const CIgesEntity& e, Visit visit)
{
    ForEachCurveRecord(e, 4, 3, 1, visit);
}

// A loop of a face (type 508): per edge its kind, its edge list, its place
// in that list, its orientation and the count of its parameter-space curves,
// each with its own flag.
template <class Visit>
void ForEachLoopEdge(const CIgesEntity& e, Visit visit)
{
    ForEachCurveRecord(e, 1, 5, 2, visit);
}

// Where measured points go: straight into the box, or into a list that a
// surface sweeps (a generatrix, a directrix).
struct CSink {
    CBox* box = nullptr;
    std::vector<Vec3>* points = nullptr;
};

// The file's entities and the roles their pointers give them, walked from
// the entities that nothing else owns.
class CIgesModel {
public:
    explicit CIgesModel(const CIgesSections& sections, const CIgesGlobal& global);
    void Measure(CBox& box);

private:
    std::size_t ReadParameters(const CIgesSections& sections, const CIgesGlobal& global);
    void ReadDirectory(const std::vector<std::string_view>& directory);
    const CIgesEntity* Find(long de) const;
    CIgesTransform OwnTransform(const CIgesEntity& e) const;
    void Mark(std::unordered_set<long>& role, const CIgesEntity& e, std::size_t k);
    void MarkReferences(const CIgesEntity& e);
    void MarkBoundaryReferences(const CIgesEntity& e);
    void MarkLoopReferences(const CIgesEntity& e);
    void Emit(const CSink& sink, const Vec3& point);
    void EmitArc(const CSink& sink, const CConicArc& arc, int samples);
    void Collect(long de, const CIgesTransform& outer, int depth, const CSink& sink);
    void CollectConic(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink);
    void CollectList(const CIgesEntity& e, std::size_t countAt, std::size_t firstAt, std::size_t stride,
                     const CIgesTransform& t, int depth, const CSink& sink);
    void CollectCopious(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink);
    void CollectSpline(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink);
    void CollectCubic(const double* c, double length, const CIgesTransform& t, const CSink& sink);
    void CollectControlPoints(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink);
    void CollectBoundary(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);
    void CollectLoop(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);
    void Revolve(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);
    void Tabulate(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);
    void Offset(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink);

    std::unordered_map<long, CIgesEntity> m_entities; // by directory sequence number
    std::vector<long> m_order;
    std::unordered_set<long> m_owned;    // measured through the entity that refers to it
    std::unordered_set<long> m_notShape; // a position, a direction or a parameter-space curve
    // Shared entities may be reached many times; these bound the work a
    // file can ask for to a multiple of its own size.
    std::size_t m_visitsLeft = 0;
    std::size_t m_pointsLeft = 0;
};

CIgesModel::CIgesModel(const CIgesSections& sections, const CIgesGlobal& global)
{
    const std::size_t numbers = ReadParameters(sections, global);
    ReadDirectory(sections.directory);
    for (long de : m_order)
        MarkReferences(m_entities[de]);
    m_visitsLeft = 16 * m_entities.size() + 1024;
    m_pointsLeft = 16 * numbers + 100000;
}

// Every entity's parameters as numbers; returns how many numbers were read.
std::size_t CIgesModel::ReadParameters(const CIgesSections& sections, const CIgesGlobal& global)
{
    std::size_t numbers = 0;
    std::string value;
    for (const auto& [owner, params] : sections.parameters) {
        CIgesParams split(params, global.paramDelim, global.recordDelim);
        CIgesEntity entity;
        while (split.Next(value))
            entity.p.push_back(IgesReal(value));
        numbers += entity.p.size();
        if (m_entities.try_emplace(owner, std::move(entity)).second)
            m_order.push_back(owner);
    }
    return numbers;
}

// Directory entries come in pairs of records; an entity's sequence number
// is the record number of its first line (odd numbers 1, 3, 5...).
void CIgesModel::ReadDirectory(const std::vector<std::string_view>& directory)
{
    auto field = [](std::string_view record, std::size_t at, std::size_t size) {
        return record.size() >= at + size ? std::strtol(std::string(record.substr(at, size)).c_str(), nullptr, 10) : 0L;
    };
    for (std::size_t i = 0; i + 1 < directory.size(); i += 2) {
        auto it = m_entities.find(static_cast<long>(i) + 1);
        if (it == m_entities.end())
            continue;
        const std::string_view first = directory[i];
        it->second.matrix = field(first, 48, 8);
        it->second.use = field(first, 68, 2);
        it->second.form = field(directory[i + 1], 32, 8);
    }
}

const CIgesEntity* CIgesModel::Find(long de) const
{
    if (de <= 0)
        return nullptr;
    const auto it = m_entities.find(de);
    return it == m_entities.end() ? nullptr : &it->second;
}

// A matrix may itself be placed by another matrix, which applies after it.
CIgesTransform CIgesModel::OwnTransform(const CIgesEntity& e) const
{
    CIgesTransform result;
    long next = e.matrix;
    for (int chain = 0; chain < 8 && next > 0; ++chain) {
        const CIgesEntity* m = Find(next);
        if (m == nullptr || m->Type() != 124 || m->p.size() < 13)
            break;
        CIgesTransform t;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                t.m[r][c] = m->p[1 + 4 * r + c];
        result = t.After(result);
        next = m->matrix;
    }
    return result;
}

void CIgesModel::Mark(std::unordered_set<long>& role, const CIgesEntity& e, std::size_t k)
{
    if (const long de = e.Pointer(k); de > 0)
        role.insert(de);
}

// The pointers each kind of entity holds, by the role of what they point to.
void CIgesModel::MarkReferences(const CIgesEntity& e)
{
    auto owned = [&](std::size_t k) { Mark(m_owned, e, k); };
    auto notShape = [&](std::size_t k) { Mark(m_notShape, e, k); };
    auto counted = [&](std::size_t countAt, std::size_t firstAt, std::size_t stride) {
        ForEachListed(e, countAt, firstAt, stride, owned);
    };
    switch (e.Type()) {
    case 102: counted(1, 2, 1); break;
    case 108: owned(5); break;
    case 118: owned(1); owned(2); break;
    case 120: notShape(1); owned(2); break; // the axis only gives a direction
    case 122: owned(1); break;
    case 140: owned(5); break;
    case 141: MarkBoundaryReferences(e); break;
    case 142: owned(2); notShape(3); owned(4); break;
    case 143: owned(2); counted(3, 4, 1); break;
    case 144: owned(1); owned(4); counted(3, 5, 1); break;
    case 186: owned(1); counted(3, 4, 2); break;
    case 504: counted(1, 2, 5); counted(1, 3, 5); counted(1, 5, 5); break;
    case 508: MarkLoopReferences(e); break;
    case 510: owned(1); counted(2, 4, 1); break;
    case 514: counted(1, 2, 2); break;
    // Analytic surfaces: their points are locations, their other pointers directions.
    case 190: notShape(1); notShape(2); notShape(3); break;
    case 192: notShape(1); notShape(2); notShape(4); break;
    case 194: notShape(1); notShape(2); notShape(5); break;
    case 196: notShape(1); notShape(3); notShape(4); break;
    case 198: notShape(1); notShape(2); notShape(5); break;
    default: break;
    }
}

void CIgesModel::MarkBoundaryReferences(const CIgesEntity& e)
{
    Mark(m_owned, e, 3);
    ForEachBoundary(e, [&](std::size_t at, long curves) {
        Mark(m_owned, e, at);
        for (long c = 0; c < curves && at + 3 + static_cast<std::size_t>(c) < e.p.size(); ++c)
            Mark(m_notShape, e, at + 3 + static_cast<std::size_t>(c));
    });
}

void CIgesModel::MarkLoopReferences(const CIgesEntity& e)
{
    ForEachLoopEdge(e, [&](std::size_t at, long curves) {
        Mark(m_owned, e, at + 1);
        for (long c = 0; c < curves && at + 6 + 2 * static_cast<std::size_t>(c) < e.p.size(); ++c)
            Mark(m_notShape, e, at + 6 + 2 * static_cast<std::size_t>(c));
    });
}

void CIgesModel::Measure(CBox& box)
{
    const CSink sink{&box, nullptr};
    for (long de : m_order) {
        const CIgesEntity& e = m_entities[de];
        // Annotation and parameter-space entities are not part of the shape.
        if (m_owned.count(de) || m_notShape.count(de) || e.use == 1 || e.use == 5)
            continue;
        Collect(de, CIgesTransform(), 0, sink);
    }
}

void CIgesModel::Emit(const CSink& sink, const Vec3& point)
{
    if (m_pointsLeft == 0)
        return;
    --m_pointsLeft;
    if (sink.box)
        sink.box->Add(point);
    else
        sink.points->push_back(point);
}

// The ends first (a swept curve starts at the first point), samples for a
// sweep to turn, then the exact turning points along each axis.
void CIgesModel::EmitArc(const CSink& sink, const CConicArc& arc, int samples)
{
    Emit(sink, arc.At(arc.t0));
    Emit(sink, arc.At(arc.t1));
    for (int s = 1; s < samples; ++s)
        Emit(sink, arc.At(arc.t0 + (arc.t1 - arc.t0) * s / samples));
    for (int axis = 0; axis < 3; ++axis)
        for (double t : arc.Turns(axis))
            Emit(sink, arc.At(t));
}

void CIgesModel::Collect(long de, const CIgesTransform& outer, int depth, const CSink& sink)
{
    const CIgesEntity* found = Find(de);
    if (found == nullptr || depth > 32 || m_visitsLeft == 0)
        return;
    --m_visitsLeft;
    const CIgesEntity& e = *found;
    const CIgesTransform t = outer.After(OwnTransform(e));
    auto point = [&](std::size_t k) {
        if (k + 2 < e.p.size())
            Emit(sink, t.Point({e.p[k], e.p[k + 1], e.p[k + 2]}));
    };
    switch (e.Type()) {
    case 100:
    case 104: CollectConic(e, t, sink); break;
    case 102: CollectList(e, 1, 2, 1, t, depth, sink); break;
    case 106: CollectCopious(e, t, sink); break;
    case 108: // a bounded plane is its boundary; an unbounded one has no size
        if (e.form != 0)
            Collect(e.Pointer(5), t, depth + 1, sink);
        break;
    case 110: // rays and infinite lines have no ends to measure
        if (e.form == 0) {
            point(1);
            point(4);
        }
        break;
    case 112: CollectSpline(e, t, sink); break;
    case 116: point(1); break;
    case 118:
        Collect(e.Pointer(1), t, depth + 1, sink);
        Collect(e.Pointer(2), t, depth + 1, sink);
        break;
    case 120: Revolve(e, t, depth, sink); break;
    case 122: Tabulate(e, t, depth, sink); break;
    case 126:
    case 128: CollectControlPoints(e, t, sink); break;
    case 140: Offset(e, t, depth, sink); break;
    case 141: CollectBoundary(e, t, depth, sink); break;
    case 142: Collect(e.Pointer(4), t, depth + 1, sink); break; // the model-space curve only
    case 143: // the surface, and the boundaries for a surface without bounds of its own
        Collect(e.Pointer(2), t, depth + 1, sink);
        CollectList(e, 3, 4, 1, t, depth, sink);
        break;
    case 144: // the same; the inner boundaries lie within the outer one
        Collect(e.Pointer(1), t, depth + 1, sink);
        Collect(e.Pointer(4), t, depth + 1, sink);
        break;
    case 186: Collect(e.Pointer(1), t, depth + 1, sink); break; // the outer shell
    case 504: CollectList(e, 1, 2, 5, t, depth, sink); break;
    case 508: CollectLoop(e, t, depth, sink); break;
    case 510:
        Collect(e.Pointer(1), t, depth + 1, sink);
        CollectList(e, 2, 4, 1, t, depth, sink);
        break;
    case 514: CollectList(e, 1, 2, 2, t, depth, sink); break;
    default: break;
    }
}

// A circular (type 100) or conic (type 104) arc, placed first and measured
// after, exactly.
void CIgesModel::CollectConic(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink)
{
    CConicArc arc;
    if (e.Type() == 100 ? CircularArc(e.p, arc) : ConicArc(e.p, arc)) {
        const double step = std::numbers::pi / 32; // fine enough for a sweep to turn
        const int samples =
            arc.kind == CConicArc::kEllipse ? std::clamp(static_cast<int>((arc.t1 - arc.t0) / step) + 1, 1, 64) : 16;
        EmitArc(sink, arc.Placed(t), samples);
    } else if (e.Type() == 104 && e.p.size() >= 12) { // degenerate: its ends at least
        Emit(sink, t.Point({e.p[8], e.p[9], e.p[7]}));
        Emit(sink, t.Point({e.p[10], e.p[11], e.p[7]}));
    }
}

void CIgesModel::CollectList(const CIgesEntity& e, std::size_t countAt, std::size_t firstAt, std::size_t stride,
                             const CIgesTransform& t, int depth, const CSink& sink)
{
    ForEachListed(e, countAt, firstAt, stride,
                  [&](std::size_t at) { Collect(e.Pointer(at), t, depth + 1, sink); });
}

// Copious data: pairs with a common z, triples, or triples each followed by
// a vector, which is no position.
void CIgesModel::CollectCopious(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink)
{
    const long layout = e.Pointer(1), n = e.Pointer(2);
    const std::size_t size = e.p.size();
    if (layout == 1) {
        for (long k = 0; k < n && 5 + 2 * static_cast<std::size_t>(k) < size; ++k)
            Emit(sink, t.Point({e.p[4 + 2 * k], e.p[5 + 2 * k], e.p[3]}));
    } else if (layout == 2 || layout == 3) {
        const std::size_t stride = layout == 2 ? 3 : 6;
        for (long k = 0; k < n && 5 + stride * static_cast<std::size_t>(k) < size; ++k) {
            const std::size_t at = 3 + stride * static_cast<std::size_t>(k);
            Emit(sink, t.Point({e.p[at], e.p[at + 1], e.p[at + 2]}));
        }
    }
}

// A parametric spline curve: cubic segments, each over its own length of
// the break points.
void CIgesModel::CollectSpline(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink)
{
    const long n = e.Pointer(4);
    for (long i = 0; i < n; ++i) {
        const std::size_t coef = 6 + static_cast<std::size_t>(n) + 12 * static_cast<std::size_t>(i);
        if (coef + 11 >= e.p.size())
            break;
        CollectCubic(&e.p[coef], e.p[6 + i] - e.p[5 + i], t, sink);
    }
}

// One cubic segment, coefficients AX BX CX DX AY ... DZ over s from 0 to
// `length`: measured at its ends, at samples, and where a placed coordinate
// turns.
void CIgesModel::CollectCubic(const double* c, double length, const CIgesTransform& t, const CSink& sink)
{
    auto at = [&](double s) {
        Vec3 local;
        for (int j = 0; j < 3; ++j)
            local[j] = c[4 * j] + s * (c[4 * j + 1] + s * (c[4 * j + 2] + s * c[4 * j + 3]));
        return t.Point(local);
    };
    auto keep = [&](double s) {
        if (std::isfinite(s) && s > 0 && s < length)
            Emit(sink, at(s));
    };
    Emit(sink, at(0));
    Emit(sink, at(length));
    for (int k = 1; k < 8; ++k)
        keep(length * k / 8);
    for (int axis = 0; axis < 3; ++axis) {
        double d[4] = {0, 0, 0, 0}; // the placed coordinate's polynomial
        for (int j = 0; j < 3; ++j)
            for (int power = 1; power < 4; ++power)
                d[power] += t.m[axis][j] * c[4 * j + power];
        const double qa = 3 * d[3], qb = 2 * d[2], qc = d[1];
        if (qa == 0) {
            if (qb != 0)
                keep(-qc / qb);
        } else if (const double disc = qb * qb - 4 * qa * qc; disc >= 0) {
            keep((-qb + std::sqrt(disc)) / (2 * qa));
            keep((-qb - std::sqrt(disc)) / (2 * qa));
        }
    }
}

// B-spline curves and surfaces lie inside the hull of their control points.
void CIgesModel::CollectControlPoints(const CIgesEntity& e, const CIgesTransform& t, const CSink& sink)
{
    const std::size_t size = e.p.size();
    std::size_t first = 0, count = 0;
    if (e.Type() == 126) {
        const long k = e.Pointer(1), m = e.Pointer(2);
        if (k < 0 || m < 0)
            return;
        count = static_cast<std::size_t>(k) + 1;
        first = 7 + static_cast<std::size_t>(k + m + 2) + count;
    } else {
        const long k1 = e.Pointer(1), k2 = e.Pointer(2), m1 = e.Pointer(3), m2 = e.Pointer(4);
        if (k1 < 0 || k2 < 0 || m1 < 0 || m2 < 0)
            return;
        count = static_cast<std::size_t>(k1 + 1) * static_cast<std::size_t>(k2 + 1);
        first = 10 + static_cast<std::size_t>(k1 + m1 + 2) + static_cast<std::size_t>(k2 + m2 + 2) + count;
    }
    for (std::size_t i = 0; i < count && first + 3 * i + 2 < size; ++i)
        Emit(sink, t.Point({e.p[first + 3 * i], e.p[first + 3 * i + 1], e.p[first + 3 * i + 2]}));
}

// Each boundary by its model-space curve; the parameter-space curves are skipped.
void CIgesModel::CollectBoundary(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    ForEachBoundary(e, [&](std::size_t at, long) { Collect(e.Pointer(at), t, depth + 1, sink); });
}

// Each edge of a loop by the curve at its place in its edge list.
void CIgesModel::CollectLoop(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    ForEachLoopEdge(e, [&](std::size_t at, long) {
        const CIgesEntity* list = Find(e.Pointer(at + 1));
        const long index = e.Pointer(at + 2);
        if (e.Pointer(at) == 0 && list != nullptr && list->Type() == 504 && index > 0 &&
            2 + 5 * static_cast<std::size_t>(index - 1) < list->p.size())
            Collect(list->Pointer(2 + 5 * static_cast<std::size_t>(index - 1)), t.After(OwnTransform(*list)),
                    depth + 1, sink);
    });
}

// A surface of revolution: every point of the generatrix turns about the
// axis from the start angle to the terminate angle (right-handed about the
// axis line's direction). The axis line itself is no part of the surface.
void CIgesModel::Revolve(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    std::vector<Vec3> generatrix;
    Collect(e.Pointer(2), t, depth + 1, CSink{nullptr, &generatrix});
    const CIgesEntity* axis = Find(e.Pointer(1));
    Vec3 from{}, direction{};
    double length = 0;
    if (axis != nullptr && axis->Type() == 110 && axis->p.size() >= 7) {
        const CIgesTransform placed = t.After(OwnTransform(*axis));
        from = placed.Point({axis->p[1], axis->p[2], axis->p[3]});
        direction = placed.Point({axis->p[4], axis->p[5], axis->p[6]}) - from;
        length = std::sqrt(Dot(direction, direction));
    }
    if (!(length > 0) || !std::isfinite(length)) { // no axis to turn about: the generatrix alone
        for (const Vec3& g : generatrix)
            Emit(sink, g);
        return;
    }
    direction = (1 / length) * direction;
    CConicArc arc;
    arc.t0 = e.At(3);
    arc.t1 = e.At(4);
    if (!(arc.t1 > arc.t0) || arc.t1 - arc.t0 > kTwoPi)
        arc = CConicArc{.t0 = 0, .t1 = kTwoPi};
    for (const Vec3& g : generatrix) {
        arc.origin = from + Dot(g - from, direction) * direction;
        arc.e1 = g - arc.origin;
        arc.e2 = Cross(direction, arc.e1);
        EmitArc(sink, arc, 0);
    }
}

// A tabulated cylinder: the directrix and its copy moved so that its start
// lands on the generatrix' end point.
void CIgesModel::Tabulate(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    std::vector<Vec3> directrix;
    Collect(e.Pointer(1), t, depth + 1, CSink{nullptr, &directrix});
    if (directrix.empty())
        return;
    const Vec3 shift = t.Point({e.At(2), e.At(3), e.At(4)}) - directrix.front();
    for (const Vec3& d : directrix) {
        Emit(sink, d);
        Emit(sink, d + shift);
    }
}

// An offset surface lies within its base surface's box grown by the offset.
void CIgesModel::Offset(const CIgesEntity& e, const CIgesTransform& t, int depth, const CSink& sink)
{
    std::vector<Vec3> base;
    Collect(e.Pointer(5), t, depth + 1, CSink{nullptr, &base});
    const double d = std::abs(e.At(4));
    for (const Vec3& b : base) {
        Emit(sink, b - Vec3{d, d, d});
        Emit(sink, b + Vec3{d, d, d});
    }
}

} // namespace

void MeasureIgesShape(const CIgesSections& sections, const CIgesGlobal& global, CBox& box)
{
    CIgesModel(sections, global).Measure(box);
}

} // namespace cad
