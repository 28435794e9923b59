#include "tools/vesselhost/picture.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <numbers>
#include <system_error>

#include "host/base/host_error.h"
#include "tools/vesselhost/picture_scene.h"

namespace vesselhost {

namespace {

// Canvas layout, pixels: two panels sharing the horizontal scale, titles above each.
constexpr double kMargin = 30;
constexpr double kTitleHeight = 28;
constexpr double kTopPanelHeight = 470;
constexpr double kPanelGap = 16;
constexpr double kPanelInset = 34;   // room inside a panel for the labels over the vessels
constexpr double kWorldPadding = 1;  // metres of ground around the vessels
constexpr double kFontSize = 14;

constexpr Colour kBackground{0.97, 0.97, 0.95, 1};
constexpr Colour kGrid{0.86, 0.86, 0.84, 1};
constexpr Colour kGround{0.86, 0.8, 0.7, 1};
constexpr Colour kInk{0.1, 0.1, 0.12, 1};
constexpr Colour kGroundLine{0.3, 0.3, 0.36, 1};
constexpr Colour kFrame{0.4, 0.4, 0.48, 1};
constexpr Colour kHeadingArrow{0.1, 0.3, 0.8, 1};
constexpr Colour kFootprint{0.35, 0.35, 0.4, 1};

// One of the two views: which ground axes run across and down the panel, and which one
// looks into it.
struct View {
    const char *title;
    int across, down, depth; // ground-frame axis indices (0 x, 1 y, 2 z)
    double downSign;         // +1: the axis grows downward; -1: upward
    double top, height;      // panel on the canvas, pixels
    // Set by Fit: pixels per metre and the ground point at the panel's centre.
    double scale = 1, centreAcross = 0, centreDown = 0;

