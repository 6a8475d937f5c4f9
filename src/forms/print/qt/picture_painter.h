#pragma once
// Draws a form picture described as data (form_picture.h) with QPainter, and
// turns it into the black-and-white raster its bitmap file holds.
#include <QImage>

#include "forms/print/bitmap_file.h"
#include "forms/print/form_picture.h"

class QPainter;

namespace formet {

// The resolution of the picture files.
inline constexpr int kPictureDotsPerInch = 300;

// Draws the picture on a painter whose device pixels are `pixelsPerUnit`
// to a drawing unit, its top-left corner at the painter's origin.
void PaintPicture(QPainter& painter, const FormPicture& picture, double pixelsPerUnit);

// The picture at a resolution: grey, smoothed, on a white ground.
QImage RenderPicture(const FormPicture& picture, int dotsPerInch = kPictureDotsPerInch);

// Black wherever a rendered pixel is darker than mid-grey.
MonoRaster ToMonoRaster(const QImage& image);

}  // namespace formet
