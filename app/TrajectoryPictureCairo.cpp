#include <cairo.h>

#include <cmath>

#include "TrajectoryPicture.h"

namespace okulsim {

namespace {

// Shows a label beside a point, on the side of the picture that has room.
void label(cairo_t *cr, const TrajectoryPicture::Mark &mark, double dy, int size) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, mark.label.c_str(), &extents);
    const double x = mark.at.x, y = mark.at.y;
    const double left = x + 10.0 + extents.x_advance < size - 8 ? x + 10.0 : x - 10.0 - extents.x_advance;
    cairo_move_to(cr, left, y + dy);
    cairo_show_text(cr, mark.label.c_str());
}

}  // namespace

bool paintTrajectoryPicture(const TrajectoryPicture &picture, const std::string &file, std::string &error) {
    const int size = picture.size;
    cairo_surface_t *surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, size, size);
    cairo_t *cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.04, 0.05, 0.09);
    cairo_paint(cr);
    cairo_arc(cr, size / 2.0, size / 2.0, picture.bodyRadius, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.25, 0.45, 0.75);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.6);
    picture.ahead ? cairo_set_source_rgb(cr, 0.95, 0.85, 0.3) : cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
    for (std::size_t i = 0; i < picture.path.size(); ++i) {
        const TrajectoryPicture::Point &p = picture.path[i];
        i == 0 ? cairo_move_to(cr, p.x, p.y) : cairo_line_to(cr, p.x, p.y);
    }
    cairo_stroke(cr);
    if (!picture.path.empty()) {
        cairo_arc(cr, picture.path.front().x, picture.path.front().y, 4, 0, 2 * M_PI);
        cairo_fill(cr);
    }

    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 14);
    if (picture.periapsis.shown) {
        cairo_set_source_rgb(cr, 1.0, 0.35, 0.3);
        cairo_arc(cr, picture.periapsis.at.x, picture.periapsis.at.y, 5, 0, 2 * M_PI);
        cairo_fill(cr);
        label(cr, picture.periapsis, -8, size);
    }
    if (picture.target.shown) {
        const double x = picture.target.at.x, y = picture.target.at.y;
        cairo_set_source_rgb(cr, 0.3, 1.0, 0.4);
        cairo_set_line_width(cr, 2.0);
        cairo_move_to(cr, x - 7, y - 7);
        cairo_line_to(cr, x + 7, y + 7);
        cairo_move_to(cr, x - 7, y + 7);
        cairo_line_to(cr, x + 7, y - 7);
        cairo_stroke(cr);
        label(cr, picture.target, 18, size);
    }
    cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
    cairo_move_to(cr, 16, 26);
    cairo_show_text(cr, picture.title.c_str());
    cairo_move_to(cr, 16, size - 16);
    cairo_show_text(cr, picture.scale.c_str());

    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, file.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + file + ": " + cairo_status_to_string(status);
        return false;
    }
    return true;
}

}  // namespace okulsim
