#include "dialogs/options_layout.h"

namespace varimo {

const TCaption kOptionsPageCaptions[7] = {
    TCaption::kPageGeneral, TCaption::kPageOperate, TCaption::kPageHotKey,  TCaption::kPageUnPack,
    TCaption::kPageView,    TCaption::kPageForm,    TCaption::kPageVersion,
};

namespace {

constexpr uint32_t kBlue = 0x00FF0000;

}  // namespace

// Page controls are placed relative to their page; the sample line sits on its panel.
// Combo boxes are given their closed height.
// clang-format off
const TControlSpec kOptionsControls[62] = {
    {kOptionsTabs,   TControlKind::kTabs,          0,    0,   0, 390, 265, TCaption::kNone},
    {kPageGeneral,   TControlKind::kPage,          0,    4,  26, 382, 235, TCaption::kPageGeneral},
    {kPageOperate,   TControlKind::kPage,          0,    4,  26, 382, 235, TCaption::kPageOperate},
    {kPageHotKey,    TControlKind::kPage,          0,    4,  26, 382, 235, TCaption::kPageHotKey},
    {kPageUnPack,    TControlKind::kPage,          0,    4,  26, 382, 235, TCaption::kPageUnPack},
    {kPageView,      TControlKind::kPage,          0,    4,  26, 382, 235, TCaption::kPageView},
    {kPageForm,      TControlKind::kPage,          0,    4,  26, 382, 235, TCaption::kPageForm},
    {kPageVersion,   TControlKind::kPage,          0,    4,  26, 382, 235, TCaption::kPageVersion},
    {kOptionsOk,     TControlKind::kDefaultButton, 0,  147, 272,  75,  25, TCaption::kOk},
    {kOptionsCancel, TControlKind::kButton,        0,  228, 272,  75,  25, TCaption::kCancel},
    {kButtonUpdate,  TControlKind::kButton,        0,  309, 272,  75,  25, TCaption::kApply},

    {kCheckBoxVisible,  TControlKind::kCheckBox,        kPageGeneral,  12,  10, 349, 18, TCaption::kVisible},
    {kCheckBoxPlayTime, TControlKind::kCheckBox,        kPageGeneral,  12,  30, 349, 18, TCaption::kPlayTime},
    {kLabelTimer,       TControlKind::kLabel,           kPageGeneral,  12,  60,  50, 16, TCaption::kTimer},
    {kEditTimer,        TControlKind::kUpDownEdit,      kPageGeneral,  70,  56,  50, 20, TCaption::kNone},
    {kLabelTimerUnit,   TControlKind::kLabel,           kPageGeneral, 142,  60,  60, 16, TCaption::kTimerUnit},
    {kLabelBreak,       TControlKind::kLabel,           kPageGeneral,  12,  86,  50, 16, TCaption::kBreak},
    {kEditBreak,        TControlKind::kUpDownEdit,      kPageGeneral,  70,  82,  50, 20, TCaption::kNone},
    {kLabelBreakUnit,   TControlKind::kLabel,           kPageGeneral, 142,  86,  60, 16, TCaption::kBreakUnit},
    {kGroupBoxCorrect,  TControlKind::kGroupBox,        kPageGeneral,  12, 114, 358, 66, TCaption::kNone},
    {kCheckBoxCorrect,  TControlKind::kHeadingCheckBox, kPageGeneral,  20, 113, 100, 16, TCaption::kCorrect},
    {kEditCorrect,      TControlKind::kUpDownEdit,      kPageGeneral,  28, 144,  50, 20, TCaption::kNone},
    {kLabelCorrect,     TControlKind::kLabel,           kPageGeneral, 100, 148,  70, 16, TCaption::kCorrectUnit},
    {kButtonMeasure,    TControlKind::kButton,          kPageGeneral, 279, 141,  75, 25, TCaption::kMeasure},

    {kGroupBoxTrackKeys,  TControlKind::kGroupBox,     kPageOperate,  12,  10, 358, 84, TCaption::kTrackKeys},
    {kLabelPrevKey,       TControlKind::kLabel,        kPageOperate,  28,  38,  76, 16, TCaption::kPrevKey},
    {kComboBoxPrevKey,    TControlKind::kDropDownList, kPageOperate, 110,  34,  60, 20, TCaption::kNone},
    {kLabelNextKey,       TControlKind::kLabel,        kPageOperate,  28,  66,  76, 16, TCaption::kNextKey},
    {kComboBoxNextKey,    TControlKind::kDropDownList, kPageOperate, 110,  62,  60, 20, TCaption::kNone},
    {kGroupBoxVisibleKey, TControlKind::kGroupBox,     kPageOperate,  12, 104, 358, 56, TCaption::kVisibleKeyGroup},
    {kLabelVisibleKey,    TControlKind::kLabel,        kPageOperate,  28, 132,  76, 16, TCaption::kVisibleKeyAlt},
    {kComboBoxVisibleKey, TControlKind::kDropDownList, kPageOperate, 110, 128,  60, 20, TCaption::kNone},
    {kCheckBoxAlbumMemory, TControlKind::kCheckBox,    kPageOperate,  12, 168, 358, 18, TCaption::kAlbumMemory},
    {kCheckBoxAlbumResume, TControlKind::kCheckBox,    kPageOperate,  28, 190, 342, 18, TCaption::kAlbumResume},

    {kCheckBoxHotKey, TControlKind::kCheckBox, kPageHotKey,  12,   8, 130,  18, TCaption::kUseHotKeys},
    {kLabelHostMark,  TControlKind::kLabel,    kPageHotKey, 150,  11,   8,  16, TCaption::kHostMark, false, kBlue},
    {kLabelHostNote,  TControlKind::kLabel,    kPageHotKey, 158,  11, 212,  16, TCaption::kHostNote, true, kBlue},
    {kListViewHotKey, TControlKind::kListView, kPageHotKey,  12,  32, 358, 156, TCaption::kNone},

    {kLabelMP3on3,    TControlKind::kLabel,    kPageUnPack,  12, 14, 200, 16, TCaption::kMP3on3Label},
    {kEditMP3on3,     TControlKind::kTextEdit, kPageUnPack,  12, 30, 289, 20, TCaption::kNone},
    {kButtonMP3on3,   TControlKind::kButton,   kPageUnPack, 307, 29,  63, 22, TCaption::kBrowseMP3on3},
    {kCheckBoxMP3on3, TControlKind::kCheckBox, kPageUnPack,  12, 62, 349, 18, TCaption::kMP3on3Stop},

    {kGroupBoxPlaylist,     TControlKind::kGroupBox,        kPageView,  12,   6, 358, 56, TCaption::kPlaylistGroup},
    {kLabelFontName,        TControlKind::kLabel,           kPageView,  24,  30,  34, 16, TCaption::kFontName},
    {kComboBoxFontName,     TControlKind::kDropDown,        kPageView,  60,  26, 150, 20, TCaption::kNone},
    {kLabelFontSize,        TControlKind::kLabel,           kPageView, 218,  30,  32, 16, TCaption::kFontSize},
    {kEditFontSize,         TControlKind::kUpDownEdit,      kPageView, 252,  26,  36, 20, TCaption::kNone},
    {kGroupBoxSmall,        TControlKind::kGroupBox,        kPageView,  12,  68, 358, 50, TCaption::kSmallWindowGroup},
    {kLabelFontPitch,       TControlKind::kLabel,           kPageView,  24,  92,  64, 16, TCaption::kFontPitch},
    {kEditFontPitch,        TControlKind::kUpDownEdit,      kPageView,  92,  88,  36, 20, TCaption::kNone},
    {kGroupBoxTransparence, TControlKind::kGroupBox,        kPageView,  12, 126, 358, 56, TCaption::kNone},
    {kCheckBoxTransparence, TControlKind::kHeadingCheckBox, kPageView,  20, 125, 100, 16, TCaption::kTransparence},
    {kLabelTransparence,    TControlKind::kLabel,           kPageView,  24, 154,  64, 16, TCaption::kOpacity},
    {kEditTransparence,     TControlKind::kUpDownEdit,      kPageView,  92, 150,  36, 20, TCaption::kNone},
    {kLabelLanguage,        TControlKind::kLabel,           kPageView,  12, 198, 100, 16, TCaption::kLanguageLabel},
    {kComboBoxLanguage,     TControlKind::kDropDownList,    kPageView, 116, 194, 140, 20, TCaption::kNone},

    {kPanelSample,    TControlKind::kSamplePanel, kPageForm,      12,  8, 358,  28, TCaption::kNone},
    {kRichEditForm,   TControlKind::kRichEdit,    kPanelSample,    4,  5, 350,  18, TCaption::kNone},
    {kListViewForm,   TControlKind::kListView,    kPageForm,      12, 44, 200, 144, TCaption::kNone},
    {kCheckBoxFormNo, TControlKind::kCheckBox,    kPageForm,     224, 46,  90,  18, TCaption::kShowNumbers},

    {kLabelURL,        TControlKind::kLink, kPageVersion, 20, 140, 342, 16, TCaption::kNone},
    {kLabelLinkMP3on3, TControlKind::kLink, kPageVersion, 20, 162, 342, 16, TCaption::kNone},
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
