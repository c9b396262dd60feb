// Resource ids of Zirel.scr that its code loads (the launcher's own range is 100-199).
#pragma once

#define IDR_PREVIEW_JPEG 100
