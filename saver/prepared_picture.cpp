// Preparing a photo on the slideshow's worker thread: the file's head read
// by hand (orientation, stored size), the pixels decoded in bands by the
// Imaging Component or, without it, by OleLoadPicture, and each band scaled
// straight into the screen-sized result.
#include "prepared_picture.h"

#include <stdlib.h>
#include <string.h>

#include <ocidl.h>
#include <olectl.h>
#include <wincodec.h>

#include "exif_orientation.h"
#include "imaging_runtime.h"
#include "picture_scaling.h"

PreparePhaseProc PreparePhaseDone = NULL;
volatile LONG PrepareThroughOlePicture = 0;

namespace {

// Decoding may take this much at the size decoded, four bytes a pixel.
const uint64_t kMostDecodedBytes = 256ull << 20;
// A band holds about this much of the decoded picture, and never more rows
// than this, so that a cancel is seen soon after it is set.
const uint32_t kBandBytes = 512 * 1024;
const uint32_t kMostBandRows = 64;
// The scaler sums a row's columns in 32 bits.
const uint32_t kLongestSide = 0xFFFFFF;
// OleLoadPicture takes the whole file in memory.
const DWORD kMostOleFileBytes = 64u << 20;

// The decoder's scaling interface, which the MinGW headers lack.
const IID kSourceTransformInterface = {0x3b16811b, 0x6a43, 0x4ec9, {0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40}};
struct SourceTransform : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                                 WICPixelFormatGUID* format, WICBitmapTransformOptions transform,
                                                 UINT stride, UINT bytes, BYTE* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform, BOOL* supported) = 0;
};

template <typename T>
void Release(T*& object)
{
    if (object) {
        object->Release();
        object = NULL;
    }
}

inline void EndPhase(PreparePhase phase)
{
    if (PreparePhaseDone)
        PreparePhaseDone(phase);
}

inline bool Cancelled(volatile LONG* cancel)
{
    return cancel && *cancel != 0;
}

size_t ReadFromFile(void* context, uint64_t offset, void* buffer, size_t size)
{
    HANDLE file = static_cast<HANDLE>(context);
    LONG high = static_cast<LONG>(offset >> 32);
    if (SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return 0;
    DWORD got = 0;
    if (size > 0x10000000 || !ReadFile(file, buffer, static_cast<DWORD>(size), &got, NULL))
        return 0;
    return got;
}

// What the file's own bytes say, read before any decoder opens it.
struct FileHead {
    StoredPictureHead stored;
    int orientation;
    DWORD size;
};

bool ReadFileHead(const char* path, FileHead* head)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0;
    head->size = GetFileSize(file, &high);
    if (high || head->size == INVALID_FILE_SIZE)
        head->size = 0xFFFFFFFF;
    head->stored = ReadStoredPictureHead(ReadFromFile, file);
    head->orientation = EXIF_UPRIGHT;
    if (head->stored.format == STORED_JPEG || head->stored.format == STORED_TIFF)
        head->orientation = ReadExifOrientation(ReadFromFile, file);
    CloseHandle(file);
    return head->size != 0;
}

bool TooLargeToDecode(uint32_t width, uint32_t height)
{
    return static_cast<uint64_t>(width) * height * 4 > kMostDecodedBytes || width > kLongestSide ||
           height > kLongestSide;
}

// The result's place, size and pixels, and the scaler that fills them.
struct Preparation {
    const PictureFit* fit;
    int orientation;
    PreparedPicture result;
    PictureScaler scaler;
    uint32_t scaledWidth;   // the scaled size as stored, before the turn
    uint32_t scaledHeight;
};

