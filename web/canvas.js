// Replays the Canvas 2D backend's commands (render/CanvasBackend.h) on a
// canvas: paper millimetres, origin at the sheet's centre and y up, mapped
// to the canvas by a scale and an offset that zoom and pan change.
"use strict";

const CanvasPainter = (() => {
  // The faces the fonts of the drawing fall back to: Jw_cad's MS fonts are
  // Japanese; the browser picks whatever Japanese face the system has.
  const kJapaneseFaces = '"IPAGothic", "IPAPGothic", "MS Gothic", "Hiragino Sans", "Noto Sans CJK JP", sans-serif';

  function colour(rgb) {
    return "#" + (rgb >>> 0).toString(16).padStart(6, "0");
  }

  // view: {scale (pixels per mm), x0, y0 (pixel of the paper's origin)}.
  function paint(context, drawing, view) {
    const c = drawing.commands;
    const texts = drawing.texts;
    const px = (x) => view.x0 + x * view.scale;
    const py = (y) => view.y0 - y * view.scale;
    const canvas = context.canvas;
    context.setTransform(1, 0, 0, 1, 0, 0);
    context.fillStyle = "#808080";
    context.fillRect(0, 0, canvas.width, canvas.height);
    let i = 0;
    const path = (count) => {
      context.beginPath();
      for (let k = 0; k < count; ++k) {
        const x = px(c[i++]), y = py(c[i++]);
        if (k === 0) context.moveTo(x, y); else context.lineTo(x, y);
      }
    };
    while (i < c.length) {
      switch (c[i++]) {
        case 0: {  // Begin: the sheet and its background
          const minX = c[i++], minY = c[i++], maxX = c[i++], maxY = c[i++];
          context.fillStyle = colour(c[i++]);
          // Over every pixel the sheet touches: one part sheet, part surround
          // would blend into a grey line along the sheet's edge.
          const left = Math.floor(px(minX)), top = Math.floor(py(maxY));
          context.fillRect(left, top, Math.ceil(px(maxX)) - left, Math.ceil(py(minY)) - top);
          break;
        }
        case 1: {  // Polyline
          context.strokeStyle = colour(c[i++]);
          context.lineWidth = Math.max(1, c[i++] * view.scale);
          const dashes = [];
          for (let n = c[i++]; n > 0; --n) dashes.push(Math.max(1, c[i++] * view.scale));
          context.setLineDash(dashes);
          path(c[i++]);
          context.stroke();
          break;
        }
        case 2: {  // Polygon
          context.fillStyle = colour(c[i++]);
          path(c[i++]);
          context.closePath();
          context.fill();
          break;
        }
        case 3: {  // Dot
          context.fillStyle = colour(c[i++]);
          const x = px(c[i++]), y = py(c[i++]);
          const r = Math.max(1, c[i++] * view.scale);
          context.beginPath();
          context.arc(x, y, r, 0, 2 * Math.PI);
          context.fill();
          break;
        }
        case 4: {  // Text: fitted to its stored length
          const rgb = c[i++], x = px(c[i++]), y = py(c[i++]);
          const height = c[i++] * view.scale, length = c[i++] * view.scale, angle = c[i++];
          const text = texts[c[i++]], font = texts[c[i++]];
          if (height < 0.5) break;
          context.save();
          context.translate(x, y);
          context.rotate(-angle * Math.PI / 180);
          context.font = `${height}px "${font}", ${kJapaneseFaces}`;
          context.fillStyle = colour(rgb);
          context.textBaseline = "alphabetic";
          const natural = context.measureText(text).width;
          if (natural > 0 && length > 0) context.scale(length / natural, 1);
          context.fillText(text, 0, 0);
          context.restore();
          break;
        }
        case 5: {  // Image: its frame only
          const x = px(c[i++]), y = py(c[i++]);
          const w = c[i++] * view.scale, h = c[i++] * view.scale, angle = c[i++];
          context.save();
          context.translate(x, y);
          context.rotate(-angle * Math.PI / 180);
          context.setLineDash([4, 4]);
          context.strokeStyle = "#888";
          context.lineWidth = 1;
          context.strokeRect(0, -h, w, h);
          context.restore();
          break;
        }
        default:
          throw new Error("unknown canvas command at " + (i - 1));
      }
    }
    context.setLineDash([]);
  }

  // The view that shows the box (paper mm) whole, centred, with a margin.
  function fit(canvas, box) {
    const margin = 0.95;
    const scale = margin * Math.min(canvas.width / (box.maxX - box.minX),
                                    canvas.height / (box.maxY - box.minY));
    return {
      scale,
      x0: canvas.width / 2 - scale * (box.minX + box.maxX) / 2,
      y0: canvas.height / 2 + scale * (box.minY + box.maxY) / 2,
    };
  }

  // The view zoomed by factor about the canvas pixel (x, y), its scale kept
  // within limits {min, max}: a scale of 0 would lose the view for good.
  function zoom(view, factor, x, y, limits) {
    const scale = Math.min(limits.max, Math.max(limits.min, view.scale * factor));
    const applied = scale / view.scale;
    return {
      scale,
      x0: x - (x - view.x0) * applied,
      y0: y - (y - view.y0) * applied,
    };
  }

  return { paint, fit, zoom };
})();
