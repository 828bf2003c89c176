// A square picture of part of a drawing, as the renderer draws it, for tests
// that look at its pixels.
#pragma once

#include <QImage>
#include <QPainter>

#include <tintwright/render/Frontend.h>
#include <tintwright/render/QtBackend.h>

namespace tw::render {

// The view drawn on `pixels` x `pixels`.
inline QImage PictureOf(const TJwwData& doc, const Box& view, int pixels) {
    QImage image(pixels, pixels, QImage::Format_RGB32);
    QPainter painter(&image);
    QtBackend backend(painter, QRectF(0, 0, pixels, pixels));
    RenderOptions options;
    options.view = view;
    Render(doc, options, backend);
    painter.end();
    return image;
}

}  // namespace tw::render
