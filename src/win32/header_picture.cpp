#include "win32/header_picture.hpp"

#include <wincodec.h>
#include <wrl/client.h>

#include <string>

#include "base/error.hpp"
#include "base/win32_text.hpp"

namespace velmora {

namespace {

using Microsoft::WRL::ComPtr;

void check(HRESULT result, const char* step) {
    if (FAILED(result))
        throw Error(std::string("Cannot decode the header picture (") + step +
                    "): " + system_message(static_cast<unsigned long>(result)));
}

}  // namespace

HBITMAP load_png_resource(const wchar_t* name) {
    const HMODULE program = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(program, name, L"PNG");
    const HGLOBAL loaded = resource != nullptr ? LoadResource(program, resource) : nullptr;
    auto* bytes = static_cast<BYTE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (bytes == nullptr) throw Error("Resource " + utf8_of_wide(name) + " not found");

    // 1. The decoder over the resource's bytes, which stay mapped as long as the program runs.
    ComPtr<IWICImagingFactory> factory;
    check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)),
          "imaging component");
    ComPtr<IWICStream> stream;
    check(factory->CreateStream(&stream), "stream");
    check(stream->InitializeFromMemory(bytes, SizeofResource(program, resource)), "stream");
    ComPtr<IWICBitmapDecoder> decoder;
    check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder),
          "decoder");
    ComPtr<IWICBitmapFrameDecode> frame;
    check(decoder->GetFrame(0, &frame), "frame");
    // 2. Its pixels as blue, green, red and one unused byte, the form of a 32-bit bitmap.
    ComPtr<IWICFormatConverter> converter;
    check(factory->CreateFormatConverter(&converter), "converter");
    check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                WICBitmapPaletteTypeCustom),
          "converter");
    UINT width = 0;
    UINT height = 0;
    check(converter->GetSize(&width, &height), "size");
    // 3. A top-down bitmap of that size, filled from the converter.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr) throw Error("Out of memory");
    const HRESULT copied =
        converter->CopyPixels(nullptr, width * 4, width * 4 * height, static_cast<BYTE*>(pixels));
    if (FAILED(copied)) {
        DeleteObject(bitmap);
        check(copied, "pixels");
    }
    return bitmap;
}

}  // namespace velmora
