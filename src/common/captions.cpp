#include "common/captions.h"

#include <atomic>

namespace varimo {

// One row per line, {id, Japanese, English}: tests/e2e/help_page.py reads the rows of this
// table. The English is kept as short as the Japanese wherever it can be: the dialogs' controls
// are sized for half-width katakana.
// clang-format off
const std::array<TCaptionRow, static_cast<size_t>(TCaption::kCount) - 1> kCaptionRows = {{
    {TCaption::kPopupPlay,             u8"再生", u8"Play"},
    {TCaption::kPopupNormal,           u8"通常再生", u8"Normal"},
    {TCaption::kPopupRepeatSingle,     u8"ﾘﾋﾟｰﾄ (ｼﾝｸﾞﾙ)", u8"Repeat track"},
    {TCaption::kPopupRepeatAlbum,      u8"ﾘﾋﾟｰﾄ (ｱﾙﾊﾞﾑ)", u8"Repeat album"},
    {TCaption::kPopupShuffleAlbum,     u8"ｼｬｯﾌﾙ (ｱﾙﾊﾞﾑ)", u8"Shuffle album"},
    {TCaption::kPopupShuffleAll,       u8"ｼｬｯﾌﾙ (全ﾌｧｲﾙ)", u8"Shuffle all files"},
    {TCaption::kPopupAlbumInfo,        u8"ｱﾙﾊﾞﾑ情報", u8"Album info"},
    {TCaption::kPopupAlbumInfoCue,     u8"Cue", u8"Cue"},
    {TCaption::kPopupAlbumInfoPack,    u8"Pack", u8"Pack"},
    {TCaption::kPopupAlbumInfoZip,     u8"ZIP", u8"ZIP"},
    {TCaption::kPopupAlbumInfoLha,     u8"LHA", u8"LHA"},
    {TCaption::kPopupAlbumInfoUnPack,  u8"展開", u8"Unpack"},
    {TCaption::kPopupFileInfo,         u8"ﾌｧｲﾙ情報", u8"File information"},
    {TCaption::kPopupFileExtract,      u8"ﾌｧｲﾙ抽出保存", u8"Extract file..."},
    {TCaption::kPopupOptions,          u8"設定", u8"Options"},
    {TCaption::kPopupHelp,             u8"ﾍﾙﾌﾟ", u8"Help"},

    {TCaption::kHostMenuItem,          u8"Varimo", u8"Varimo"},

    {TCaption::kMessageCannotRegister, u8"ホットキー登録不可", u8"Hot key could not be registered"},
    {TCaption::kMessageWriteError,     u8"Write Error - ", u8"Write Error - "},
    {TCaption::kExtractFolderTitle,    u8"抽出先ﾌｫﾙﾀﾞ指定", u8"Extract to folder"},

    {TCaption::kCommandActivate,         u8" ｱｸﾃｨﾌﾞ化", u8" Activate"},
    {TCaption::kCommandPopupMenu,        u8" ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰ", u8" Popup menu"},
    {TCaption::kCommandPlaySelection,    u8" 選択を再生", u8" Play selection"},
    {TCaption::kCommandPlayStop,         u8" 再生/停止", u8" Play/Stop"},
    {TCaption::kCommandPreviousTrack,    u8" 前の曲へ", u8" Prev. track"},
    {TCaption::kCommandNextTrack,        u8" 次の曲へ", u8" Next track"},
    {TCaption::kCommandShowHide,         u8" 表示/非表示", u8" Show/Hide"},
    {TCaption::kCommandHostActivate,     u8"*ｱｸﾃｨﾌﾞ化", u8"*Activate"},
    {TCaption::kCommandHostPopupMenu,    u8"*ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰ", u8"*Popup menu"},
    {TCaption::kCommandHostOpenFile,     u8"*ﾌｧｲﾙを開く", u8"*Open file"},
    {TCaption::kCommandHostAddFile,      u8"*ﾌｧｲﾙを追加", u8"*Add file"},
    {TCaption::kCommandHostPlay,         u8"*再生", u8"*Play"},
    {TCaption::kCommandHostStop,         u8"*停止", u8"*Stop"},
    {TCaption::kCommandHostPause,        u8"*一時停止", u8"*Pause"},
    {TCaption::kCommandHostPreviousFile, u8"*前のﾌｧｲﾙへ", u8"*Previous file"},
    {TCaption::kCommandHostNextFile,     u8"*次のﾌｧｲﾙへ", u8"*Next file"},
    {TCaption::kCommandHostShuffle,      u8"*ｼｬｯﾌﾙ", u8"*Shuffle"},
    {TCaption::kCommandHostRepeat,       u8"*ﾘﾋﾟｰﾄ", u8"*Repeat"},
    {TCaption::kCommandHostEqualizer,    u8"*ｲｺﾗｲｻﾞｰ", u8"*Equalizer"},
    {TCaption::kCommandHostPlaylist,     u8"*ﾌﾟﾚｲﾘｽﾄ", u8"*Playlist"},
    {TCaption::kCommandHostRewind,       u8"*巻戻し", u8"*Rewind"},
    {TCaption::kCommandHostFastForward,  u8"*早送り", u8"*Fast forward"},
    {TCaption::kCommandHostVolumeUp,     u8"*音量を上げる", u8"*Volume up"},
    {TCaption::kCommandHostVolumeDown,   u8"*音量を下げる", u8"*Volume down"},
    {TCaption::kCommandHostExit,         u8"*終了", u8"*Exit"},
    {TCaption::kKeyPageUp,               "Up", "PgUp"},
    {TCaption::kKeyPageDown,             "Down", "PgDn"},

    {TCaption::kOk,                    u8"OK", u8"OK"},

    {TCaption::kOptionsTitle,          u8"設定", u8"Options"},
    {TCaption::kPageGeneral,           u8"全般", u8"General"},
    {TCaption::kPageOperate,           u8"操作", u8"Controls"},
    {TCaption::kPageHotKey,            u8"ﾎｯﾄｷｰ", u8"Hot keys"},
    {TCaption::kPageUnPack,            u8"展開", u8"Unpack"},
    {TCaption::kPageView,              u8"表示", u8"Display"},
    {TCaption::kPageForm,              u8"書式", u8"Format"},
    {TCaption::kPageVersion,           u8"ﾊﾞｰｼﾞｮﾝ", u8"Version"},
    {TCaption::kCancel,                u8"ｷｬﾝｾﾙ", u8"Cancel"},
    {TCaption::kApply,                 u8"適用", u8"Apply"},
    {TCaption::kVisible,               u8"対象ﾌｧｲﾙ以外の場合は非表示", u8"Hide when the file is not an album"},
    {TCaption::kPlayTime,              u8"小さいｳｨﾝﾄﾞｳで再生中は経過時間を表示", u8"Small window: elapsed time while playing"},
    {TCaption::kTimer,                 u8"ﾀｲﾏｰ", u8"Timer"},
    {TCaption::kTimerUnit,             u8"ﾐﾘ秒", u8"ms"},
    {TCaption::kBreak,                 u8"ﾌﾞﾚｲｸ", u8"Break"},
    {TCaption::kBreakUnit,             u8"ﾐﾘ秒前", u8"ms before"},
    {TCaption::kCorrect,               u8"再生時間補正", u8"Correct time"},
    {TCaption::kCorrectUnit,           u8"ﾐﾘ秒/分", u8"ms/min"},
    {TCaption::kMeasure,               u8"計測", u8"Measure"},
    {TCaption::kMeasureEnd,            u8"終了", u8"Stop"},
    {TCaption::kTrackKeys,             u8"曲前後移動 ｼｮｰﾄｶｯﾄｷｰ", u8"Previous/next track shortcut keys"},
    {TCaption::kPrevKey,               u8"前の曲へ", u8"Previous"},
    {TCaption::kNextKey,               u8"次の曲へ", u8"Next"},
    {TCaption::kVisibleKeyGroup,       u8"表示/非表示切り替え", u8"Show/hide window"},
    {TCaption::kVisibleKeyAlt,         u8"Alt +", u8"Alt +"},
    {TCaption::kAlbumMemory,           u8"アルバムごとに除外を記憶", u8"Remember exclusions per album"},
    {TCaption::kAlbumResume,           u8"続きから再生", u8"Resume where left off"},
    {TCaption::kUseHotKeys,            u8"ﾎｯﾄｷｰを使用", u8"Use hot keys"},
    {TCaption::kHostMark,              u8"*", u8"*"},
    {TCaption::kHostNote,              u8"はWinampに対しての操作", u8"acts on Winamp"},
    {TCaption::kHotKeyColumnCommand,   u8"操作", u8"Command"},
    {TCaption::kHotKeyColumnKey1,      u8"ｷｰ1", u8"Key 1"},
    {TCaption::kHotKeyColumnKey2,      u8"ｷｰ2", u8"Key 2"},
    {TCaption::kMP3on3Label,           u8"MusicPack 3on3", u8"MusicPack 3on3"},
    {TCaption::kBrowseMP3on3,          u8"参照", u8"Browse..."},
    {TCaption::kMP3on3Filter,          u8"ﾌﾟﾛｸﾞﾗﾑ(*.exe)|*.exe|全てのﾌｧｲﾙ(*.*)|*.*", u8"Programs (*.exe)|*.exe|All files (*.*)|*.*"},
    {TCaption::kMP3on3Stop,            u8"再生中の場合は停止させる", u8"Stop playback before unpacking"},
    {TCaption::kPlaylistGroup,         u8"ﾌﾟﾚｲﾘｽﾄ", u8"Playlist"},
    {TCaption::kFontName,              u8"ﾌｫﾝﾄ", u8"Font"},
    {TCaption::kFontSize,              u8"ｻｲｽﾞ", u8"Size"},
    {TCaption::kSmallWindowGroup,      u8"小さいｳｨﾝﾄﾞｳ", u8"Small window"},
    {TCaption::kFontPitch,             u8"文字間調整", u8"Spacing"},
    {TCaption::kTransparence,          u8"半透明ｳｨﾝﾄﾞｳ", u8"Translucent"},
    {TCaption::kOpacity,               u8"不透明度", u8"Opacity"},
    {TCaption::kLanguageLabel,         u8"言語 / Language", u8"言語 / Language"},
    {TCaption::kLanguageFollowSystem,  u8"ｼｽﾃﾑに従う", u8"Follow the system"},
    {TCaption::kLanguageNameJapanese,  u8"日本語", u8"日本語"},
    {TCaption::kLanguageNameEnglish,   u8"English", u8"English"},
    {TCaption::kShowNumbers,           u8"№ 表示", u8"Show No."},
    {TCaption::kFormatColumnItem,      u8" ｱｲﾃﾑ", u8" Item"},
    {TCaption::kFormatColumnText,      u8" ﾃｷｽﾄ", u8" Text"},
    {TCaption::kListAdd,               u8"追加", u8"Add"},
    {TCaption::kListDelete,            u8"削除", u8"Delete"},
    {TCaption::kListClear,             u8"ｸﾘｱ", u8"Clear"},
    {TCaption::kListPreset,            u8"ﾌﾟﾘｾｯﾄ", u8"Presets"},
    {TCaption::kSampleNumber,          u8"№ ", u8"No. "},
    {TCaption::kKindText,              u8"ﾃｷｽﾄ", u8"Text"},
    {TCaption::kKindArtist,            u8"ｱｰﾃｨｽﾄ", u8"Artist"},
    {TCaption::kKindTitle,             u8"ﾀｲﾄﾙ", u8"Title"},
    {TCaption::kKindAlbum,             u8"ｱﾙﾊﾞﾑ", u8"Album"},
    {TCaption::kKindTrack,             u8"ﾄﾗｯｸ", u8"Track"},
    {TCaption::kKindYear,              u8"年", u8"Year"},
    {TCaption::kKindFileName,          u8"ﾌｧｲﾙ名", u8"File"},
    {TCaption::kPresetArtistTitle,     u8"№ ｱｰﾃｨｽﾄ - ﾀｲﾄﾙ", u8"No. Artist - Title"},
    {TCaption::kPresetTitleArtist,     u8"№ ﾀｲﾄﾙ (ｱｰﾃｨｽﾄ)", u8"No. Title (Artist)"},
    {TCaption::kPresetTrackArtistTitle, u8"ﾄﾗｯｸ. ｱｰﾃｨｽﾄ - ﾀｲﾄﾙ", u8"Track. Artist - Title"},
    {TCaption::kVersionTitle,          u8"Varimo", u8"Varimo"},
    {TCaption::kVersionPlugin,         u8"Plugin for Winamp 2.x", u8"Plugin for Winamp 2.x"},
    {TCaption::kVersionLine,           u8"～ Version 1.62 ～", u8"~ Version 1.62 ~"},

    {TCaption::kFileInfoTitle,         u8"ﾌｧｲﾙ情報", u8"File information"},
    {TCaption::kFileInfoPack,          u8"Pack", u8"Pack"},
    {TCaption::kFileInfoZip,           u8"ZIP", u8"ZIP"},
    {TCaption::kFileInfoLha,           u8"LHA", u8"LHA"},
    {TCaption::kID3v1,                 u8"ID3v1", u8"ID3v1"},
    {TCaption::kMpegInfo,              u8"MPEG情報", u8"MPEG info"},
    {TCaption::kID3v2,                 u8"ID3v2", u8"ID3v2"},
    {TCaption::kTagTrack,              u8"ﾄﾗｯｸ番号", u8"Track"},
    {TCaption::kTagTitle,              u8"ﾀｲﾄﾙ", u8"Title"},
    {TCaption::kTagArtist,             u8"ｱｰﾃｨｽﾄ", u8"Artist"},
    {TCaption::kTagAlbum,              u8"ｱﾙﾊﾞﾑ", u8"Album"},
    {TCaption::kTagYear,               u8"西暦", u8"Year"},
    {TCaption::kTagGenre,              u8"ｼﾞｬﾝﾙ", u8"Genre"},
    {TCaption::kTagComment,            u8"ｺﾒﾝﾄ", u8"Comment"},
    {TCaption::kTagComposer,           u8"作曲", u8"Composer"},
    {TCaption::kTagOrigArtist,         u8"Orig.ｱｰﾃｨｽﾄ", u8"Orig. artist"},
    {TCaption::kTagCopyright,          u8"著作権", u8"Copyright"},
    {TCaption::kTagUrl,                u8"URL", u8"URL"},
    {TCaption::kTagEncoded,            u8"ｴﾝｺｰﾄﾞ", u8"Encoded"},
    {TCaption::kTagEncodedNote,        u8"（人・組織）", u8"(by whom)"},
    {TCaption::kTagEncoder,            u8"ｴﾝｺｰﾀﾞ", u8"Encoder"},
    {TCaption::kReferenceNote,         u8"※参照のみ、更新はできません", u8"* View only, no editing"},
}};
// clang-format on

namespace {

// Set and read on the host's thread, but a reader elsewhere must never see a torn value.
std::atomic<TLanguage> captionLanguage{TLanguage::kJapanese};

}  // namespace

TLanguage ResolveLanguage(int32_t setting, bool systemJapanese) {
  if (setting == kLanguageJapanese) return TLanguage::kJapanese;
  if (setting == kLanguageEnglish) return TLanguage::kEnglish;
  return systemJapanese ? TLanguage::kJapanese : TLanguage::kEnglish;
}

void SetCaptionLanguage(TLanguage language) {
  captionLanguage = language;
}

TLanguage CaptionLanguage() {
  return captionLanguage;
}

const char* Caption(TCaption id) {
  return Caption(id, captionLanguage);
}

const char* Caption(TCaption id, TLanguage language) {
  const auto index = static_cast<size_t>(id);
  if (index == 0 || index > kCaptionRows.size()) return "";
  const TCaptionRow& row = kCaptionRows[index - 1];
  return language == TLanguage::kEnglish ? row.English : row.Japanese;
}

bool IsCaptionText(TCaption id, std::string_view text) {
  return text == Caption(id, TLanguage::kJapanese) || text == Caption(id, TLanguage::kEnglish);
}

}  // namespace varimo