// Works out where a picture of width x height (as stored, before its turn)
// goes, takes the result's pixels and sets the scaler up for a source of
// sourceWidth x sourceHeight (the size decoded).
PrepareResult StartPreparation(Preparation* p, uint32_t width, uint32_t height, uint32_t sourceWidth,
                               uint32_t sourceHeight)
{
    bool swap = OrientationSwapsSides(p->orientation);
    FittedRect rect = FitPictureInArea(p->fit->areaWidth, p->fit->areaHeight, p->fit->keepProportions != FALSE,
                                       p->fit->fullscreen != FALSE, swap ? height : width, swap ? width : height);
    if (rect.width <= 0 || rect.height <= 0)
        return PREPARE_UNREADABLE;
    p->result.x = rect.x;
    p->result.y = rect.y;
    p->result.width = rect.width;
    p->result.height = rect.height;
    p->scaledWidth = static_cast<uint32_t>(swap ? rect.height : rect.width);
    p->scaledHeight = static_cast<uint32_t>(swap ? rect.width : rect.height);
    p->result.pixels = static_cast<DWORD*>(malloc(static_cast<size_t>(rect.width) * rect.height * sizeof(DWORD)));
    if (!p->result.pixels)
        return PREPARE_TOO_LARGE;
    if (!StartScaling(&p->scaler, sourceWidth, sourceHeight, p->scaledWidth, p->scaledHeight, p->orientation,
                      reinterpret_cast<uint32_t*>(p->result.pixels), static_cast<uint32_t>(rect.width)))
        return PREPARE_TOO_LARGE;
    return PREPARE_OK;
}

uint32_t BandRows(uint32_t width)
{
    uint32_t rows = kBandBytes / (width * 4u);
    return rows < 1 ? 1 : rows > kMostBandRows ? kMostBandRows : rows;
}

// The pixel formats a decoder's own scaling may hand over, widened here to
// 4 bytes a pixel with the alpha applied.
enum BandFormat { BAND_PBGRA, BAND_BGRA, BAND_BGR, BAND_GRAY };

bool BandFormatOf(const WICPixelFormatGUID& format, BandFormat* band)
{
    if (IsEqualGUID(format, GUID_WICPixelFormat32bppPBGRA) || IsEqualGUID(format, GUID_WICPixelFormat32bppBGR))
        *band = BAND_PBGRA;
    else if (IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA))
        *band = BAND_BGRA;
    else if (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        *band = BAND_BGR;
    else if (IsEqualGUID(format, GUID_WICPixelFormat8bppGray))
        *band = BAND_GRAY;
    else
        return false;
    return true;
}

// Widens rows that were copied with their natural size at the start of each
// 4-byte-a-pixel row, from the end backwards so that nothing is overwritten.
void WidenBand(BYTE* band, uint32_t width, uint32_t rows, BandFormat format)
{
    for (uint32_t r = 0; r < rows; ++r) {
        BYTE* row = band + static_cast<size_t>(r) * width * 4;
        if (format == BAND_BGR) {
            for (uint32_t x = width; x-- > 0;) {
                row[4 * x + 2] = row[3 * x + 2];
                row[4 * x + 1] = row[3 * x + 1];
                row[4 * x] = row[3 * x];
            }
        } else if (format == BAND_GRAY) {
            for (uint32_t x = width; x-- > 0;)
                row[4 * x] = row[4 * x + 1] = row[4 * x + 2] = row[x];
        } else if (format == BAND_BGRA) {
            for (uint32_t x = 0; x < width; ++x) {
                BYTE* p = row + 4 * x;
                p[0] = static_cast<BYTE>((p[0] * p[3] + 127) / 255);
                p[1] = static_cast<BYTE>((p[1] * p[3] + 127) / 255);
                p[2] = static_cast<BYTE>((p[2] * p[3] + 127) / 255);
            }
        }
    }
}

// The orientation an extra codec's metadata gives (HEIF and the like), for
// the containers whose orientation the file's head does not tell.
int OrientationFromMetadata(IWICBitmapFrameDecode* frame, const GUID& container)
{
    if (IsEqualGUID(container, GUID_ContainerFormatBmp) || IsEqualGUID(container, GUID_ContainerFormatPng) ||
        IsEqualGUID(container, GUID_ContainerFormatIco) || IsEqualGUID(container, GUID_ContainerFormatJpeg) ||
        IsEqualGUID(container, GUID_ContainerFormatTiff) || IsEqualGUID(container, GUID_ContainerFormatGif))
        return 0;
    IWICMetadataQueryReader* reader = NULL;
    if (FAILED(frame->GetMetadataQueryReader(&reader)) || !reader)
        return 0;
    int orientation = 0;
    PROPVARIANT value;
    memset(&value, 0, sizeof value);
    if (SUCCEEDED(reader->GetMetadataByName(L"System.Photo.Orientation", &value))) {
        if (value.vt == VT_UI2 && value.uiVal >= 1 && value.uiVal <= 8)
            orientation = value.uiVal;
        PropVariantClearProc clear = FindPropVariantClear();
        if (clear)
            clear(&value);
    }
    reader->Release();
    return orientation;
}

