#include "window/popup_menu.h"

#include "common/captions.h"
#include "engine/play_commands.h"
#include "settings/settings.h"
#include "window/dialog_commands.h"

namespace varimo {
namespace {

constexpr char kHelpFile[] = "Plugins\\gen_Varimo.htm";
constexpr char kEnglishHelpFile[] = "Plugins\\gen_Varimo.en.htm";

TMenuItem Command(PopupItem id, TCaption caption, const char* shortcut = "") {
  TMenuItem item;
  item.Id = id;
  item.Caption = Caption(caption);
  item.Shortcut = shortcut;
  return item;
}

TMenuItem Radio(PopupItem id, TCaption caption, bool checked) {
  TMenuItem item = Command(id, caption);
  item.Radio = true;
  item.Checked = checked;
  return item;
}

TMenuItem Separator() {
  TMenuItem item;
  item.Type = TMenuItem::Kind::kSeparator;
  return item;
}

TMenuItem Marker(TMenuItem::Kind kind, TCaption caption = TCaption::kNone) {
  TMenuItem item;
  item.Type = kind;
  item.Caption = Caption(caption);
  return item;
}

bool HasMemberFiles(int32_t kind) {
  return kind == kAlbumPack || kind == kAlbumZip || kind == kAlbumLha;
}

}  // namespace

ModeItem ModeItemFor(int32_t mode) {
  switch (mode) {
    case kModeNormal: return ModeItem::kNormal;
    case kModeRepeatSingle: return ModeItem::kRepeatSingle;
    case kModeRepeatAlbum: return ModeItem::kRepeatAlbum;
    case kModeShuffleAlbum: return ModeItem::kShuffleAlbum;
    case kModeShuffleAll:
    case kModeShuffleAllPending: return ModeItem::kShuffleAll;
    default: return ModeItem::kNone;
  }
}

TPopupEnabling PopupMenuPopup(TVarimo& varimo, TPorts& ports) {
  TPopupEnabling enabling;
  TWindowState& window = varimo.Window;
  const TAlbumState& album = varimo.Album;
  const int32_t count = static_cast<int32_t>(album.Tracks.size());
  if (window.State == kStateSmall) {
    enabling.FileCommands = album.CurrentIndex >= 0 && HasMemberFiles(album.AlbumKind);
    if (enabling.FileCommands) window.SelectedIndex = album.CurrentIndex;
  } else {
    // A selection left over from a longer list names no track.
    enabling.FileCommands = window.SelectedIndex >= 0 && window.SelectedIndex < count &&
                            HasMemberFiles(album.AlbumKind);
  }
  const std::string& tool = varimo.Settings.Option.MP3on3Path;
  enabling.UnPack = !album.AlbumFile.empty() && !tool.empty() &&
                    ports.Files.FileExists(album.AlbumFile) && ports.Files.FileExists(tool);
  return enabling;
}

std::vector<TMenuItem> PopupMenuItems(const TVarimo& varimo, const TPopupEnabling& enabling) {
  const ModeItem mode = ModeItemFor(varimo.Play.Mode);
  const int32_t kind = varimo.Window.CheckedAlbumKind;
  std::vector<TMenuItem> items = {
      Command(kPopupPlayItem, TCaption::kPopupPlay, "Enter"),
      Separator(),
      Radio(kPopupNormal, TCaption::kPopupNormal, mode == ModeItem::kNormal),
      Radio(kPopupRepeatSingle, TCaption::kPopupRepeatSingle, mode == ModeItem::kRepeatSingle),
      Radio(kPopupRepeatAlbum, TCaption::kPopupRepeatAlbum, mode == ModeItem::kRepeatAlbum),
      Radio(kPopupShuffleAlbum, TCaption::kPopupShuffleAlbum, mode == ModeItem::kShuffleAlbum),
      Radio(kPopupShuffleAll, TCaption::kPopupShuffleAll, mode == ModeItem::kShuffleAll),
      Separator(),
      Marker(TMenuItem::Kind::kSubmenuBegin, TCaption::kPopupAlbumInfo),
      Radio(kPopupAlbumInfoCue, TCaption::kPopupAlbumInfoCue, kind == kAlbumCue),
      Radio(kPopupAlbumInfoPack, TCaption::kPopupAlbumInfoPack, kind == kAlbumPack),
      Radio(kPopupAlbumInfoZip, TCaption::kPopupAlbumInfoZip, kind == kAlbumZip),
      Radio(kPopupAlbumInfoLha, TCaption::kPopupAlbumInfoLha, kind == kAlbumLha),
      Separator(),
      Radio(kPopupAlbumInfoUnPack, TCaption::kPopupAlbumInfoUnPack, false),
      Marker(TMenuItem::Kind::kSubmenuEnd),
      Command(kPopupFileInfo, TCaption::kPopupFileInfo, "Alt+3"),
      Command(kPopupFileExtract, TCaption::kPopupFileExtract),
      Separator(),
      Command(kPopupOptions, TCaption::kPopupOptions, "Ctrl+P"),
      Command(kPopupHelp, TCaption::kPopupHelp, "F1"),
  };
  for (TMenuItem& item : items) {
    if (item.Id == kPopupFileInfo || item.Id == kPopupFileExtract) {
      item.Enabled = enabling.FileCommands;
    }
    if (item.Id == kPopupAlbumInfoUnPack) item.Enabled = enabling.UnPack;
  }
  return items;
}

void OpenPopupMenu(TVarimo& varimo, TPorts& ports, TPoint at) {
  const TPopupEnabling enabling = PopupMenuPopup(varimo, ports);
  const int32_t picked = ports.Menus.TrackPopup(PopupMenuItems(varimo, enabling), at);
  // A pick of a disabled item cannot come from the system; a stale one does nothing.
  if (picked == kPopupFileInfo || picked == kPopupFileExtract) {
    if (!enabling.FileCommands) return;
  }
  if (picked == kPopupAlbumInfoUnPack && !enabling.UnPack) return;
  RunPopupItem(varimo, ports, picked);
}

void RunPopupItem(TVarimo& varimo, TPorts& ports, int32_t item) {
  switch (item) {
    case kPopupPlayItem: PopupPlayItemClick(varimo, ports); return;
    case kPopupNormal: PopupModeClick(varimo.Play, kModeNormal); return;
    case kPopupRepeatSingle: PopupModeClick(varimo.Play, kModeRepeatSingle); return;
    case kPopupRepeatAlbum: PopupModeClick(varimo.Play, kModeRepeatAlbum); return;
    case kPopupShuffleAlbum: PopupModeClick(varimo.Play, kModeShuffleAlbum); return;
    case kPopupShuffleAll: PopupModeClick(varimo.Play, kModeShuffleAll); return;
    case kPopupAlbumInfoUnPack: PopupAlbumInfoUnPackClick(varimo, ports); return;
    case kPopupFileInfo: PopupFileInfoClick(varimo, ports); return;
    case kPopupFileExtract: PopupFileExtractClick(varimo, ports); return;
    case kPopupOptions: PopupOptionsClick(varimo, ports); return;
    case kPopupHelp: PopupHelpClick(varimo, ports); return;
    // The album-information items only show where the album came from.
    default: return;
  }
}

std::string HelpFilePath(std::string_view hostProgramPath, TLanguage language) {
  return BesideHostProgram(hostProgramPath,
                           language == TLanguage::kEnglish ? kEnglishHelpFile : kHelpFile);
}

void PopupHelpClick(TVarimo& varimo, TPorts& ports) {
  ports.Host.OpenBrowser(HelpFilePath(varimo.HostProgramPath, CaptionLanguage()));
}

}  // namespace varimo