    double X(const VECTOR3 &p) const
    {
        return kPictureWidth / 2.0 + scale * (p.data[across] - centreAcross);
    }
    double Y(const VECTOR3 &p) const
    {
        return top + height / 2 + downSign * scale * (p.data[down] - centreDown);
    }
};

double FitScale(const View &view, const Bounds &b)
{
    double width = kPictureWidth - 2 * kMargin - 2 * kPanelInset;
    double height = view.height - 2 * kPanelInset;
    return std::min(width / (b.hi.data[view.across] - b.lo.data[view.across]),
                    height / (b.hi.data[view.down] - b.lo.data[view.down]));
}

void SetColour(cairo_t *cr, const Colour &c, double shade = 1)
{
    cairo_set_source_rgba(cr, c.r * shade, c.g * shade, c.b * shade, c.a);
}

// Grid spacing with lines 40 pixels apart or more: 1, 2 or 5 times a power of ten metres.
double GridSpacing(double scale)
{
    double least = 40 / scale;
    double decade = std::pow(10.0, std::floor(std::log10(least)));
    for (double step : {1.0, 2.0, 5.0})
        if (step * decade >= least)
            return step * decade;
    return 10 * decade;
}

void DrawGrid(cairo_t *cr, const View &view, double spacing)
{
    double left = kMargin, right = kPictureWidth - kMargin;
    double acrossLo = view.centreAcross - (kPictureWidth / 2.0 - left) / view.scale;
    double acrossHi = view.centreAcross + (right - kPictureWidth / 2.0) / view.scale;
    double downLo = view.centreDown - view.height / 2 / view.scale;
    double downHi = view.centreDown + view.height / 2 / view.scale;
    SetColour(cr, kGrid);
    cairo_set_line_width(cr, 1);
    // Counted lines: far from the origin, adding the spacing could leave a value unchanged.
    constexpr int kMaxLines = 200;
    VECTOR3 p{};
    double firstAcross = std::ceil(acrossLo / spacing) * spacing;
    for (int k = 0; k < kMaxLines && firstAcross + k * spacing <= acrossHi; ++k) {
        p.data[view.across] = firstAcross + k * spacing;
        cairo_move_to(cr, view.X(p), view.top);
        cairo_line_to(cr, view.X(p), view.top + view.height);
    }
    double firstDown = std::ceil(downLo / spacing) * spacing;
    for (int k = 0; k < kMaxLines && firstDown + k * spacing <= downHi; ++k) {
        p.data[view.down] = firstDown + k * spacing;
        cairo_move_to(cr, left, view.Y(p));
        cairo_line_to(cr, right, view.Y(p));
    }
    cairo_stroke(cr);
}

void DrawGround(cairo_t *cr, const View &view)
{
    VECTOR3 ground{};
    double y = view.Y(ground);
    SetColour(cr, kGround);
    cairo_rectangle(cr, kMargin, y, kPictureWidth - 2 * kMargin, view.top + view.height - y);
    cairo_fill(cr);
    SetColour(cr, kGroundLine);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, kMargin, y);
    cairo_line_to(cr, kPictureWidth - kMargin, y);
    cairo_stroke(cr);
}

// Painter's order, farthest first, each face shaded by how squarely it faces the viewer.
void DrawFaces(cairo_t *cr, const View &view, const std::vector<Face> &faces,
               const std::function<void(double)> &progress)
{
    std::vector<const Face *> order;
    order.reserve(faces.size());
    for (const Face &f : faces)
        order.push_back(&f);
    // Both viewers sit on the + side of their depth axis (above; at +x).
    auto depth = [&](const Face *f) {
        return f->p[0].data[view.depth] + f->p[1].data[view.depth] + f->p[2].data[view.depth];
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](const Face *a, const Face *b) { return depth(a) < depth(b); });
    cairo_set_line_width(cr, 0.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (std::size_t n = 0; n < order.size(); ++n) {
        const Face *f = order[n];
        if (progress && n % 4096 == 0)
            progress(double(n) / double(order.size()));
        double facing = std::abs(f->UnitNormal().data[view.depth]);
        cairo_move_to(cr, view.X(f->p[0]), view.Y(f->p[0]));
        cairo_line_to(cr, view.X(f->p[1]), view.Y(f->p[1]));
        cairo_line_to(cr, view.X(f->p[2]), view.Y(f->p[2]));
        cairo_close_path(cr);
        SetColour(cr, f->colour, 0.5 + 0.5 * facing);
        cairo_fill(cr);
        for (int i = 0; i < 3; ++i)
            if (f->outline[i]) {
                cairo_move_to(cr, view.X(f->p[i]), view.Y(f->p[i]));
                cairo_line_to(cr, view.X(f->p[(i + 1) % 3]), view.Y(f->p[(i + 1) % 3]));
            }
        // Outlines stay visible on see-through faces.
        Colour ink = f->colour;
        ink.a = std::max(ink.a, 0.7);
        SetColour(cr, ink, 0.45);
        cairo_stroke(cr);
    }
}

// Where the labels of a view may go: a label is drawn only where it fits, inside the
// panel, clear of the labels drawn before it and of the dots of small vessels.
class LabelSpace {
public:
    explicit LabelSpace(const View &view)
        : left_(kMargin), right_(kPictureWidth - kMargin), top_(view.top),
          bottom_(view.top + view.height), dots_(std::size_t(kColumns) * kRows)
    {
    }
    void AddDot(double x, double y, double radius)
    {
        ForCells(x - radius, y - radius, x + radius, y + radius, [&](std::size_t cell) {
            dots_[cell] = true;
            return true;
        });
    }
    bool Take(double x0, double y0, double x1, double y1)
    {
        if (x0 < left_ || x1 > right_ || y0 < top_ || y1 > bottom_)
            return false;
        for (const Box &b : taken_)
            if (x0 < b.x1 && b.x0 < x1 && y0 < b.y1 && b.y0 < y1)
                return false;
        if (!ForCells(x0, y0, x1, y1, [&](std::size_t cell) { return !dots_[cell]; }))
            return false;
        taken_.push_back({x0, y0, x1, y1});
        return true;
    }

private:
    static constexpr int kCell = 2; // pixels
    static constexpr int kColumns = kPictureWidth / kCell, kRows = kPictureHeight / kCell;

    // Calls visit(cell) for the cells the box covers while it returns true.
    template <class Visit>
    static bool ForCells(double x0, double y0, double x1, double y1, Visit visit)
    {
        int c0 = std::clamp(int(x0 / kCell), 0, kColumns - 1);
        int c1 = std::clamp(int(x1 / kCell), 0, kColumns - 1);
        int r0 = std::clamp(int(y0 / kCell), 0, kRows - 1);
        int r1 = std::clamp(int(y1 / kCell), 0, kRows - 1);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                if (!visit(std::size_t(r) * kColumns + std::size_t(c)))
                    return false;
        return true;
    }

