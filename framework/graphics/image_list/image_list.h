// XImageList: one common-controls image list, a row of equally sized images drawn by index. It remembers
// every image given to Add so that a second Create rebuilds the list, numbers images from 1 for its callers
// (the rows that pass the platform's own zero-based indexes say so), and tells its owner through VPNotify
// when the list goes from empty to filled (1) and back (2). A size of 1 by 1 is "not yet known": the first
// bitmap added decides it. TImageList is its user class.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"

namespace vorpex {

class XImageList : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();

    int64_t nWidth() const { return field(kWidth).asInteger(); }
    int64_t nHeight() const { return field(kHeight).asInteger(); }
    const rt::Value& aBitmaps() const { return field(kBitmaps); }

    rt::Value New(rt::Args args) override;      // ([oParent], [nWidth], [nHeight]) -> Self
    rt::Value Create(rt::Args args) override;   // the same; rebuilds the images of an existing list
    rt::Value Destroy(rt::Args args) override;  // destroys the list; the owner forgets it
    rt::Value Free(rt::Args args) override;     // lets go of the kept bitmap copies

    rt::Value Add(rt::Args args);        // (xImage, [lDisabled]) -> index, 0 failed, -1 kept for Create
    rt::Value AddIcon(rt::Args args);    // (cName, [nIndex]) -> index
    rt::Value AddMasked(rt::Args args);  // (xImage, nMaskColor) -> index
    rt::Value Remove(rt::Args args);     // (nIndex) -> logical
    rt::Value RemoveAll(rt::Args args);
    rt::Value GetIcon(rt::Args args);      // (nIndex, [nFlags]) -> hIcon
    rt::Value ReplaceIcon(rt::Args args);  // (nIndex zero-based, -1 appends, hIcon) -> zero-based index
    rt::Value GetIconSize(rt::Args args);
    rt::Value SetIconSize(rt::Args args);  // ([nWidth], [nHeight]) -> logical; empties the list
    rt::Value GetImageCount(rt::Args args);
    rt::Value GetImageInfo(rt::Args args);  // (, nIndex zero-based) -> {hbmImage, hbmMask}
    rt::Value GetBkColor(rt::Args args);
    rt::Value SetBkColor(rt::Args args);
    rt::Value Duplicate(rt::Args args);
    rt::Value Draw(rt::Args args);    // (nIndex, hDC, nX, nY, nStyle)
    rt::Value DrawEx(rt::Args args);  // (nIndex, hDC, nX, nY, nWidth, nHeight, nBkColor, [nFgColor], [nStyle])
    rt::Value Copy(rt::Args args);    // (nDst, nSrc)
    rt::Value Swap(rt::Args args);
    rt::Value GetBitmap(rt::Args args);  // (nIndex, [nStyle]) -> a new bitmap the caller owns
    rt::Value SetOverlayImage(rt::Args args);
    rt::Value BeginDrag(rt::Args args);
    rt::Value SetDragCursorImage(rt::Args args);
    rt::Value Merge(rt::Args args);
    rt::Value EndDrag(rt::Args args);
    rt::Value DragEnter(rt::Args args);
    rt::Value DragLeave(rt::Args args);
    rt::Value DragMove(rt::Args args);
    rt::Value DragShowNolock(rt::Args args);
    rt::Value GetDragImage(rt::Args args);  // ([lPoint]) -> {nX, nY} or the drag list
    rt::Value Write(rt::Args args);         // (cFile, [lBitmap]) -> logical
    rt::Value WriteBitmap(rt::Args args);   // (cFile): the file without the stream header
    rt::Value Read(rt::Args args);          // (cFile) -> logical

private:
    static inline int kWidth = -1, kHeight = -1, kBitmaps = -1;

    rt::Value SetWidth(rt::Args args);   // SetIconSize(n)
    rt::Value SetHeight(rt::Args args);  // SetIconSize(, n)
    rt::Value build(rt::Args args);
    bool live() const;
    std::vector<rt::Value>& bitmapList();
    void notifyOwner(int64_t what);
    void tellOwner(const char* message);
    // Takes the list's actual image size into the fields, without resizing the list.
    void takeListSize();
    // The platform index of a 1-based image number, or nothing when there is no such image.
    std::optional<int64_t> imageIndex(const rt::Value& number);
    // After an add: the 1-based index (0 failed), telling the owner when it is the first image.
    rt::Value added(int64_t platformIndex);
    void afterRemove(bool removed);
    // Whether a remembered image is a bitmap copy of the list's own (the third item of its row).
    static bool keptCopy(const rt::Value& entry);
    void releaseKeptCopies();
};

using TImageList = UserClass<XImageList, "TImageList">;

}  // namespace vorpex
