#pragma once

// A surface flood fill on a picture, as a paint program's bucket does it: every pixel that
// has the colour of the start pixel and can be reached from it through pixels of that
// colour, stepping left, right, up or down (never diagonally), takes the fill colour.
// Lines one pixel wide, even diagonal ones, therefore close an area.

#include <QImage>
#include <QPoint>

// Fills from `start` the area of colour `surface` with `fill` and returns the number of
// pixels changed. Nothing changes (0) when the start lies outside the picture, its pixel
// does not have the surface colour, or the fill colour is the surface colour. Only the red,
// green and blue of the colours count. A picture in another format is converted to 32-bit
// RGB first.
int floodFillSurface(QImage& image, QPoint start, QRgb surface, QRgb fill);
