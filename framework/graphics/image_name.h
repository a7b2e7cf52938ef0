// What a cursor or an icon is loaded from, told by its name: a number is a system image, a text with a "."
// a file, any other text a resource of the program (or of a module it registered).
#pragma once

#include "runtime/core/value.h"

namespace vorpex::gfx {

enum class ImageSource { None, System, Resource, File };

ImageSource imageSource(const rt::Value& name);
// The source LoadFromResource takes: a number is a system image, a non-empty text a resource.
ImageSource resourceSource(const rt::Value& name);

}  // namespace vorpex::gfx
