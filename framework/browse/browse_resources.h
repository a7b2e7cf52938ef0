// The pens and brushes a grid paints with, made once from its colours and dropped when a colour or a divider
// style changes. Internal to the browse's sources. Windows only.
#pragma once

#include <windows.h>

#include "framework/browse/browse.h"

namespace vorpex {

struct XBrowse::Resources {
    HPEN shadow = nullptr, white = nullptr, column = nullptr, row = nullptr;
    HBRUSH pane = nullptr, altPane = nullptr, selPane = nullptr, selFocusPane = nullptr;
    ~Resources() {
        for (HGDIOBJ o : {static_cast<HGDIOBJ>(shadow), static_cast<HGDIOBJ>(white), static_cast<HGDIOBJ>(column),
                          static_cast<HGDIOBJ>(row), static_cast<HGDIOBJ>(pane), static_cast<HGDIOBJ>(altPane),
                          static_cast<HGDIOBJ>(selPane), static_cast<HGDIOBJ>(selFocusPane)})
            if (o) DeleteObject(o);
    }
};

}  // namespace vorpex
