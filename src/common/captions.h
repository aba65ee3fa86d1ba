#pragma once
// Every text the plug-in shows the user, by id: the popup menu, the host-menu item, the
// messages, the hot-key commands and the two dialogs, in Japanese and in English. A caption is
// found, checked and changed in captions.cpp only; the code that shows one names its id and
// looks the text up when it shows it, in the language in force at that moment.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varimo {

// Groups keep the order their texts are shown in; the help page's test reads the popup menu
// (kPopup...), the hot-key commands (kCommand...) and the options pages (kPage...) from the
// table by these prefixes, in table order.
enum class TCaption : int32_t {
  kNone,  // no text: a control without a caption

  // The window's popup menu.
  kPopupPlay,
  kPopupNormal,
  kPopupRepeatSingle,
  kPopupRepeatAlbum,
  kPopupShuffleAlbum,
  kPopupShuffleAll,
  kPopupAlbumInfo,
  kPopupAlbumInfoCue,
  kPopupAlbumInfoPack,
  kPopupAlbumInfoZip,
  kPopupAlbumInfoLha,
  kPopupAlbumInfoUnPack,
  kPopupFileInfo,
  kPopupFileExtract,
  kPopupOptions,
  kPopupHelp,

  // The item the hidden window puts into the host's main popup menu.
  kHostMenuItem,

  // Messages and the folder browser's title.
  kMessageCannotRegister,
  kMessageWriteError,  // followed by the system's error code
  kExtractFolderTitle,

  // The global hot keys' commands; Varimo's own start with a blank, the host's with "*".
  kCommandActivate,
  kCommandPopupMenu,
  kCommandPlaySelection,
  kCommandPlayStop,
  kCommandPreviousTrack,
  kCommandNextTrack,
  kCommandShowHide,
  kCommandHostActivate,
  kCommandHostPopupMenu,
  kCommandHostOpenFile,
  kCommandHostAddFile,
  kCommandHostPlay,
  kCommandHostStop,
  kCommandHostPause,
  kCommandHostPreviousFile,
  kCommandHostNextFile,
  kCommandHostShuffle,
  kCommandHostRepeat,
  kCommandHostEqualizer,
  kCommandHostPlaylist,
  kCommandHostRewind,
  kCommandHostFastForward,
  kCommandHostVolumeUp,
  kCommandHostVolumeDown,
  kCommandHostExit,

  // The hot-key keys whose names differ by language.
  kKeyPageUp,
  kKeyPageDown,

  // Both dialogs.
  kOk,

  // The options dialog: its title, its pages, its buttons.
  kOptionsTitle,
  kPageGeneral,
  kPageOperate,
  kPageHotKey,
  kPageUnPack,
  kPageView,
  kPageForm,
  kPageVersion,
  kCancel,
  kApply,
  // Page "全般".
  kVisible,
  kPlayTime,
  kTimer,
  kTimerUnit,
  kBreak,
  kBreakUnit,
  kCorrect,
  kCorrectUnit,
  kMeasure,
  kMeasureEnd,
  // Page "操作".
  kTrackKeys,
  kPrevKey,
  kNextKey,
  kVisibleKeyGroup,
  kVisibleKeyAlt,
  kAlbumMemory,  // the exclusions and the current track kept per album file
  kAlbumResume,  // enabled only with kAlbumMemory
  // Page "ﾎｯﾄｷｰ".
  kUseHotKeys,
  kHostMark,
  kHostNote,
  kHotKeyColumnCommand,
  kHotKeyColumnKey1,
  kHotKeyColumnKey2,
  // Page "展開".
  kMP3on3Label,
  kBrowseMP3on3,
  kMP3on3Filter,  // the open-file dialog's filter: caption|pattern pairs
  kMP3on3Stop,
  // Page "表示".
  kPlaylistGroup,
  kFontName,
  kFontSize,
  kSmallWindowGroup,
  kFontPitch,
  kTransparence,
  kOpacity,
  kLanguageLabel,         // the same in both languages
  kLanguageFollowSystem,  // the language list's entries, in the order of the setting's values
  kLanguageNameJapanese,  // each language's name in itself
  kLanguageNameEnglish,
  // Page "書式": the list, its columns, its popup menu and the sample line.
  kShowNumbers,
  kFormatColumnItem,
  kFormatColumnText,
  kListAdd,
  kListDelete,
  kListClear,
  kListPreset,
  kSampleNumber,
  // The kinds of format items, in kind order.
  kKindText,
  kKindArtist,
  kKindTitle,
  kKindAlbum,
  kKindTrack,
  kKindYear,
  kKindFileName,
  // The ready-made formats.
  kPresetArtistTitle,
  kPresetTitleArtist,
  kPresetTrackArtistTitle,
  // Page "ﾊﾞｰｼﾞｮﾝ": the painted lines.
  kVersionTitle,
  kVersionPlugin,
  kVersionLine,

  // The file information dialog.
  kFileInfoTitle,
  kFileInfoPack,
  kFileInfoZip,
  kFileInfoLha,
  kID3v1,
  kMpegInfo,
  kID3v2,
  kTagTrack,
  kTagTitle,
  kTagArtist,
  kTagAlbum,
  kTagYear,
  kTagGenre,
  kTagComment,
  kTagComposer,
  kTagOrigArtist,
  kTagCopyright,
  kTagUrl,
  kTagEncoded,
  kTagEncodedNote,
  kTagEncoder,
  kReferenceNote,

  kCount,  // not a caption: the number of ids
};

// One caption in each language, UTF-8.
struct TCaptionRow {
  TCaption Id;
  const char* Japanese;
  const char* English;
};

// Every caption but kNone, in id order.
extern const std::array<TCaptionRow, static_cast<size_t>(TCaption::kCount) - 1> kCaptionRows;

enum class TLanguage { kJapanese, kEnglish };

// The values of [Option] Language.
constexpr int32_t kLanguageSystem = 0;  // the user's UI language: Japanese, or else English
constexpr int32_t kLanguageJapanese = 1;
constexpr int32_t kLanguageEnglish = 2;

// The language a setting gives on a system whose UI language is Japanese or not; a value no
// dialog stores follows the system.
TLanguage ResolveLanguage(int32_t setting, bool systemJapanese);

// The language Caption answers in is one value for the whole library, set by the frame at
// start-up and at Apply. Captions are looked up from constant tables (menus, hot-key commands,
// format kinds, dialog layouts) and from code in every folder; passing the language down to
// each of them would thread it through every table and port for one value that changes only
// when the user applies the options. It starts as Japanese.
void SetCaptionLanguage(TLanguage language);
TLanguage CaptionLanguage();

// The text of a caption in the language in force, UTF-8; "" for kNone.
const char* Caption(TCaption id);
// The text of a caption in one language; "" for kNone.
const char* Caption(TCaption id, TLanguage language);
// True when text is the caption in either language: a list cell filled before the language
// was switched still names its entry.
bool IsCaptionText(TCaption id, std::string_view text);

}  // namespace varimo
