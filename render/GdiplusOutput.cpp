#include <tintwright/render/GdiplusOutput.h>

#include <windows.h>

#include <gdiplus.h>
#include <objidl.h>
#include <memory>
#include <vector>

#include <tintwright/render/GdiplusBackend.h>

namespace tw::render {

namespace {

// The class of the system's PNG encoder.
CLSID PngEncoder() {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        throw OutputError("the system has no image encoders");
    std::vector<std::byte> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        throw OutputError("the system has no image encoders");
    for (UINT i = 0; i < count; ++i)
        if (std::wstring_view(codecs[i].MimeType) == L"image/png") return codecs[i].Clsid;
    throw OutputError("the system has no PNG encoder");
}

struct StreamRelease {
    void operator()(IStream* stream) const { stream->Release(); }
};

// The whole content of a memory stream.
std::string BytesOf(IStream& stream) {
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (stream.Stat(&stat, STATFLAG_NONAME) != S_OK ||
        GetHGlobalFromStream(&stream, &memory) != S_OK)
        throw OutputError("the PNG encoder failed");
    const void* data = GlobalLock(memory);
    if (!data) throw OutputError("the PNG encoder failed");
    std::string bytes(static_cast<const char*>(data), static_cast<size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    return bytes;
}

}  // namespace

std::string EncodePng(Gdiplus::Bitmap& image) {
    const CLSID png = PngEncoder();
    IStream* made = nullptr;
    if (CreateStreamOnHGlobal(nullptr, TRUE, &made) != S_OK)
        throw OutputError("no memory for the PNG file");
    const std::unique_ptr<IStream, StreamRelease> stream(made);
    if (image.Save(stream.get(), &png, nullptr) != Gdiplus::Ok)
        throw OutputError("the PNG encoder failed");
    return BytesOf(*stream);
}

void StartGdiplus() {
    static const bool started = [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    if (!started) throw OutputError("GDI+ could not start");
}

std::string RenderPng(const TJwwData& doc, const RenderOptions& options, double dpi,
                      RenderReport& report) {
    StartGdiplus();
    const Box view = ViewOf(doc, options);
    const PixelSize size = RasterSizeOf(view, dpi);
    Gdiplus::Bitmap image(size.width, size.height, PixelFormat32bppRGB);
    if (image.GetLastStatus() != Gdiplus::Ok)
        throw OutputError("no memory for an image of this size");
    image.SetResolution(static_cast<float>(dpi), static_cast<float>(dpi));
    {
        Gdiplus::Graphics graphics(&image);
        if (graphics.GetLastStatus() != Gdiplus::Ok)
            throw OutputError("no memory for an image of this size");
        GdiplusBackend backend(graphics, Gdiplus::RectF(0, 0, static_cast<float>(size.width),
                                                        static_cast<float>(size.height)));
        RenderOptions fixed = options;
        fixed.view = view;
        report = Render(doc, fixed, backend);
    }
    return EncodePng(image);
}

}  // namespace tw::render
