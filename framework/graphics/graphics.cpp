#include "framework/graphics/graphics.h"

#include "framework/core/screen/screen.h"
#include "framework/graphics/brush/brush.h"
#include "framework/graphics/canvas/canvas.h"
#include "framework/graphics/clipboard/clipboard.h"
#include "framework/graphics/clipboard/clipboard_functions.h"
#include "framework/graphics/cursor/cursor.h"
#include "framework/graphics/font/font.h"
#include "framework/graphics/icon/icon.h"
#include "framework/graphics/image_list/image_list.h"
#include "framework/graphics/image_list/image_list_port.h"
#include "framework/graphics/metafile/metafile.h"
#include "framework/graphics/pen/pen.h"
#include "framework/graphics/picture/picture.h"

namespace vorpex {

void registerGraphics() {
    TFont::classRecord();
    TBrush::classRecord();
    TPen::classRecord();
    TCursor::classRecord();
    TIcon::classRecord();
    TImageList::classRecord();
    TPicture::classRecord();
    TClipboard::classRecord();
    TEnhMetaFile::classRecord();
    TCanvas::classRecord();
    TRect::classRecord();
    registerMetafileFunctions();
    registerClipboardFunctions();
    gfx::registerImageListFunctions();
    registerScreen();
    registerPlatformGraphicsFunctions();
}

}  // namespace vorpex
