// Vant_R: the preview form, a child of the display dialog's preview area showing a still of the
// saver. Its unload closes the application window, which ends the launcher.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

// Attaches the preview form to `parent` and shows it. A parent that is 0 or no window ends the
// launcher: nothing would ever destroy the form otherwise.
void AttachPreview(HWND parent);

class Vant_R {
public:
    // Creates the hidden, borderless form with its picture control, owned by the application
    // window.
    void Load();
    // The form's window is being destroyed with its parent's contents.
    void Unload();

    HWND Window() const { return window_; }
    HWND Img_Prev() const { return image_; }

private:
    static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PaintPicture(HDC dc) const;

    HWND window_ = nullptr;
    HWND image_ = nullptr;
    IPicture* picture_ = nullptr;  // the preview JPEG, kept for the life of the process
};