// The decoder's own reduction (a JPEG's DCT scaling): the smallest size it
// offers that is still at least width x height, and the pixel format it
// gives. False when it offers nothing smaller than the picture.
bool ChooseDecoderScaling(SourceTransform* transform, uint32_t pictureWidth, uint32_t pictureHeight, uint32_t width,
                          uint32_t height, UINT* chosenWidth, UINT* chosenHeight, WICPixelFormatGUID* format,
                          BandFormat* band)
{
    if (width >= pictureWidth || height >= pictureHeight)
        return false;
    UINT askWidth = width, askHeight = height;
    bool found = false;
    for (int attempt = 0; attempt < 6 && !found; ++attempt) {
        UINT w = askWidth, h = askHeight;
        if (FAILED(transform->GetClosestSize(&w, &h)))
            return false;
        if (w >= width && h >= height && w <= pictureWidth && h <= pictureHeight) {
            *chosenWidth = w;
            *chosenHeight = h;
            found = true;
        }
        if (askWidth >= pictureWidth && askHeight >= pictureHeight)
            break;
        askWidth = askWidth * 2 < pictureWidth ? askWidth * 2 : pictureWidth;
        askHeight = askHeight * 2 < pictureHeight ? askHeight * 2 : pictureHeight;
    }
    if (!found || (*chosenWidth == pictureWidth && *chosenHeight == pictureHeight))
        return false;
    *format = GUID_WICPixelFormat32bppPBGRA;
    BOOL supported = FALSE;
    return SUCCEEDED(transform->GetClosestPixelFormat(format)) && BandFormatOf(*format, band) &&
           SUCCEEDED(transform->DoesSupportTransform(WICBitmapTransformRotate0, &supported)) && supported;
}

// The Imaging Component's objects of one preparation.
struct ImagingObjects {
    IWICImagingFactory* factory;
    IWICBitmapDecoder* decoder;
    IWICBitmapFrameDecode* frame;
    SourceTransform* transform;
    IWICFormatConverter* converter;
    BYTE* band;
};

void ReleaseImaging(ImagingObjects* o)
{
    free(o->band);
    Release(o->converter);
    Release(o->transform);
    Release(o->frame);
    Release(o->decoder);
    Release(o->factory);
}

