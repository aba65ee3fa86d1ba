#pragma once
// The options dialog's working copy: every control's state as loaded from the main window,
// the rules that enable controls as others change, the measurement of the playback-time
// correction, and what Apply reads back. The dialog's view only shows this and forwards the
// user's actions to it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/captions.h"
#include "dialogs/list_editors.h"
#include "engine/varimo_context.h"
#include "settings/settings.h"
#include "sources/file_info.h"

namespace varimo {

// An up-down control and the read-only edit that shows its position.
struct TUpDown {
  int32_t Position = 0;
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Step = 1;
  // Sets the position, held within the limits.
  void Set(int32_t position);
};

// Where an option's up-down starts.
enum class TUpDownStart { kDefault, kTop };
// An up-down over the range of an option's row in the settings table, at the option's default
// (held within the range) or at the top of the range.
TUpDown OptionUpDown(int32_t TOptionSettings::*option, int32_t step,
                     TUpDownStart start = TUpDownStart::kDefault);

// The system colours an enabling rule gives a control.
enum class TSystemColor { kWindow, kButtonFace, kWindowText, kInactiveCaption };

// How an edit with its up-down (or a list) and its label look under their check box.
struct TEnabledLook {
  bool Enabled = false;
  TSystemColor Background = TSystemColor::kButtonFace;
  TSystemColor Text = TSystemColor::kInactiveCaption;
};
TEnabledLook LookFor(bool checked);

// The three key lists of the operation page.
extern const std::vector<std::string> kTrackKeyEntries;    // the previous and next track keys
extern const std::vector<std::string> kVisibleKeyEntries;  // Alt + this key shows or hides

struct TOptionsModel {
  // Page "全般"
  bool Visible = SettingDefault(&TOptionSettings::VisibleChk);
  bool PlayTime = SettingDefault(&TOptionSettings::PlayTime);
  TUpDown Timer = OptionUpDown(&TOptionSettings::TimerMS, 100);
  TUpDown Break = OptionUpDown(&TOptionSettings::BreakMS, 50);
  bool Correct = SettingDefault(&TOptionSettings::Correct);
  TUpDown CorrectMS = OptionUpDown(&TOptionSettings::CorrectMS, 1);
  // Page "操作": positions in the key lists, -1 for none.
  int32_t PrevKey = -1;
  int32_t NextKey = -1;
  int32_t VisibleKey = -1;
  bool AlbumMemory = SettingDefault(&TOptionSettings::AlbumMemory);
  // Shown as it was chosen; it counts only while AlbumMemory is checked.
  bool AlbumResume = SettingDefault(&TOptionSettings::AlbumResume);
  // Page "ﾎｯﾄｷｰ"
  bool HotKeyEnabled = false;
  THotKeyList HotKeyList;
  // Page "展開"
  std::string MP3on3Path;  // ANSI
  bool MP3on3Stop = SettingDefault(&TOptionSettings::MP3on3Stop);
  // Page "表示"
  std::string FontName;  // ANSI
  TUpDown FontSize = OptionUpDown(&TOptionSettings::FontSize, 1);
  TUpDown FontPitch = OptionUpDown(&TOptionSettings::FontPitch, 1);
  bool Transparence = false;
  // Off, the opacity shows as full.
  TUpDown TransparenceValue = OptionUpDown(&TOptionSettings::Transparence, 5, TUpDownStart::kTop);
  // kLanguageSystem, kLanguageJapanese or kLanguageEnglish.
  int32_t Language = SettingDefault(&TOptionSettings::Language);
  // Page "書式"
  TFormatList FormatList;
  std::vector<TFormatList::TSamplePiece> Sample;

  bool ApplyEnabled = false;

  // The measurement in progress: the host's position and the tick count at its start.
  bool Measuring = false;
  int32_t MeasureStartPosition = 0;
  uint32_t MeasureStartTick = 0;

  TEnabledLook CorrectLook() const { return LookFor(Correct); }
  TEnabledLook TransparenceLook() const { return LookFor(Transparence); }
  TEnabledLook HotKeyListLook() const { return LookFor(HotKeyEnabled); }
  // The resume check box is enabled only while the memory's is checked.
  TEnabledLook AlbumResumeLook() const { return LookFor(AlbumMemory); }
  const char* MeasureButtonCaption() const {
    return Caption(Measuring ? TCaption::kMeasureEnd : TCaption::kMeasure);
  }

  // Any change makes Apply available.
  void OnUpdate() { ApplyEnabled = true; }
  // The shown dialog starts unchanged, its sample line drawn.
  void FormShow();
  void CheckBoxCorrectClick(bool checked);
  void CheckBoxTransparenceClick(bool checked);
  void CheckBoxAlbumMemoryClick(bool checked);
  void CheckBoxAlbumResumeClick(bool checked);
  // Unselects the hot-key rows, which the list's look follows.
  void CheckBoxHotKeyClick(bool checked);
  void CheckBoxFormNoClick(bool checked);
  // The break never ends up shorter than a tick: it rises with the timer and the timer is
  // its lower limit.
  void UpDownTimerClick(int32_t position);
  void UpDownClick(TUpDown& upDown, int32_t position);
  // Follows up what a list action changed.
  void Take(TListChange change);
  void RefreshSample();

  // Starts or ends a measurement of how far the host's reported position lags the clock.
  void ButtonMeasureClick(IHost& host, IClock& clock);
};

// The working copy of the main window's settings as they are in force.
TOptionsModel LoadOptionsModel(const TVarimo& varimo);

// The correction in milliseconds per minute from a measurement's two spans; none when no
// clock time passed.
std::optional<int32_t> MeasuredCorrection(int32_t elapsedPlayMS, int32_t elapsedClockMS);

// The key a list position stands for; fallback for none.
char KeyAt(const std::vector<std::string>& entries, int32_t position, char fallback);

// The open-file dialog's start for the unpack program: the folder of the current path and
// its file name, or "MP3on3.exe" when it has none.
struct TProgramBrowseStart {
  std::string Folder;
  std::string FileName;
};
TProgramBrowseStart ProgramBrowseStart(const std::string& path);

// The help page in the language in force beside the host's program: the version page links
// to it.
std::string HelpPagePath(const std::string& hostProgramPath);

// Where a dialog of the given outer size opens: centred on the main window, held on the
// screen and 32 pixels above its bottom.
TDialogRect DialogPosition(const TWindowBounds& main, int32_t width, int32_t height,
                           const TScreenSize& screen);

}  // namespace varimo
