// A backend that keeps what the frontend hands it, for tests.
#pragma once

#include <vector>

#include <tintwright/render/Backend.h>

namespace tw::render {

struct RecordingBackend : Backend {
    Box view;
    uint32_t background = 0;
    std::vector<Polyline> lines;
    std::vector<Polygon> fills;
    std::vector<Dot> dots;
    std::vector<TextRun> texts;
    std::vector<ImageRun> images;
    bool ended = false;

    void Begin(const Box& v, uint32_t b) override {
        view = v;
        background = b;
    }
    void Draw(const Polyline& l) override { lines.push_back(l); }
    void Draw(const Polygon& s) override { fills.push_back(s); }
    void Draw(const Dot& d) override { dots.push_back(d); }
    void Draw(const TextRun& t) override { texts.push_back(t); }
    // An image's bytes can be asked for only while the picture is drawn:
    // they are kept as they were then.
    bool Draw(const ImageRun& i) override {
        images.push_back(i);
        images.back().bytes = [bytes = i.bytes()] { return bytes; };
        return true;
    }
    void End() override { ended = true; }
};

}  // namespace tw::render