PrepareResult DecodeWithImaging(IWICImagingFactory* factory, const char* path, const FileHead& head,
                                volatile LONG* cancel, Preparation* p)
{
    ImagingObjects o;
    memset(&o, 0, sizeof o);
    o.factory = factory;
    PrepareResult result = PREPARE_UNREADABLE;
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0);
    WCHAR* wide = length > 0 ? static_cast<WCHAR*>(malloc(length * sizeof(WCHAR))) : NULL;
    if (wide && MultiByteToWideChar(CP_ACP, 0, path, -1, wide, length) > 0)
        factory->CreateDecoderFromFilename(wide, NULL, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &o.decoder);
    free(wide);
    UINT width = 0, height = 0;
    if (!o.decoder || FAILED(o.decoder->GetFrame(0, &o.frame)) || !o.frame ||
        FAILED(o.frame->GetSize(&width, &height)) || width == 0 || height == 0) {
        ReleaseImaging(&o);
        return PREPARE_UNREADABLE;
    }
    GUID container = GUID_NULL;
    if (head.stored.format != STORED_JPEG && head.stored.format != STORED_TIFF &&
        SUCCEEDED(o.decoder->GetContainerFormat(&container))) {
        int orientation = OrientationFromMetadata(o.frame, container);
        if (orientation)
            p->orientation = orientation;
    }

    // Where it goes decides how small the decoder may make it.
    bool swap = OrientationSwapsSides(p->orientation);
    FittedRect rect = FitPictureInArea(p->fit->areaWidth, p->fit->areaHeight, p->fit->keepProportions != FALSE,
                                       p->fit->fullscreen != FALSE, swap ? height : width, swap ? width : height);
    UINT decodedWidth = width, decodedHeight = height;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppPBGRA;
    BandFormat bandFormat = BAND_PBGRA;
    if (rect.width > 0 && rect.height > 0 &&
        SUCCEEDED(o.frame->QueryInterface(kSourceTransformInterface, reinterpret_cast<void**>(&o.transform))) &&
        o.transform) {
        uint32_t wanted = static_cast<uint32_t>(swap ? rect.height : rect.width);
        uint32_t wantedDown = static_cast<uint32_t>(swap ? rect.width : rect.height);
        if (!ChooseDecoderScaling(o.transform, width, height, wanted, wantedDown, &decodedWidth, &decodedHeight,
                                  &format, &bandFormat)) {
            Release(o.transform);
            decodedWidth = width;
            decodedHeight = height;
        }
    } else {
        o.transform = NULL;
    }
    if (TooLargeToDecode(decodedWidth, decodedHeight)) {
        ReleaseImaging(&o);
        return PREPARE_TOO_LARGE;
    }
    if (!o.transform) {
        // Everything else through a converter to premultiplied 32 bits: the
        // alpha then lies over black.
        if (FAILED(factory->CreateFormatConverter(&o.converter)) ||
            FAILED(o.converter->Initialize(o.frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, NULL, 0.0,
                                           WICBitmapPaletteTypeCustom))) {
            ReleaseImaging(&o);
            return PREPARE_UNREADABLE;
        }
    }
    result = StartPreparation(p, width, height, decodedWidth, decodedHeight);
    uint32_t rows = BandRows(decodedWidth);
    UINT stride = decodedWidth * 4;
    if (result == PREPARE_OK && !(o.band = static_cast<BYTE*>(malloc(static_cast<size_t>(stride) * rows))))
        result = PREPARE_TOO_LARGE;
    EndPhase(PREPARE_PHASE_OPEN);

    for (UINT top = 0; result == PREPARE_OK && top < decodedHeight; top += rows) {
        if (Cancelled(cancel)) {
            result = PREPARE_CANCELLED;
            break;
        }
        UINT count = decodedHeight - top < rows ? decodedHeight - top : rows;
        WICRect band = {0, static_cast<INT>(top), static_cast<INT>(decodedWidth), static_cast<INT>(count)};
        HRESULT copied;
        if (o.transform) {
            UINT natural = bandFormat == BAND_BGR ? decodedWidth * 3 : bandFormat == BAND_GRAY ? decodedWidth : stride;
            copied = o.transform->CopyPixels(&band, decodedWidth, decodedHeight, &format, WICBitmapTransformRotate0,
                                             natural, natural * count, o.band);
            // Each row was copied at the start of its 4-byte-a-pixel place.
            if (SUCCEEDED(copied) && natural != stride)
                for (UINT r = count; r-- > 1;)
                    memmove(o.band + static_cast<size_t>(r) * stride, o.band + static_cast<size_t>(r) * natural,
                            natural);
        } else {
            copied = o.converter->CopyPixels(&band, stride, stride * count, o.band);
        }
        if (FAILED(copied)) {
            result = PREPARE_UNREADABLE;
            break;
        }
        WidenBand(o.band, decodedWidth, count, bandFormat);
        EndPhase(PREPARE_PHASE_DECODE);
        ScaleRows(&p->scaler, o.band, stride, count);
        EndPhase(PREPARE_PHASE_SCALE);
    }
    ReleaseImaging(&o);
    return result;
}

// The whole file in memory, for OleLoadPicture, which reads from a stream.
IStream* FileStream(const char* path, DWORD size)
{
    CreateStreamOnHGlobalProc createStream = FindCreateStreamOnHGlobal();
    if (!createStream)
        return NULL;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return NULL;
    bool read = false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        void* bytes = GlobalLock(memory);
        DWORD got = 0;
        read = bytes && ReadFile(file, bytes, size, &got, NULL) && got == size;
        GlobalUnlock(memory);
        CloseHandle(file);
    }
    IStream* stream = NULL;
    if (!read || FAILED(createStream(memory, TRUE, &stream)) || !stream) {
        GlobalFree(memory);
        return NULL;
    }
    return stream;
}

