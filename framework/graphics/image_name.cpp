#include "framework/graphics/image_name.h"

namespace vorpex::gfx {

ImageSource imageSource(const rt::Value& name) {
    if (name.isNumber()) return ImageSource::System;
    if (!name.isString() || name.asString().empty()) return ImageSource::None;
    return name.asString().find('.') == std::string::npos ? ImageSource::Resource : ImageSource::File;
}

ImageSource resourceSource(const rt::Value& name) {
    if (name.isNumber()) return ImageSource::System;
    if (name.isString() && !name.asString().empty()) return ImageSource::Resource;
    return ImageSource::None;
}

}  // namespace vorpex::gfx
