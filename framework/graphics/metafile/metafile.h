// XEnhMetaFile: one enhanced metafile, recorded (a context the caller draws on, then closed), loaded from a
// file or copied, with the facts of its header, played into a rectangle of any device context. The print
// preview keeps each page as one. TEnhMetaFile is its user class.
#pragma once

#include <cstdint>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"
#include "framework/graphics/metafile/metafile_port.h"

namespace vorpex {

class XEnhMetaFile : public TWinObject {
public:
    using TWinObject::TWinObject;
    ~XEnhMetaFile() override;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // (hRefDC, cFile, nWidth, nHeight, cTitle) -> Self

    const rt::Value& cName() const { return field(kName); }
    intptr_t hNewDC() const { return static_cast<intptr_t>(field(kNewDc).asInteger()); }

    rt::Value Destroy(rt::Args args) override;
    rt::Value Close(rt::Args args);    // () -> logical
    rt::Value Load(rt::Args args);     // (cFile) -> Self
    rt::Value GetInfo(rt::Args args);  // () -> Self
    rt::Value Paint(rt::Args args);    // (hDC, nLeft, nTop, nRight, nBottom) -> logical
    rt::Value Play(rt::Args args);     // (hDC, aRect) -> logical
    rt::Value Copy(rt::Args args);     // ([cFile]) -> handle of the copy

private:
    static inline int kName = -1, kNewDc = -1, kDescription = -1, kType = -1, kBytes = -1, kGdiWidth = -1,
                      kGdiHeight = -1, kMmsWidth = -1, kMmsHeight = -1, kVersion = -1, kRecords = -1,
                      kDevicePixRes = -1, kDeviceMmsRes = -1;

    rt::Value SetName(rt::Args args);
    rt::Value GetWidth(rt::Args args);
    rt::Value GetHeight(rt::Args args);
    void takeHeader(const gfx::EmfHeader& h);
    // Drops the metafile (not the recording).
    void dropMetafile();
    // Ends an open recording and drops what it recorded.
    void dropRecording();
};

using TEnhMetaFile = UserClass<XEnhMetaFile, "TEnhMetaFile">;

// GETENHMETAFILE, DELETEENHMETAFILE, CREATEENHMETAFILE, CLOSEENHMETAFILE, PLAYENHMETAFILE, COPYENHMETAFILE,
// GETENHMETAFILEHEADER over the metafile port.
void registerMetafileFunctions();

}  // namespace vorpex
