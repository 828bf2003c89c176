#include <tintwright/render/PdfOutput.h>

#include <cstdio>
#include <vector>

#include <tintwright/render/PdfBackend.h>
#include <tintwright/render/RasterSize.h>

namespace tw::render {

namespace {

constexpr double kPointsPerMillimetre = 72 / 25.4;

// The whole file: one page of the view's size holding the content.
std::string PdfFile(const Box& view, const std::string& content) {
    const double k = kPointsPerMillimetre;
    char box[128];
    std::snprintf(box, sizeof box, "[0 0 %.4f %.4f]", view.Width() * k, view.Height() * k);
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        std::string("<< /Type /Page /Parent 2 0 R /MediaBox ") + box +
            " /Resources << /Font << /F1 5 0 R >> >> /Contents 4 0 R >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
        "<< /Type /Font /Subtype /Type0 /BaseFont /MS-Gothic /Encoding /UniJIS-UCS2-H "
        "/DescendantFonts [6 0 R] >>",
        "<< /Type /Font /Subtype /CIDFontType0 /BaseFont /MS-Gothic /CIDSystemInfo << "
        "/Registry (Adobe) /Ordering (Japan1) /Supplement 2 >> /FontDescriptor 7 0 R >>",
        "<< /Type /FontDescriptor /FontName /MS-Gothic /Flags 4 /FontBBox [0 -141 1000 859] "
        "/ItalicAngle 0 /Ascent 859 /Descent -141 /CapHeight 700 /StemV 80 >>",
        "<< /Creator (Tintwright) >>"};
    std::string file = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(file.size());
        file += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = file.size();
    file += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010llu 00000 n \n",
                      static_cast<unsigned long long>(offset));
        file += entry;
    }
    file += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
            " /Root 1 0 R /Info 8 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return file;
}

}  // namespace

std::string PdfOf(const TJwwData& doc, const RenderOptions& options, RenderReport& report) {
    RenderOptions fixed = options;
    fixed.view = ViewOf(doc, options);
    CheckPdfPage(*fixed.view, kPdfResolution);
    std::string content;
    PdfBackend backend(content);
    report = Render(doc, fixed, backend);
    return PdfFile(*fixed.view, content);
}

}  // namespace tw::render
