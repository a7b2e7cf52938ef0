// XImagePdf: the PDF library IMAGE2PDF.DLL, loaded by name when the object is created so that a program runs
// without it. Each wrapper calls the export of its name (found on every call; the image export once and kept):
// text and number setters answer the library's code, -1 when the library or the export is missing; the switches
// answer NIL. MakePDF keeps the library's error code and text. TImagePDF is its user class; ISIMAGEPDF() tells
// whether the library can be loaded.
#pragma once

#include <cstdint>

#include "framework/core/object/component.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XImagePdf : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // ([oParent]) -> Self, the library loaded
    VP_OVERRIDES(Destroy)    // frees the library
    VP_METHODS(AddImage,     // (cFile) -> code
               MakePDF,      // (cFile, nOptions) -> code; 0 made
               SetAuthor, SetCreator, SetProducer, SetTitle, SetSubject, SetUserPassword,  // (c) -> code
               SetPermissions, SetDPI, MetaImageMaxMP,                                     // (n) -> code
               MetaToNativePDF, UseEMFDeviceSize, MetaTextFitBoundingRect, CenterMetaImageOnPage, MetaMargins,
               Reset, SilentRunning, DeleteImagesOnConvert)                                // () -> NIL
    VP_PROTECTED(Initialize, Uninitialize)

    intptr_t hLib() const { return static_cast<intptr_t>(field(kLib).asInteger()); }

private:
    static inline int kLastErrorText = -1, kLastError = -1, kLib = -1, kAddImage = -1;
    bool loaded() const { return hLib() >= 32; }
    intptr_t exportNamed(const char* name) const;
    rt::Value text(const char* name, rt::Args args);
    rt::Value number(const char* name, rt::Args args);
    rt::Value none(const char* name);
};

using TImagePDF = UserClass<XImagePdf, "TImagePDF">;

// The class and ISIMAGEPDF().
void registerImagePdf();

}  // namespace vorpex