    struct Box {
        double x0, y0, x1, y1;
    };
    double left_, right_, top_, bottom_;
    std::vector<Box> taken_;
    std::vector<bool> dots_; // by cell: covered by a small vessel's dot
};

// Text centred on (x, y) with a light halo, readable over any face, where it fits.
void DrawLabel(cairo_t *cr, LabelSpace &space, const std::string &text, double x, double y)
{
    constexpr double kHalo = 2;
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    double left = x - extents.width / 2 - extents.x_bearing;
    if (!space.Take(left + extents.x_bearing - kHalo, y + extents.y_bearing - kHalo,
                    left + extents.x_bearing + extents.width + kHalo,
                    y + extents.y_bearing + extents.height + kHalo))
        return;
    cairo_move_to(cr, left, y);
    cairo_text_path(cr, text.c_str());
    SetColour(cr, kBackground);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    SetColour(cr, kInk);
    cairo_fill(cr);
}

// A vessel too small for its shape: a dot at its place, its heading as a tick when
// that shows.
void DrawFootprint(cairo_t *cr, const View &view, const VesselMark &mark, bool heading,
                   LabelSpace &space)
{
    double radius = std::max(1.5, view.scale * (mark.bounds.hi.x - mark.bounds.lo.x) / 2);
    double x = view.X(mark.position), y = view.Y(mark.position);
    space.AddDot(x, y, radius);
    SetColour(cr, kFootprint);
    cairo_arc(cr, x, y, radius, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    if (heading && radius >= 2) {
        SetColour(cr, kHeadingArrow);
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, x, y);
        VECTOR3 tip = _V(mark.position.x + mark.forward.x * 2 * radius / view.scale, 0,
                         mark.position.z + mark.forward.z * 2 * radius / view.scale);
        cairo_line_to(cr, view.X(tip), view.Y(tip));
        cairo_stroke(cr);
    }
}

void DrawMarks(cairo_t *cr, const View &view, const std::vector<VesselMark> &marks,
               bool headingArrows)
{
    LabelSpace space(view);
    for (const VesselMark &mark : marks)
        if (mark.footprint)
            DrawFootprint(cr, view, mark, headingArrows, space);
    for (const VesselMark &mark : marks) {
        if (headingArrows && !mark.footprint) {
            VECTOR3 tip = _V(mark.position.x + mark.forward.x * mark.arrowLength, 0,
                             mark.position.z + mark.forward.z * mark.arrowLength);
            double x0 = view.X(mark.position), y0 = view.Y(mark.position);
            double x1 = view.X(tip), y1 = view.Y(tip);
            double angle = std::atan2(y1 - y0, x1 - x0);
            SetColour(cr, kHeadingArrow);
            cairo_set_line_width(cr, 2.5);
            cairo_move_to(cr, x0, y0);
            cairo_line_to(cr, x1, y1);
            cairo_stroke(cr);
            for (double side : {-1.0, 1.0}) {
                cairo_move_to(cr, x1, y1);
                cairo_line_to(cr, x1 - 10 * std::cos(angle + side * 0.45),
                              y1 - 10 * std::sin(angle + side * 0.45));
            }
            cairo_stroke(cr);
        }
        if (mark.bounds.Empty())
            continue;
        // Above the vessel's outline: the smallest screen y of its bounds' corners.
        double top = 1e300, left = 1e300, right = -1e300;
        for (int corner = 0; corner < 8; ++corner) {
            VECTOR3 c;
            for (int i = 0; i < 3; ++i)
                c.data[i] = (corner >> i & 1) ? mark.bounds.hi.data[i] : mark.bounds.lo.data[i];
            top = std::min(top, view.Y(c));
            left = std::min(left, view.X(c));
            right = std::max(right, view.X(c));
        }
        DrawLabel(cr, space, mark.name, (left + right) / 2, top - 8);
    }
}

void DrawView(cairo_t *cr, const View &view, const Scene &scene, double grid,
              const std::function<void(double)> &progress)
{
    cairo_save(cr);
    SetColour(cr, kInk);
    cairo_move_to(cr, kMargin, view.top - 9);
    char title[160];
    std::snprintf(title, sizeof title, "%s   (grid %g m)", view.title, grid);
    cairo_show_text(cr, title);
    cairo_rectangle(cr, kMargin, view.top, kPictureWidth - 2 * kMargin, view.height);
    cairo_clip(cr);
    DrawGrid(cr, view, grid);
    bool side = view.depth == 0;
    if (side)
        DrawGround(cr, view);
    DrawFaces(cr, view, scene.faces, progress);
    DrawMarks(cr, view, scene.marks, !side);
    cairo_restore(cr);
    SetColour(cr, kFrame);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, kMargin, view.top, kPictureWidth - 2 * kMargin, view.height);
    cairo_stroke(cr);
}

