// The preview form over Win32; its sizes come from preview_geometry.h.
#include "win32_preview_form.h"

#include <cstring>

#include "launcher_resources.h"
#include "preview_geometry.h"
#include "win32_application_window.h"
#include "win32_window.h"

namespace {

constexpr wchar_t kFormClass[] = L"Vant_R";
constexpr wchar_t kFormTitle[] = L"Preview Window";
constexpr wchar_t kImageClass[] = L"Img_Prev";

// The preview JPEG from the program's resources, decoded by OLE; nullptr if that fails.
IPicture* LoadPreviewPicture()
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(IDR_PREVIEW_JPEG), MAKEINTRESOURCEA(10));
    const DWORD size = resource ? SizeofResource(module, resource) : 0;
    const void* bytes = size ? LockResource(LoadResource(module, resource)) : nullptr;
    if (!bytes)
        return nullptr;
    // OleLoadPicture reads from a stream; the resource is copied into one it can own.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return nullptr;
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream, LONG(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture))))
        picture = nullptr;
    stream->Release();
    return picture;
}

// The window the preview lives in, watched by ParentWatchTick.
HWND previewParent = nullptr;

// NOTE: when the process that owns the preview area dies, its windows go with it, ours (a child
// of it) included, and under Wine our process is never told: no WM_DESTROY reaches the form.
// A slow thread timer, which needs no window of ours, ends the launcher once the area is gone.
void CALLBACK ParentWatchTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!IsWindow(previewParent))
        EndLauncher();
}

}  // namespace

void Vant_R::Load()
{
    const auto black = HBRUSH(GetStockObject(BLACK_BRUSH));
    zirel::RegisterClassOnce(kFormClass, zirel::ObjectWindowProc<Vant_R>, nullptr, black);
    zirel::RegisterClassOnce(kImageClass, zirel::ObjectWindowProc<PreviewPicture>, nullptr, black);
    OleInitialize(nullptr);
    picture_.picture = LoadPreviewPicture();
    window_ = CreateWindowExW(0, kFormClass, kFormTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0,
                              ApplicationWindow(), nullptr, nullptr, this);
    image_ = CreateWindowExW(0, kImageClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window_,
                             nullptr, nullptr, &picture_);
}

void Vant_R::Unload()
{
    // The owner is the hidden application window; its closing ends the process, so no preview
    // process outlives its preview area.
    HWND owner = GetWindow(window_, GW_OWNER);
    PostMessageA(owner ? owner : ApplicationWindow(), WM_CLOSE, 0, 0);
}

void PreviewPicture::Paint(HDC dc) const
{
    if (!picture)
        return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    // Drawn at its own pixel size, not scaled: take that from the decoded bitmap.
    OLE_HANDLE handle = 0;
    BITMAP bitmap{};
    if (FAILED(picture->get_Handle(&handle)) ||
        !GetObjectA(HGDIOBJ(UINT_PTR(handle)), sizeof(bitmap), &bitmap)) {
        bitmap.bmWidth = MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), 2540);
        bitmap.bmHeight = MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), 2540);
    }
    // Source rectangle in HIMETRIC runs bottom-up.
    picture->Render(dc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, 0, height, width, -height,
                     nullptr);
}

LRESULT Vant_R::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        Unload();
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PreviewPicture::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    Paint(dc);
    EndPaint(window, &paint);
    return 0;
}

void AttachPreview(HWND parent)
{
    if (!parent || !IsWindow(parent))
        EndLauncher();

    RECT area{};
    GetWindowRect(parent, &area);
    HDC screen = GetDC(nullptr);
    const int twipsX = TwipsPerPixel(GetDeviceCaps(screen, LOGPIXELSX));
    const int twipsY = TwipsPerPixel(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    const PreviewLayout layout =
        LayoutPreview(area.right - area.left, area.bottom - area.top, twipsX, twipsY);

    static Vant_R form;
    form.Load();
    // SetParent keeps the style: WS_POPUP goes, as a window claiming both is no child everywhere.
    const LONG style = GetWindowLongA(form.Window(), GWL_STYLE);
    SetWindowLongA(form.Window(), GWL_STYLE, (style | WS_CHILD) & ~LONG(WS_POPUP));
    SetParent(form.Window(), parent);
    MoveWindow(form.Window(), 0, 0, layout.widthPixels, layout.heightPixels, FALSE);
    MoveWindow(form.Img_Prev(), 0, 0, layout.widthPixels, layout.heightPixels, FALSE);
    ShowWindow(form.Window(), SW_SHOWNA);
    previewParent = parent;
    SetTimer(nullptr, 0, 1000, ParentWatchTick);  // Wine never says another process's area died
}
