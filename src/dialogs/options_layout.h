#pragma once
// The options dialog's controls: the seven pages of the tab control, their controls laid out
// relative to their page, and the three buttons below.

#include <cstdint>

#include "dialogs/dialog_layout.h"

namespace varimo {

constexpr int32_t kOptionsClientWidth = 390;
constexpr int32_t kOptionsClientHeight = 303;
// The tab control fills the top of the client area.
constexpr int32_t kOptionsTabsHeight = 265;

enum OptionsControl : int32_t {
  kOptionsOk = 1,  // the system's OK and cancel ids: Enter and Esc reach them
  kOptionsCancel = 2,
  kOptionsTabs = 1000,
  kPageGeneral,
  kPageOperate,
  kPageHotKey,
  kPageUnPack,
  kPageView,
  kPageForm,
  kPageVersion,
  kButtonUpdate = 1010,

  kCheckBoxVisible = 1101,
  kCheckBoxPlayTime,
  kLabelTimer,
  kEditTimer,
  kLabelTimerUnit,
  kLabelBreak,
  kEditBreak,
  kLabelBreakUnit,
  kGroupBoxCorrect,
  kCheckBoxCorrect,
  kEditCorrect,
  kLabelCorrect,
  kButtonMeasure,

  kGroupBoxTrackKeys = 1201,
  kLabelPrevKey,
  kComboBoxPrevKey,
  kLabelNextKey,
  kComboBoxNextKey,
  kGroupBoxVisibleKey,
  kLabelVisibleKey,
  kComboBoxVisibleKey,
  kCheckBoxAlbumMemory,
  kCheckBoxAlbumResume,

  kCheckBoxHotKey = 1301,
  kLabelHostMark,
  kLabelHostNote,
  kListViewHotKey,

  kLabelMP3on3 = 1401,
  kEditMP3on3,
  kButtonMP3on3,
  kCheckBoxMP3on3,

  kGroupBoxPlaylist = 1501,
  kLabelFontName,
  kComboBoxFontName,
  kLabelFontSize,
  kEditFontSize,
  kGroupBoxSmall,
  kLabelFontPitch,
  kEditFontPitch,
  kGroupBoxTransparence,
  kCheckBoxTransparence,
  kLabelTransparence,
  kEditTransparence,
  kLabelLanguage,
  kComboBoxLanguage,

  kPanelSample = 1601,
  kRichEditForm,
  kListViewForm,
  kCheckBoxFormNo,

  kLabelURL = 1701,
  kLabelLinkMP3on3,
};

extern const TControlSpec kOptionsControls[62];

// The page of the tab control a control is on; 0 for the tabs and the buttons.
int32_t OptionsPage(int32_t id);

// The captions of the tab control's pages, in order.
extern const TCaption kOptionsPageCaptions[7];

// The project's home; the second link shows the help page beside the host's program.
constexpr char kProjectHomeUrl[] = "https://github.com/varimo/gen_Varimo";

}  // namespace varimo
