#include "frame/options_apply.h"

#include "common/flag_scope.h"
#include "frame/varimo.h"
#include "hotkeys/hotkeys.h"
#include "window/host_menu.h"

namespace varimo {

void ButtonUpdateClick(TVarimo& varimo, TPorts& ports, TOptionsModel& model) {
  if (varimo.Applying) return;
  const TFlagScope scope(varimo.Applying);
  TOptionSettings& o = varimo.Settings.Option;
  // First, so that a message of the hot keys' registration below reads in the new language.
  o.Language = model.Language;
  const TLanguage language = ResolveLanguage(o.Language, varimo.SystemJapanese);
  const bool languageSwitched = language != CaptionLanguage();
  SetCaptionLanguage(language);
  o.VisibleChk = model.Visible;
  o.PlayTime = model.PlayTime;
  o.TimerMS = model.Timer.Position;
  ports.Window.StartTimer(o.TimerMS);
  o.BreakMS = model.Break.Position;
  o.Correct = model.Correct;
  o.CorrectMS = model.CorrectMS.Position;
  // A list with nothing selected keeps the key in force.
  o.PrevKey = KeyAt(kTrackKeyEntries, model.PrevKey, o.PrevKey);
  o.NextKey = KeyAt(kTrackKeyEntries, model.NextKey, o.NextKey);
  o.VisibleKey = KeyAt(kVisibleKeyEntries, model.VisibleKey, o.VisibleKey);

  THotKeyState& hotKeys = varimo.HotKeys;
  UnregisterHotKeys(hotKeys, ports.HotKeySystem);
  hotKeys.HotKeyEnabled = model.HotKeyEnabled;
  hotKeys.HotKeys = model.HotKeyList.Entries();
  if (hotKeys.HotKeyEnabled) RegisterHotKeys(hotKeys, ports.HotKeySystem, ports.Dialogs);

  o.MP3on3Path = model.MP3on3Path;
  o.MP3on3Stop = model.MP3on3Stop;
  o.FontName = model.FontName;
  o.FontSize = model.FontSize.Position;
  o.FontPitch = model.FontPitch.Position;
  o.Transparence = model.Transparence ? model.TransparenceValue.Position : -1;
  o.AlbumMemory = model.AlbumMemory;
  // Resume means nothing without the memory, and the file keeps no key that says otherwise.
  o.AlbumResume = model.AlbumMemory && model.AlbumResume;
  // Switched on now: the store is read before the rebuild below keeps anything in it.
  LoadAlbumMemory(varimo, ports);
  varimo.Settings.ListForm = model.FormatList.ToListForm();

  // A registration that failed above has switched hot keys off, and the file says so.
  varimo.Settings.HotKey = StoredHotKeys(hotKeys);
  WriteApplySections(ports.Ini, varimo.Settings);

  ApplyTransparency(varimo, ports.Transparency);
  // The popup menu is built as it opens and the dialogs as they open; the host's menu keeps
  // the text it was given.
  if (languageSwitched) RenewHostMenuItem(varimo, ports);
  // The list font is measured again with the layout.
  ports.View.Relayout();
  varimo.Album.LoadState = kLoadRebuildRequested;
  model.ApplyEnabled = false;
}

}  // namespace varimo
