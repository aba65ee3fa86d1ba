#include "dialogs/options_layout.h"

namespace varimo {

const char* const kOptionsPageCaptions[7] = {
    u8"全般", u8"操作", u8"ﾎｯﾄｷｰ", u8"展開", u8"表示", u8"書式", u8"ﾊﾞｰｼﾞｮﾝ",
};

namespace {

constexpr uint32_t kBlue = 0x00FF0000;

}  // namespace

// Page controls are placed relative to their page; the sample line sits on its panel.
// Combo boxes are given their closed height.
// clang-format off
const TControlSpec kOptionsControls[58] = {
    {kOptionsTabs,   TControlKind::kTabs,          0,    0,   0, 341, 225, ""},
    {kPageGeneral,   TControlKind::kPage,          0,    4,  26, 333, 195, u8"全般"},
    {kPageOperate,   TControlKind::kPage,          0,    4,  26, 333, 195, u8"操作"},
    {kPageHotKey,    TControlKind::kPage,          0,    4,  26, 333, 195, u8"ﾎｯﾄｷｰ"},
    {kPageUnPack,    TControlKind::kPage,          0,    4,  26, 333, 195, u8"展開"},
    {kPageView,      TControlKind::kPage,          0,    4,  26, 333, 195, u8"表示"},
    {kPageForm,      TControlKind::kPage,          0,    4,  26, 333, 195, u8"書式"},
    {kPageVersion,   TControlKind::kPage,          0,    4,  26, 333, 195, u8"ﾊﾞｰｼﾞｮﾝ"},
    {kOptionsOk,     TControlKind::kDefaultButton, 0,   98, 232,  75,  25, "OK"},
    {kOptionsCancel, TControlKind::kButton,        0,  179, 232,  75,  25, u8"ｷｬﾝｾﾙ"},
    {kButtonUpdate,  TControlKind::kButton,        0,  260, 232,  75,  25, u8"適用"},

    {kCheckBoxVisible,  TControlKind::kCheckBox,        kPageGeneral,  12,  10, 300, 18, u8"対象ﾌｧｲﾙ以外の場合は非表示"},
    {kCheckBoxPlayTime, TControlKind::kCheckBox,        kPageGeneral,  12,  30, 300, 18, u8"小さいｳｨﾝﾄﾞｳで再生中は経過時間を表示"},
    {kLabelTimer,       TControlKind::kLabel,           kPageGeneral,  12,  60,  50, 14, u8"ﾀｲﾏｰ"},
    {kEditTimer,        TControlKind::kUpDownEdit,      kPageGeneral,  70,  56,  50, 20, ""},
    {kLabelTimerUnit,   TControlKind::kLabel,           kPageGeneral, 142,  60,  60, 14, u8"ﾐﾘ秒"},
    {kLabelBreak,       TControlKind::kLabel,           kPageGeneral,  12,  86,  50, 14, u8"ﾌﾞﾚｲｸ"},
    {kEditBreak,        TControlKind::kUpDownEdit,      kPageGeneral,  70,  82,  50, 20, ""},
    {kLabelBreakUnit,   TControlKind::kLabel,           kPageGeneral, 142,  86,  60, 14, u8"ﾐﾘ秒前"},
    {kGroupBoxCorrect,  TControlKind::kGroupBox,        kPageGeneral,  12, 114, 309, 66, ""},
    {kCheckBoxCorrect,  TControlKind::kHeadingCheckBox, kPageGeneral,  20, 113, 100, 16, u8"再生時間補正"},
    {kEditCorrect,      TControlKind::kUpDownEdit,      kPageGeneral,  28, 144,  50, 20, ""},
    {kLabelCorrect,     TControlKind::kLabel,           kPageGeneral, 100, 148,  70, 14, u8"ﾐﾘ秒/分"},
    {kButtonMeasure,    TControlKind::kButton,          kPageGeneral, 230, 141,  75, 25, u8"計測"},

    {kGroupBoxTrackKeys,  TControlKind::kGroupBox,     kPageOperate,  12,  10, 309, 84, u8"曲前後移動 ｼｮｰﾄｶｯﾄｷｰ"},
    {kLabelPrevKey,       TControlKind::kLabel,        kPageOperate,  28,  38,  76, 14, u8"前の曲へ"},
    {kComboBoxPrevKey,    TControlKind::kDropDownList, kPageOperate, 110,  34,  60, 20, ""},
    {kLabelNextKey,       TControlKind::kLabel,        kPageOperate,  28,  66,  76, 14, u8"次の曲へ"},
    {kComboBoxNextKey,    TControlKind::kDropDownList, kPageOperate, 110,  62,  60, 20, ""},
    {kGroupBoxVisibleKey, TControlKind::kGroupBox,     kPageOperate,  12, 104, 309, 56, u8"表示/非表示切り替え"},
    {kLabelVisibleKey,    TControlKind::kLabel,        kPageOperate,  28, 132,  76, 14, "Alt +"},
    {kComboBoxVisibleKey, TControlKind::kDropDownList, kPageOperate, 110, 128,  60, 20, ""},

    {kCheckBoxHotKey, TControlKind::kCheckBox, kPageHotKey,  12,   8, 130,  18, u8"ﾎｯﾄｷｰを使用"},
    {kLabelHostMark,  TControlKind::kLabel,    kPageHotKey, 150,  11,   8,  14, "*", false, kBlue},
    {kLabelHostNote,  TControlKind::kLabel,    kPageHotKey, 158,  11, 163,  14, u8"はWinampに対しての操作", true, kBlue},
    {kListViewHotKey, TControlKind::kListView, kPageHotKey,  12,  32, 309, 156, ""},

    {kLabelMP3on3,    TControlKind::kLabel,    kPageUnPack,  12, 14, 200, 14, "MusicPack 3on3"},
    {kEditMP3on3,     TControlKind::kTextEdit, kPageUnPack,  12, 30, 240, 20, ""},
    {kButtonMP3on3,   TControlKind::kButton,   kPageUnPack, 258, 29,  63, 22, u8"参照"},
    {kCheckBoxMP3on3, TControlKind::kCheckBox, kPageUnPack,  12, 62, 300, 18, u8"再生中の場合は停止させる"},

    {kGroupBoxPlaylist,     TControlKind::kGroupBox,        kPageView,  12,   6, 309, 56, u8"ﾌﾟﾚｲﾘｽﾄ"},
    {kLabelFontName,        TControlKind::kLabel,           kPageView,  24,  30,  34, 14, u8"ﾌｫﾝﾄ"},
    {kComboBoxFontName,     TControlKind::kDropDown,        kPageView,  60,  26, 150, 20, ""},
    {kLabelFontSize,        TControlKind::kLabel,           kPageView, 218,  30,  32, 14, u8"ｻｲｽﾞ"},
    {kEditFontSize,         TControlKind::kUpDownEdit,      kPageView, 252,  26,  36, 20, ""},
    {kGroupBoxSmall,        TControlKind::kGroupBox,        kPageView,  12,  68, 309, 50, u8"小さいｳｨﾝﾄﾞｳ"},
    {kLabelFontPitch,       TControlKind::kLabel,           kPageView,  24,  92,  64, 14, u8"文字間調整"},
    {kEditFontPitch,        TControlKind::kUpDownEdit,      kPageView,  92,  88,  36, 20, ""},
    {kGroupBoxTransparence, TControlKind::kGroupBox,        kPageView,  12, 126, 309, 56, ""},
    {kCheckBoxTransparence, TControlKind::kHeadingCheckBox, kPageView,  20, 125, 100, 16, u8"半透明ｳｨﾝﾄﾞｳ"},
    {kLabelTransparence,    TControlKind::kLabel,           kPageView,  24, 154,  64, 14, u8"不透明度"},
    {kEditTransparence,     TControlKind::kUpDownEdit,      kPageView,  92, 150,  36, 20, ""},

    {kPanelSample,    TControlKind::kSamplePanel, kPageForm,      12,  8, 309,  28, ""},
    {kRichEditForm,   TControlKind::kRichEdit,    kPanelSample,    4,  5, 301,  18, ""},
    {kListViewForm,   TControlKind::kListView,    kPageForm,      12, 44, 200, 144, ""},
    {kCheckBoxFormNo, TControlKind::kCheckBox,    kPageForm,     224, 46,  90,  18, u8"№ 表示"},

    {kLabelURL,        TControlKind::kLink, kPageVersion, 20, 140, 293, 16, ""},
    {kLabelLinkMP3on3, TControlKind::kLink, kPageVersion, 20, 162, 293, 16, ""},
};
// clang-format on

int32_t OptionsPage(int32_t id) {
  for (const TControlSpec& c : kOptionsControls) {
    if (c.Id != id) continue;
    if (c.Parent == kPanelSample) return kPageForm;
    return c.Parent;
  }
  return 0;
}

}  // namespace varimo
