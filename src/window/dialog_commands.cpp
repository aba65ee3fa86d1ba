#include "window/dialog_commands.h"

namespace varimo {

// The dialogs and the unpack program join here; until then the commands change nothing.
void PopupOptionsClick(TVarimo&, TPorts&) {}
void PopupFileInfoClick(TVarimo&, TPorts&) {}
void PopupFileExtractClick(TVarimo&, TPorts&) {}
void PopupAlbumInfoUnPackClick(TVarimo&, TPorts&) {}

}  // namespace varimo
