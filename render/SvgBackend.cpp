#include <tintwright/render/SvgBackend.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include <tintwright/util/NumberText.h>

namespace tw::render {

namespace {

// U+FFFE, U+FFFF (EF BF BE/BF) and surrogates (ED A0 to ED BF) are not
// characters XML 1.0 allows; they become U+FFFD.
bool IsNonXmlSequence(const std::string& text, size_t i) {
    if (i + 2 >= text.size()) return false;
    const auto at = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
    return (at(0) == 0xEF && at(1) == 0xBF && at(2) >= 0xBE) || (at(0) == 0xED && at(1) >= 0xA0);
}

void AppendEscaped(std::string& out, const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsNonXmlSequence(text, i)) {
            out += "\xEF\xBF\xBD";
            i += 2;
            continue;
        }
        const char c = text[i];
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters are not allowed in XML text.
                if (static_cast<unsigned char>(c) >= 0x20) out += c;
        }
    }
}

// The bytes of the UTF-8 sequence a lead byte starts (1 for a stray byte).
size_t Utf8Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Written in place into the grown string: appended a character at a time,
// an image of a hundred megabytes took the page seconds.
void AppendBase64(std::string& out, const std::string& bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const size_t start = out.size();
    out.resize(start + (bytes.size() + 2) / 3 * 4);
    char* at = out.data() + start;
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const uint32_t v =
            (uint8_t(bytes[i]) << 16) | (uint8_t(bytes[i + 1]) << 8) | uint8_t(bytes[i + 2]);
        for (int shift : {18, 12, 6, 0})
            *at++ = kDigits[(v >> shift) & 63];
    }
    if (i < bytes.size()) {
        const bool two = i + 1 < bytes.size();
        const uint32_t v = (uint8_t(bytes[i]) << 16) | (two ? uint8_t(bytes[i + 1]) << 8 : 0);
        *at++ = kDigits[(v >> 18) & 63];
        *at++ = kDigits[(v >> 12) & 63];
        *at++ = two ? kDigits[(v >> 6) & 63] : '=';
        *at = '=';
    }
}

// The media type of an image file from its first bytes; none for a kind
// that SVG viewers do not show.
const char* MediaType(const std::string& bytes) {
    if (bytes.rfind("\x89PNG", 0) == 0) return "image/png";
    if (bytes.rfind("\xFF\xD8", 0) == 0) return "image/jpeg";
    if (bytes.rfind("GIF8", 0) == 0) return "image/gif";
    if (bytes.rfind("BM", 0) == 0) return "image/bmp";
    return nullptr;
}

}  // namespace

SvgBackend::SvgBackend(std::string& out, double minWidth) : out_(out), minWidth_(minWidth) {}

// Room for every finite double in fixed notation; anything else is 0, as
// the frontend lets no non-finite coordinate through.
void SvgBackend::Number(double v) {
    char buffer[std::numeric_limits<double>::max_exponent10 + 32];
    const char* end = WriteFixed(buffer, buffer + sizeof buffer, std::isfinite(v) ? v : 0.0, 3);
    if (end == nullptr) return;
    std::string_view text(buffer, static_cast<size_t>(end - buffer));
    while (text.size() > 1 && text.back() == '0')
        text.remove_suffix(1);
    if (text.back() == '.') text.remove_suffix(1);
    out_ += text == "-0" ? "0" : text;
}

void SvgBackend::Coordinates(const Point& p) {
    Number(p.x - view_.minX);
    out_ += ' ';
    Number(view_.maxY - p.y);
}

void SvgBackend::Rotation(double angle, const Point& about) {
    if (angle == 0) return;
    out_ += " transform=\"rotate(";
    Number(-angle);  // the SVG's y axis points down
    out_ += ' ';
    Coordinates(about);
    out_ += ")\"";
}

void SvgBackend::Color(uint32_t rgb) {
    static constexpr char kHex[] = "0123456789abcdef";
    out_ += '#';
    for (int shift = 20; shift >= 0; shift -= 4)
        out_ += kHex[(rgb >> shift) & 15];
}

void SvgBackend::Points(const std::vector<Point>& points) {
    out_ += " points=\"";
    for (size_t i = 0; i < points.size(); ++i) {
        if (i) out_ += ' ';
        Coordinates(points[i]);
    }
    out_ += '"';
}