void Fit(View &top, View &side, Bounds b)
{
    if (b.Empty())
        b.Add(_V(0, 0, 0));
    b.Add(_V(b.lo.x, 0, b.lo.z)); // the ground line shows in the side view
    for (int i = 0; i < 3; ++i) {
        b.lo.data[i] -= kWorldPadding;
        b.hi.data[i] += kWorldPadding;
    }
    double scale = std::min(FitScale(top, b), FitScale(side, b));
    for (View *view : {&top, &side}) {
        view->scale = scale;
        view->centreAcross = (b.lo.data[view->across] + b.hi.data[view->across]) / 2;
        view->centreDown = (b.lo.data[view->down] + b.hi.data[view->down]) / 2;
    }
}

Bounds BoundsOf(const Scene &scene)
{
    Bounds b;
    for (const Face &f : scene.faces)
        for (const VECTOR3 &p : f.p)
            b.Add(p);
    for (const VesselMark &m : scene.marks) {
        b.Add(m.position);
        if (m.footprint && !m.bounds.Empty()) {
            b.Add(m.bounds.lo);
            b.Add(m.bounds.hi);
        }
    }
    return b;
}

// The vessels' places and sizes: enough to know how large each will show.
Bounds RoughBounds(const std::vector<const host::Vessel *> &vessels)
{
    Bounds b;
    for (const host::Vessel *v : vessels) {
        double size = std::max(v->size, 0.5);
        if (!std::isfinite(v->motion.x) || !std::isfinite(v->motion.z))
            continue; // refused with its name when the scene is built
        b.Add(_V(v->motion.x - size, 0, v->motion.z - size));
        b.Add(_V(v->motion.x + size, 2 * size, v->motion.z + size));
    }
    return b;
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t *s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t *c) const { cairo_destroy(c); }
};

cairo_status_t WriteToFile(void *file, const unsigned char *data, unsigned int size)
{
    try {
        static_cast<output::OutputFile *>(file)->Write(
            {reinterpret_cast<const char *>(data), size});
        return CAIRO_STATUS_SUCCESS;
    } catch (const output::OutputError &) {
        return CAIRO_STATUS_WRITE_ERROR;
    }
}

void WritePng(cairo_surface_t *surface, output::OutputFile &file)
{
    cairo_status_t status = cairo_surface_write_to_png_stream(surface, WriteToFile, &file);
    if (status != CAIRO_STATUS_SUCCESS)
        throw output::OutputError(file.Path() + ": cannot write the picture (" +
                                  cairo_status_to_string(status) + ")");
}

} // namespace

void RenderPicture(const std::vector<const host::Vessel *> &vessels, output::OutputFile &file,
                   const std::function<void(const char *, double)> &progress)
{
    auto stage = [&](const char *what, double from, double to) {
        return std::function<void(double)>([=, &progress](double done) {
            if (progress)
                progress(what, from + (to - from) * done);
        });
    };
    double topPanel = kMargin + kTitleHeight;
    double sidePanel = topPanel + kTopPanelHeight + kPanelGap + kTitleHeight;
    View top{"Top view: z to the right, x downward", 2, 0, 1, 1, topPanel, kTopPanelHeight};
    View side{"Side view from +x: z to the right, y up", 2, 1, 0, -1, sidePanel,
              kPictureHeight - kMargin - sidePanel};
    Fit(top, side, RoughBounds(vessels));
    Scene scene = BuildScene(vessels, top.scale, stage("posing the vessels", 0, 0.4));
    Fit(top, side, BoundsOf(scene));

    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPictureWidth, kPictureHeight));
    std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface.get()));
    cairo_t *cr = context.get();
    SetColour(cr, kBackground);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, kFontSize);
    double grid = GridSpacing(top.scale);
    DrawView(cr, top, scene, grid, stage("drawing the top view", 0.4, 0.7));
    DrawView(cr, side, scene, grid, stage("drawing the side view", 0.7, 0.95));
    cairo_surface_flush(surface.get());
    stage("writing the picture", 0.95, 1)(0);
    WritePng(surface.get(), file);
}

} // namespace vesselhost
