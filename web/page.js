// The page: opens a drawing from the file picker or a drop (read here, never
// uploaded), draws it on canvas#view, zooms and pans, lists the layers, and
// offers the downloads. window.tintwright is the same for scripts and tests.
"use strict";

(async () => {
  const module = await TintwrightModule();
  const canvas = document.getElementById("view");
  const context = canvas.getContext("2d");
  const status = document.getElementById("status");
  const printBox = document.getElementById("print");
  let drawing = null;  // {commands, texts, status}
  let view = null;
  let fileName = null;  // the downloads' name, while a drawing is open
  // The largest file opened: far beyond any drawing, far below what the
  // library's memory (2 GB: the file's copies and the drawing read) holds.
  const maxDrawingBytes = 256 * 2 ** 20;
  // How far the wheel zooms, from the sheet's fit.
  const zoomRange = { out: 1 / 100, in: 1e5 };

  function showStatus(text, failed) {
    status.textContent = text;
    status.classList.toggle("error", !!failed);
  }

  function sheetOf(commands) {
    return { minX: commands[1], minY: commands[2], maxX: commands[3], maxY: commands[4] };
  }

  function paint() {
    if (drawing) CanvasPainter.paint(context, drawing, view);
  }

  function resize() {
    canvas.width = Math.max(1, canvas.clientWidth);
    canvas.height = Math.max(1, canvas.clientHeight);
    if (drawing) view = CanvasPainter.fit(canvas, sheetOf(drawing.commands));
    paint();
  }

  function draw(keepView) {
    drawing = module.draw(printBox.checked);
    if (!keepView || !view) view = CanvasPainter.fit(canvas, sheetOf(drawing.commands));
    showStatus(drawing.status, false);
    paint();
  }

  function listLayers() {
    const rows = document.getElementById("layer-rows");
    rows.replaceChildren();
    for (const layer of module.layers()) {
      if (layer.entities === 0 && layer.name === "") continue;
      const row = rows.insertRow();
      const group = layer.group.toString(16).toUpperCase();
      const number = layer.layer.toString(16).toUpperCase();
      row.insertCell().textContent = `[${group}-${number}]`;
      row.insertCell().textContent = layer.name || (layer.groupName ? layer.groupName : "");
      const count = row.insertCell();
      count.className = "count";
      count.textContent = layer.entities;
    }
  }

  // Nothing of the last drawing stays once another is opened.
  function clear() {
    module.close();
    drawing = null;
    view = null;
    fileName = null;
    context.clearRect(0, 0, canvas.width, canvas.height);
    document.getElementById("layer-rows").replaceChildren();
  }

  function read(bytes) {
    if (bytes.length > maxDrawingBytes)
      throw new Error(`the file is ${Math.ceil(bytes.length / 2 ** 20)} MB, more than the ` +
                      `${maxDrawingBytes / 2 ** 20} MB this page opens`);
    module.open(bytes);
    draw(false);
    listLayers();
  }

  function open(bytes, name) {
    clear();
    try {
      read(bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes));
    } catch (e) {
      // The library's own failures are Errors; anything else is its memory.
      const reason = e instanceof Error ? e.message : "out of memory";
      clear();
      showStatus("cannot be read: " + reason, true);
      throw e instanceof Error ? e : new Error(reason);
    }
    fileName = name || "drawing";
    return drawing.status;
  }

  async function openFile(file) {
    try {
      open(new Uint8Array(await file.arrayBuffer()), file.name.replace(/\.[^.]*$/, ""));
    } catch (e) {
      // shown in #status
    }
  }

  // The name of a download of the drawing open, or the reason there is none.
  function downloadName(extension) {
    if (!fileName) throw new Error("no drawing is open");
    return fileName + extension;
  }

  function download(bytes, name, type) {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const link = document.createElement("a");
    link.href = url;
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(url), 0);
  }

  function reporting(action) {
    return () => {
      try {
        action();
      } catch (e) {
        showStatus(e.message, true);
      }
    };
  }

  window.tintwright = {
    open,
    exportDxf: (version) => module.exportDxf(String(version)),
    // "" for either keeps the drawing's own version or text code.
    saveJww: (version, textCode) => module.saveJww(String(version), String(textCode)),
    svg: (print) => module.svg(!!print),
    chart: (palette, version, textCode) =>
      module.chart(String(palette), String(version), String(textCode)),
    status: () => status.textContent,
    scale: () => (view ? view.scale : null),
    // Shows exactly the sheet on a canvas of width x height pixels, as
    // `tintwright-cli render FILE OUT.png` maps it.
    drawSheet: (width, height) => {
      const sheet = sheetOf(drawing.commands);
      canvas.width = width;
      canvas.height = height;
      const scale = width / (sheet.maxX - sheet.minX);
      view = { scale, x0: -sheet.minX * scale, y0: sheet.maxY * scale };
      paint();
    },
  };

  document.getElementById("open").addEventListener("change", (event) => {
    if (event.target.files.length) openFile(event.target.files[0]);
  });
  const main = document.querySelector("main");
  main.addEventListener("dragover", (event) => {
    event.preventDefault();
    main.classList.add("dropping");
  });
  main.addEventListener("dragleave", () => main.classList.remove("dropping"));
  main.addEventListener("drop", (event) => {
    event.preventDefault();
    main.classList.remove("dropping");
    if (event.dataTransfer.files.length) openFile(event.dataTransfer.files[0]);
  });

  canvas.addEventListener("wheel", (event) => {
    if (!drawing) return;
    event.preventDefault();
    const rect = canvas.getBoundingClientRect();
    const factor = Math.exp(-event.deltaY * 0.002);
    const fitScale = CanvasPainter.fit(canvas, sheetOf(drawing.commands)).scale;
    const limits = { min: fitScale * zoomRange.out, max: fitScale * zoomRange.in };
    view = CanvasPainter.zoom(view, factor, event.clientX - rect.left, event.clientY - rect.top,
                              limits);
    paint();
  }, { passive: false });
  let dragFrom = null;
  canvas.addEventListener("pointerdown", (event) => {
    dragFrom = { x: event.clientX, y: event.clientY };
    canvas.setPointerCapture(event.pointerId);
  });
  canvas.addEventListener("pointermove", (event) => {
    if (!dragFrom || !drawing) return;
    view = { ...view, x0: view.x0 + event.clientX - dragFrom.x, y0: view.y0 + event.clientY - dragFrom.y };
    dragFrom = { x: event.clientX, y: event.clientY };
    paint();
  });
  canvas.addEventListener("pointerup", () => { dragFrom = null; });

  document.getElementById("fit").addEventListener("click", () => {
    if (drawing) view = CanvasPainter.fit(canvas, sheetOf(drawing.commands));
    paint();
  });
  printBox.addEventListener("change", reporting(() => { if (drawing) draw(true); }));
  document.getElementById("save-dxf").addEventListener("click", reporting(() => {
    const name = downloadName(".dxf");
    download(window.tintwright.exportDxf(document.getElementById("dxf-version").value), name,
             "application/dxf");
  }));
  document.getElementById("save-jww").addEventListener("click", reporting(() => {
    const value = (id) => document.getElementById(id).value;
    const name = downloadName(".jww");
    download(window.tintwright.saveJww(value("jww-version"), value("jww-text-code")), name,
             "application/octet-stream");
  }));
  document.getElementById("save-svg").addEventListener("click", reporting(() => {
    const name = downloadName(".svg");
    download(window.tintwright.svg(printBox.checked), name, "image/svg+xml");
  }));
  document.getElementById("save-chart").addEventListener("click", reporting(() => {
    const value = (id) => document.getElementById(id).value;
    download(window.tintwright.chart(value("chart-palette"), value("chart-version"),
                                     value("chart-text-code")),
             "colour-chart.jww", "application/octet-stream");
  }));
  window.addEventListener("resize", resize);
  resize();
  showStatus("Open a .jww drawing (file picker or drop it here).", false);
  document.body.dataset.ready = "true";
})();