void SvgBackend::Begin(const Box& view, uint32_t background) {
    view_ = view;
    out_ +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" ";
    out_ += "width=\"";
    Number(view.Width());
    out_ += "mm\" height=\"";
    Number(view.Height());
    out_ += "mm\" viewBox=\"0 0 ";
    Number(view.Width());
    out_ += ' ';
    Number(view.Height());
    out_ += "\">\n<rect width=\"100%\" height=\"100%\" fill=\"";
    Color(background);
    out_ += "\"/>\n<g fill=\"none\" stroke-linejoin=\"round\">\n";
}

void SvgBackend::Draw(const Polyline& line) {
    out_ += "<polyline";
    Points(line.points);
    out_ += " stroke=\"";
    Color(line.stroke.rgb);
    out_ += "\" stroke-width=\"";
    Number(std::max(line.stroke.width, minWidth_));
    if (!line.stroke.dashes.empty()) {
        out_ += "\" stroke-dasharray=\"";
        for (size_t i = 0; i < line.stroke.dashes.size(); ++i) {
            if (i) out_ += ' ';
            Number(line.stroke.dashes[i]);
        }
    }
    out_ += "\"/>\n";
}

void SvgBackend::Draw(const Polygon& solid) {
    out_ += "<polygon";
    Points(solid.points);
    out_ += " fill=\"";
    Color(solid.rgb);
    out_ += "\"/>\n";
}

void SvgBackend::Draw(const Dot& point) {
    out_ += "<circle cx=\"";
    Number(point.at.x - view_.minX);
    out_ += "\" cy=\"";
    Number(view_.maxY - point.at.y);
    out_ += "\" r=\"";
    Number(std::max(point.radius, minWidth_ / 2));
    out_ += "\" fill=\"";
    Color(point.rgb);
    out_ += "\"/>\n";
}

// Every character in its own tspan at its own place, so that any SVG reader
// lays the text out as the PNG does, whatever face it finds: librsvg ignores
// both textLength and a list of x positions. The generic family comes last.
void SvgBackend::Draw(const TextRun& text) {
    if (text.text.empty() || text.height <= 0) return;
    const double widen = text.cellWidth > 0 ? text.cellWidth / text.height : 1;
    out_ += "<text xml:space=\"preserve\" transform=\"translate(";
    Coordinates(text.at);
    out_ += ") rotate(";
    Number(-text.angle);  // the SVG's y axis points down
    out_ += ") scale(";
    Number(widen);
    out_ += " 1)\" y=\"0\" font-size=\"";
    Number(text.height);
    out_ += "\" font-family=\"";
    for (size_t i = 0; i < text.families.size(); ++i) {
        const std::string& family = text.families[i];
        if (family.empty() || family.find_first_of("'\"") != std::string::npos) continue;
        const bool generic = i + 1 == text.families.size();
        AppendEscaped(out_, generic ? family : "'" + family + "', ");
    }
    out_ += "\" fill=\"";
    Color(text.rgb);
    out_ += "\">";
    // Spaces and control characters draw nothing: left out, no reader can
    // collapse them and move what follows.
    size_t character = 0;
    for (size_t i = 0; i < text.text.size() && character < text.offsets.size(); ++character) {
        const size_t bytes = Utf8Length(static_cast<unsigned char>(text.text[i]));
        const std::string c(text.text.data() + i, std::min(bytes, text.text.size() - i));
        i += c.size();
        if (c == " " || c == "\u3000" || static_cast<unsigned char>(c[0]) < 0x20) continue;
        out_ += "<tspan x=\"";
        Number(text.offsets[character] / widen);
        out_ += "\">";
        AppendEscaped(out_, c);
        out_ += "</tspan>";
    }
    out_ += "</text>\n";
}

bool SvgBackend::Draw(const ImageRun& image) {
    const std::optional<std::string> bytes = image.bytes();
    if (!bytes) return false;
    const char* type = MediaType(*bytes);
    if (type == nullptr) return false;
    // The image's top-left corner is the box's upper-left; turn about the lower-left.
    out_ += "<image x=\"";
    Number(image.at.x - view_.minX);
    out_ += "\" y=\"";
    Number(view_.maxY - image.at.y - image.height);
    out_ += "\" width=\"";
    Number(image.width);
    out_ += "\" height=\"";
    Number(image.height);
    out_ += "\" preserveAspectRatio=\"none\"";
    Rotation(image.angle, image.at);
    out_ += " href=\"data:";
    out_ += type;
    out_ += ";base64,";
    AppendBase64(out_, *bytes);
    out_ += "\"/>\n";
    return true;
}

void SvgBackend::End() {
    out_ += "</g>\n</svg>\n";
}

}  // namespace tw::render
