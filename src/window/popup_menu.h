#pragma once
// The window's popup menu: play the selection, the play modes, where the album information
// came from, unpacking, file information, extraction, the options and the help. Its items
// are built afresh each time it opens, enabled by the state of the moment.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/captions.h"
#include "engine/varimo_context.h"

namespace varimo {

// What a pick of each item answers.
enum PopupItem : int32_t {
  kPopupPlayItem = 1,
  kPopupNormal,
  kPopupRepeatSingle,
  kPopupRepeatAlbum,
  kPopupShuffleAlbum,
  kPopupShuffleAll,
  kPopupAlbumInfoCue,
  kPopupAlbumInfoPack,
  kPopupAlbumInfoZip,
  kPopupAlbumInfoLha,
  kPopupAlbumInfoUnPack,
  kPopupFileInfo,
  kPopupFileExtract,
  kPopupOptions,
  kPopupHelp,
};

// The play-mode radio items of the popup menu.
enum class ModeItem { kNone, kNormal, kRepeatSingle, kRepeatAlbum, kShuffleAlbum, kShuffleAll };

// The item checked for a mode: a pending shuffle-all shows as shuffle all, an unknown mode
// checks none.
ModeItem ModeItemFor(int32_t mode);

// Which items the menu enables as it opens.
struct TPopupEnabling {
  bool FileCommands = false;  // file information and extraction
  bool UnPack = false;
};

// The enabling rules, run as the menu opens. In the small window the file commands act on
// the current track, which becomes the selection.
TPopupEnabling PopupMenuPopup(TVarimo& varimo, TPorts& ports);

// The menu's items in display order, as the menu shows them now.
std::vector<TMenuItem> PopupMenuItems(const TVarimo& varimo, const TPopupEnabling& enabling);

// Opens the menu at a screen point and carries out the item picked.
void OpenPopupMenu(TVarimo& varimo, TPorts& ports, TPoint at);
// Carries out one item of the menu.
void RunPopupItem(TVarimo& varimo, TPorts& ports, int32_t item);

// The help page of a language in the folder of the host's program file:
// "Plugins\gen_Varimo.htm" in Japanese, "Plugins\gen_Varimo.en.htm" in English.
std::string HelpFilePath(std::string_view hostProgramPath, TLanguage language);
// Shows the help page in the language in force in the host's browser window.
void PopupHelpClick(TVarimo& varimo, TPorts& ports);

}  // namespace varimo