PrepareResult DecodeWithOlePicture(const char* path, const FileHead& head, volatile LONG* cancel, Preparation* p)
{
    OleLoadPictureProc load = FindOleLoadPicture();
    if (!load)
        return PREPARE_UNREADABLE;
    if (head.stored.format != STORED_JPEG && head.stored.format != STORED_GIF && head.stored.format != STORED_BMP)
        return PREPARE_UNREADABLE;
    if (head.size > kMostOleFileBytes)
        return PREPARE_TOO_LARGE;
    IStream* stream = FileStream(path, head.size);
    if (!stream)
        return PREPARE_UNREADABLE;
    IPicture* picture = NULL;
    HRESULT loaded = load(stream, static_cast<LONG>(head.size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded) || !picture)
        return PREPARE_UNREADABLE;

    PrepareResult result = PREPARE_UNREADABLE;
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    BITMAP bitmap;
    HDC dc = NULL;
    BYTE* band = NULL;
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle)) &&
        GetObjectA(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof bitmap, &bitmap) == sizeof bitmap &&
        bitmap.bmWidth > 0 && bitmap.bmHeight > 0) {
        HBITMAP source = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        uint32_t width = static_cast<uint32_t>(bitmap.bmWidth), height = static_cast<uint32_t>(bitmap.bmHeight);
        if (TooLargeToDecode(width, height))
            result = PREPARE_TOO_LARGE;
        else
            result = StartPreparation(p, width, height, width, height);
        uint32_t rows = BandRows(width);
        if (result == PREPARE_OK &&
            (!(band = static_cast<BYTE*>(malloc(static_cast<size_t>(width) * 4 * rows))) ||
             !(dc = CreateCompatibleDC(NULL))))
            result = PREPARE_TOO_LARGE;
        EndPhase(PREPARE_PHASE_OPEN);
        // Bottom-up rows: a band from the top is counted from the bottom.
        BITMAPINFO info;
        memset(&info, 0, sizeof info);
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = static_cast<LONG>(width);
        info.bmiHeader.biHeight = static_cast<LONG>(height);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        for (uint32_t top = 0; result == PREPARE_OK && top < height; top += rows) {
            if (Cancelled(cancel)) {
                result = PREPARE_CANCELLED;
                break;
            }
            uint32_t count = height - top < rows ? height - top : rows;
            if (GetDIBits(dc, source, height - top - count, count, band, &info, DIB_RGB_COLORS) !=
                static_cast<int>(count)) {
                result = PREPARE_UNREADABLE;
                break;
            }
            EndPhase(PREPARE_PHASE_DECODE);
            ptrdiff_t stride = static_cast<ptrdiff_t>(width) * 4;
            ScaleRows(&p->scaler, band + stride * (count - 1), -stride, count);
            EndPhase(PREPARE_PHASE_SCALE);
        }
    }
    if (dc)
        DeleteDC(dc);
    free(band);
    picture->Release();
    return result;
}

}  // namespace

PrepareResult PreparePicture(const char* path, const PictureFit* fit, volatile LONG* cancel,
                             PreparedPicture* picture)
{
    if (!picture)
        return PREPARE_UNREADABLE;
    memset(picture, 0, sizeof *picture);
    if (!path || !fit || fit->areaWidth <= 0 || fit->areaHeight <= 0)
        return PREPARE_UNREADABLE;
    if (Cancelled(cancel))
        return PREPARE_CANCELLED;
    FileHead head;
    if (!ReadFileHead(path, &head))
        return PREPARE_UNREADABLE;
    // Formats decoded at their stored size are refused before any decoder
    // sees them (some decode everything as they open); a JPEG may still be
    // decoded smaller.
    if (head.stored.width && TooLargeToDecode(head.stored.width, head.stored.height) &&
        (head.stored.format != STORED_JPEG || PrepareThroughOlePicture))
        return PREPARE_TOO_LARGE;

    Preparation p;
    memset(&p, 0, sizeof p);
    p.fit = fit;
    p.orientation = head.orientation;
    PrepareResult result;
    IWICImagingFactory* factory = PrepareThroughOlePicture ? NULL : CreateImagingFactory();
    if (factory)
        result = DecodeWithImaging(factory, path, head, cancel, &p);
    else
        result = DecodeWithOlePicture(path, head, cancel, &p);
    if (result == PREPARE_OK && p.scaler.rowsOut != p.scaler.height)
        result = PREPARE_UNREADABLE;
    EndScaling(&p.scaler);
    if (result != PREPARE_OK) {
        free(p.result.pixels);
        return result;
    }
    *picture = p.result;
    return PREPARE_OK;
}

void ReleasePreparedPicture(PreparedPicture* picture)
{
    if (!picture || !picture->pixels)
        return;
    free(picture->pixels);
    memset(picture, 0, sizeof *picture);
}
