#include "dialogs/win32_file_info_dialog.h"

#include <windows.h>

#include "common/captions.h"
#include "dialogs/file_info_layout.h"
#include "dialogs/options_model.h"
#include "platform/win32_ui_ports.h"

namespace varimo {
namespace {

class TFileInfoView : public TWin32Dialog {
 public:
  TFileInfoView(const TFileInfoData& info, const TWindowBounds& main, const TScreenSize& screen)
      : info_(info),
        main_(main),
        screen_(screen),
        fonts_(DialogFace({L"ＭＳ Ｐゴシック", L"MS PGothic"}), true) {}

 protected:
  TWindowBounds Placement(int32_t width, int32_t height) override {
    const TDialogRect r = DialogPosition(main_, width, height, screen_);
    return {r.Left, r.Top, width, height};
  }

  bool OnInit() override {
    CreateControls(kFileInfoControls, fonts_);
    SetText(kPanelKind, WideFromUtf8(info_.KindCaption));
    if (!info_.KindCaption.empty()) SetColors(kPanelKind, {info_.KindColor, std::nullopt});
    ShowGroup(kGroupBoxID3v1, info_.ID3v1Enabled);
    ShowGroup(kGroupBoxID3v2, info_.ID3v2Enabled);
    for (const auto& [id, text] : FileInfoTexts(info_)) SetText(id, WideFromAnsi(text));
    SetFocus(static_cast<HWND>(Control(kFileInfoOk)));
    return true;
  }

  bool OnMessage(TWindowHandle, uint32_t message, uintptr_t wParam, intptr_t,
                 intptr_t& result) override {
    // OK, Enter and Esc all close it; nothing is kept.
    if ((message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) ||
        message == WM_CLOSE) {
      Close(IDOK);
      result = 0;
      return true;
    }
    return false;
  }

 private:
  // A group shows white value controls when its tag exists, and is greyed out otherwise.
  void ShowGroup(int32_t group, bool enabled) {
    SetEnabled(group, enabled);
    for (const TControlSpec& c : kFileInfoControls) {
      if (c.Parent != group) continue;
      SetEnabled(c.Id, enabled);
      SetEnabled(c.Id + kLabelIdOffset, enabled);
      const bool valueControl =
          c.Kind == TControlKind::kLabeledEdit || c.Kind == TControlKind::kScrollMemo;
      if (valueControl && enabled) SetColors(c.Id, {std::nullopt, GetSysColor(COLOR_WINDOW)});
    }
  }

  const TFileInfoData& info_;
  TWindowBounds main_;
  TScreenSize screen_;
  TDialogFonts fonts_;
};

}  // namespace

void ShowFileInfoDialog(TWindowHandle owner, const TFileInfoData& info, const TWindowBounds& main,
                        const TScreenSize& screen) {
  TFileInfoView view(info, main, screen);
  view.RunModal(owner, Caption(TCaption::kFileInfoTitle), kFileInfoClientWidth,
                kFileInfoClientHeight);
}

}  // namespace varimo
