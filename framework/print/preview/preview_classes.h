// The preview's classes join the program at start-up.
#pragma once

namespace vorpex {

// Builds TPreviewControl and TPreviewPage where there are windows; elsewhere there is nothing to build, and a
// preview is shown only by an OnPreview handler.
void registerPreviewClasses();

}  // namespace vorpex
