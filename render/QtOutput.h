// PNG and PDF bytes of a drawing through the QPainter backend. Both need a
// QGuiApplication (fonts); EnsureGuiApplication makes one, offscreen when no
// platform is chosen, for programs without a window. After it, any thread
// may draw, several at once.
#pragma once

#include <QByteArray>

#include <tintwright/render/Frontend.h>
#include <tintwright/render/RasterSize.h>

namespace tw::render {

void EnsureGuiApplication();

// The view at dpi pixels per inch as a PNG image.
QByteArray RenderPng(const TJwwData& doc, const RenderOptions& options, double dpi,
                     RenderReport& report);
// The view as a one-page PDF of the view's size in millimetres; OutputError
// for a page larger than the PDF writer holds at dpi (about 45 km a side at
// 1200).
QByteArray RenderPdf(const TJwwData& doc, const RenderOptions& options, double dpi,
                     RenderReport& report);

}  // namespace tw::render
