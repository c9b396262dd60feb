// Vant_R: the preview form, a child of the display dialog's preview area showing a still of the
// saver. Its unload closes the application window, which ends the launcher.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

// Attaches the preview form to `parent` and shows it. A parent that is 0 or no window ends the
// launcher: nothing would ever destroy the form otherwise.
void AttachPreview(HWND parent);

// The still of the saver, painted into the form's picture control Img_Prev.
struct PreviewPicture {
    IPicture* picture = nullptr;  // the preview JPEG, kept for the life of the process

    // Every message of Img_Prev.
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;
};

class Vant_R {
public:
    // Creates the hidden, borderless form with its picture control, owned by the application
    // window.
    void Load();
    // The form's window is being destroyed with its parent's contents.
    void Unload();

    HWND Window() const { return window_; }
    HWND Img_Prev() const { return image_; }

    // Every message of the form's window.
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND window_ = nullptr;
    HWND image_ = nullptr;
    PreviewPicture picture_;
};
