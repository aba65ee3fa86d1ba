#pragma once
// What both dialogs share on the system: a modal dialog window with a client area of a
// fixed size, its controls made from a layout table, the fonts they use (a Japanese-capable
// face where the designed one is missing) and their colours. The dialogs' texts convert
// through platform/win32_text.h.

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/dialog_layout.h"
#include "platform/ports.h"
#include "platform/win32_text.h"

namespace varimo {

using TWindowHandle = void*;  // HWND
using TFontHandle = void*;    // HFONT

// The first of the faces the system has, then the Japanese-capable faces current systems
// and Wine bring; the designed face when none is found, for the system to substitute.
std::wstring DialogFace(const std::vector<std::wstring>& designed);

// Fonts of one face, made on first use and deleted with the object. Heights are of the
// characters, or of the whole character cell (leading included) when so made.
class TDialogFonts {
 public:
  explicit TDialogFonts(std::wstring face, bool cellHeight = false)
      : face_(std::move(face)), cellHeight_(cellHeight) {}
  TDialogFonts(const TDialogFonts&) = delete;
  TDialogFonts& operator=(const TDialogFonts&) = delete;
  ~TDialogFonts();
  // height in pixels; another face when given.
  TFontHandle Get(int32_t height, bool bold = false, bool underline = false,
                  const std::wstring& face = std::wstring());

 private:
  std::wstring face_;
  bool cellHeight_;
  std::map<std::wstring, TFontHandle> fonts_;
};

// A system colour index (COLOR_*), or an explicit colour.
struct TControlColors {
  std::optional<uint32_t> Text;        // 0x00BBGGRR
  std::optional<uint32_t> Background;  // 0x00BBGGRR; the parent's colour when empty
};

// Every shown, enabled window of the thread disabled while a modal window of the plug-in's
// is open, as long as the object lives (or until Restore).
class TOtherWindowsDisabled {
 public:
  TOtherWindowsDisabled();
  TOtherWindowsDisabled(const TOtherWindowsDisabled&) = delete;
  TOtherWindowsDisabled& operator=(const TOtherWindowsDisabled&) = delete;
  ~TOtherWindowsDisabled() { Restore(); }
  void Restore();

 private:
  std::vector<TWindowHandle> disabled_;
};

// A modal dialog; the views make their controls in OnInit and answer its messages, and
// those of its pages, in OnMessage.
class TWin32Dialog {
 public:
  TWin32Dialog() = default;
  TWin32Dialog(const TWin32Dialog&) = delete;
  TWin32Dialog& operator=(const TWin32Dialog&) = delete;
  virtual ~TWin32Dialog();

  // Shows the dialog owned by owner and returns the id it was closed with. Every other
  // window of the thread is disabled meanwhile; the thread's messages (the monitor's timer
  // among them) go on being dispatched.
  intptr_t RunModal(TWindowHandle owner, const std::string& caption, int32_t clientWidth,
                    int32_t clientHeight);
  // The dialog procedure's handling of one message of the dialog or one of its pages.
  bool Dispatch(TWindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                intptr_t& result);

 protected:
  // Where the dialog's window (outer size given) opens.
  virtual TWindowBounds Placement(int32_t width, int32_t height) = 0;
  // Makes and fills the controls; true when it gave one of them the focus itself.
  virtual bool OnInit() = 0;
  // True when handled; result is the answer.
  virtual bool OnMessage(TWindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                         intptr_t& result) = 0;

  // Ends the dialog with id, giving the other windows back first so one of them, not
  // another program, becomes active.
  void Close(intptr_t id);
  // A child dialog laid over part of the client area; its controls tab like the dialog's.
  TWindowHandle CreatePage(const TControlRect& rect);
  // The controls of a layout table. Controls whose parent is a page or a panel become its
  // children; group boxes only lend their position. Labels of width 0 take their text's,
  // and one whose text would reach the next control right of it on its line moves left
  // until it ends there.
  template <size_t N>
  void CreateControls(const TControlSpec (&table)[N], TDialogFonts& fonts) {
    for (const TControlSpec& control : table) {
      const int32_t parent = WindowParentOf(table, control);
      TControlRect rect = ClientRect(table, control);
      for (const TControlSpec& c : table) {
        if (c.Id != parent) continue;
        const TControlRect origin = ClientRect(table, c);
        rect.Left -= origin.Left;
        rect.Top -= origin.Top;
      }
      int32_t room = INT32_MAX;
      for (const TControlSpec& c : table) {
        if (c.Parent == control.Parent && c.Left > control.Left &&
            c.Top < control.Top + control.Height && control.Top < c.Top + c.Height) {
          room = std::min(room, c.Left - control.Left);
        }
      }
      CreateControl(control, rect, parent, fonts, room);
    }
  }
  TWindowHandle Control(int32_t id) const;
  void SetColors(int32_t id, const TControlColors& colors);
  void SetText(int32_t id, const std::wstring& text);
  void SetEnabled(int32_t id, bool enabled);

  TWindowHandle dialog_ = nullptr;
  // Up-downs have the id of their edit plus this.
  static constexpr int32_t kUpDownIdOffset = 10000;
  // Labels of labelled edits have the id of their edit plus this.
  static constexpr int32_t kLabelIdOffset = 20000;

 private:
  template <size_t N>
  static int32_t WindowParentOf(const TControlSpec (&table)[N], const TControlSpec& control) {
    for (int32_t parent = control.Parent; parent != 0;) {
      const TControlSpec* found = nullptr;
      for (const TControlSpec& c : table) {
        if (c.Id == parent) found = &c;
      }
      if (found == nullptr) return 0;
      if (found->Kind == TControlKind::kPage || found->Kind == TControlKind::kSamplePanel) {
        return found->Id;
      }
      parent = found->Parent;
    }
    return 0;
  }
  // room: how far the next control on the control's line lies right of its left edge.
  void CreateControl(const TControlSpec& control, TControlRect rect, int32_t windowParent,
                     TDialogFonts& fonts, int32_t room);
  bool ColorMessage(uintptr_t dc, TWindowHandle control, intptr_t& result);

  std::wstring caption_;
  int32_t clientWidth_ = 0;
  int32_t clientHeight_ = 0;
  std::map<int32_t, TWindowHandle> controls_;
  std::map<TWindowHandle, TControlColors> colors_;
  std::map<uint32_t, void*> brushes_;  // HBRUSHes by colour
  std::optional<TOtherWindowsDisabled> others_;
  void* richEditLibrary_ = nullptr;  // HMODULE
};

}  // namespace varimo
