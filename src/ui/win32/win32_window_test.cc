// The Win32 main window and About dialog, made in this process and driven through their messages.
// Needs a display: run under Wine on a virtual X server (scripts/wine-gui-run).
#include "ui/win32/win32_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "aircraft/family.h"
#include "app/family_controls.h"
#include "app/texts.h"
#include "platform/ascii.h"
#include "platform/memory_file_system.h"
#include "platform/program_files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sim_path.h"
#include "ui/win32/win32_layout.h"

// After <windows.h>: the folder browser's messages.
#include <shlobj.h>

namespace ql2 {
namespace {

constexpr char kSim[] = "/sim";
constexpr char kDialogClass[] = "#32770";
constexpr UINT kProbeMs = 50;
constexpr DWORD kDialogWaitMs = 20000;

// Every family's panel files hold every section any family writes to.
std::string Panel() {
  std::string text = "[Window Titles]\r\n";
  for (int i = 0; i < 10; ++i)
    text += "Window0" + std::to_string(i) + "=Window " + std::to_string(i) + "\r\n";
  for (int i = 0; i < 10; ++i) {
    text +=
        "\r\n[Window0" + std::to_string(i) + "]\r\nsize_mm=100,100\r\ngauge00=A!B, 0,0,10,10\r\n";
  }
  for (int i = 30; i < 40; ++i) {
    text += "\r\n[Fixed Window" + std::to_string(i) + "]\r\ngauge00=A!B, 0,0,10,10\r\n";
  }
  return text;
}

// A simulator with every family and every model, nothing installed.
void MakeSimulator(MemoryFileSystem& fs) {
  fs.AddFile("/sim/QL/qlever2.con",
             "[Options]\r\nFirst Time=0\r\n[Cheyenne]\r\nInstalled=0\r\n[ATR]\r\nInstalled=0\r\n"
             "[PMDG]\r\nInstalled=0\r\n[PIC]\r\nInstalled=0\r\n");
  fs.AddFile("/sim/QL/uninst.swi", "");
  for (const Family* family : AllFamilies()) {
    for (const PanelFile& file : family->files) {
      fs.AddFile(JoinSimPath(kSim, file.config, '/'), Panel());
    }
  }
}

RECT ClientRectOf(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Where a control stands among its siblings, 0 for the topmost.
int StackIndex(HWND control) {
  int index = 0;
  for (HWND h = GetWindow(GetParent(control), GW_CHILD); h != nullptr;
       h = GetWindow(h, GW_HWNDNEXT)) {
    if (h == control) return index;
    ++index;
  }
  return -1;
}

// Where CenterOnScreen puts a window of this outer size on this screen, both taken in twips.
void ExpectCentred(HWND window, int dpi) {
  RECT outer;
  GetWindowRect(window, &outer);
  const Position centre = CenterOnScreen(PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi),
                                         PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi),
                                         PixelsToTwips(outer.right - outer.left, dpi),
                                         PixelsToTwips(outer.bottom - outer.top, dpi));
  EXPECT_EQ(outer.left, TwipsToPixels(centre.left, dpi));
  EXPECT_EQ(outer.top, TwipsToPixels(centre.top, dpi));
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != 0;
}

// Runs inspect on the modal dialog with the title (any title: "") once it is open; the inspection
// must close it.
// A dialog that never opens is reported; one that inspect leaves open is closed after a while.
class DialogProbe {
 public:
  DialogProbe(std::string title, std::function<void(HWND)> inspect)
      : title_(std::move(title)), inspect_(std::move(inspect)) {
    current_ = this;
    started_ = GetTickCount();
    timer_ = SetTimer(nullptr, 0, kProbeMs, &DialogProbe::Tick);
  }
  ~DialogProbe() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool seen() const { return seen_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogProbe* self = current_;
    if (self == nullptr) return;
    HWND dialog = FindWindowA(kDialogClass, self->title_.empty() ? nullptr : self->title_.c_str());
    if (dialog != nullptr && IsWindowVisible(dialog)) {
      if (!self->seen_) {
        self->seen_ = true;
        self->inspect_(dialog);
      } else if (GetTickCount() - self->started_ > kDialogWaitMs) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(dialog, WM_COMMAND, IDNO, 0);
      }
    }
  }

  static DialogProbe* current_;
  std::string title_;
  std::function<void(HWND)> inspect_;
  UINT_PTR timer_ = 0;
  DWORD started_ = 0;
  bool seen_ = false;
};
DialogProbe* DialogProbe::current_ = nullptr;

// Presses a key the way the keyboard does: to the control with the focus.
void PressKey(WPARAM key) {
  HWND focus = GetFocus();
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

class Win32WindowTest : public ::testing::Test {
 protected:
  Win32WindowTest()
      : window_(GetModuleHandleA(nullptr)),
        registry_(kSim),
        logic_(window_, fs_, registry_, shell_) {}

  void SetUp() override {
    MakeSimulator(fs_);
    ASSERT_TRUE(window_.Create());
    window_.SetLogic(&logic_);
    logic_.StartupScan();
    window_.ShowCentred();
  }
  void TearDown() override {
    if (window_.handle() != nullptr) DestroyWindow(window_.handle());
    // The window ends the message loop as it goes; the next case has its own.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  HWND Item(ControlId id) const { return GetDlgItem(window_.handle(), static_cast<int>(id)); }
  void Click(ControlId id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }

  MemoryFileSystem fs_;
  Win32MainWindow window_;
  MemoryRegistry registry_;
  RecordingShell shell_;
  MainWindowLogic logic_;
};

TEST_F(Win32WindowTest, MakesEveryControlOfTheTableWithItsIdAndPlace) {
  HWND main = window_.handle();
  const int dpi = DpiOf(main);
  EXPECT_EQ(TextOf(main), "QL2 Configurator");
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, MulDiv(6390, dpi, 1440));
  EXPECT_EQ(client.bottom, MulDiv(8130, dpi, 1440));
  const LONG_PTR style = GetWindowLongPtrA(main, GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "the window has a fixed size";
  ExpectCentred(main, dpi);

  // Before the scan shows the families, as the table makes them.
  Win32MainWindow fresh(GetModuleHandleA(nullptr));
  ASSERT_TRUE(fresh.Create());
  ShowWindow(fresh.handle(), SW_SHOWNA);
  for (const ControlSpec& design : ControlTable()) {
    HWND control = GetDlgItem(fresh.handle(), static_cast<int>(design.id));
    if (design.window != WindowId::kMain) {
      EXPECT_EQ(control, nullptr) << design.name;
      continue;
    }
    ASSERT_NE(control, nullptr) << design.name;
    EXPECT_EQ(control, fresh.Control(design.id)) << design.name;
    const bool button_class =
        design.kind == ControlKind::kGroup || design.kind == ControlKind::kButton;
    EXPECT_EQ(ClassOf(control), button_class ? "Button" : "Static") << design.name;
    const LONG_PTR control_style = GetWindowLongPtrA(control, GWL_STYLE);
    switch (design.kind) {
      case ControlKind::kGroup:
        EXPECT_EQ(control_style & BS_TYPEMASK, BS_GROUPBOX) << design.name;
        break;
      case ControlKind::kPicture:
        EXPECT_EQ(control_style & SS_TYPEMASK, SS_BITMAP) << design.name;
        EXPECT_NE(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << design.name;
        break;
      case ControlKind::kLabel:
        EXPECT_EQ(control_style & SS_TYPEMASK, SS_LEFT) << design.name;
        break;
      case ControlKind::kButton:
        EXPECT_EQ(control_style & BS_TYPEMASK, BS_PUSHBUTTON) << design.name;
        break;
    }
    EXPECT_EQ(TextOf(control), design.caption) << design.name;
    EXPECT_EQ(IsWindowVisible(control) != 0, design.visible) << design.name;
    // A group's controls lie inside it: the table places them relative to the group.
    int left = design.left, top = design.top;
    if (design.parent != ControlId::kNone) {
      left += FindControl(design.parent).left;
      top += FindControl(design.parent).top;
    }
    const RECT rect = ClientRectOf(control);
    EXPECT_EQ(rect.left, MulDiv(left, dpi, 1440)) << design.name;
    EXPECT_EQ(rect.top, MulDiv(top, dpi, 1440)) << design.name;
    EXPECT_EQ(rect.right, MulDiv(left + design.width, dpi, 1440)) << design.name;
    EXPECT_EQ(rect.bottom, MulDiv(top + design.height, dpi, 1440)) << design.name;
  }
}

// Moved to a monitor of a higher dpi, the window is laid out again for it and goes where the
// system suggests. (A quarter higher: the window must still fit the screen, which bounds it.)
TEST_F(Win32WindowTest, AnotherMonitorsDpiLaysTheWindowOutAgainAtTheSuggestedPlace) {
  HWND main = window_.handle();
  const int dpi = DpiOf(main) * 5 / 4;
  RECT suggested{37, 41, 37 + 100, 41 + 100};
  SendMessageA(main, kDpiChangedMessage, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
  RECT outer;
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.left, suggested.left);
  EXPECT_EQ(outer.top, suggested.top);
  // The frame is still drawn at the real dpi, so only the controls show the new one.
  for (ControlId id : {ControlId::kClose, ControlId::kRemoveAtr}) {
    const ControlSpec& design = FindControl(id);
    const RECT rect = ClientRectOf(Item(id));
    const RECT expected = ControlRect(design, dpi);
    EXPECT_EQ(rect.left, expected.left) << design.name;
    EXPECT_EQ(rect.top, expected.top) << design.name;
    EXPECT_EQ(rect.right, expected.right) << design.name;
    EXPECT_EQ(rect.bottom, expected.bottom) << design.name;
  }
}

TEST_F(Win32WindowTest, StacksOverlappingControlsAsTheTableSays) {
  int pairs = 0;
  for (const ControlSpec& a : ControlTable()) {
    if (a.window != WindowId::kMain) continue;
    for (const ControlSpec& b : ControlTable()) {
      if (b.window != WindowId::kMain || a.id == b.id) continue;
      const RECT ra = ClientRectOf(Item(a.id));
      const RECT rb = ClientRectOf(Item(b.id));
      if (!Overlap(ra, rb)) continue;
      if (a.kind == ControlKind::kGroup && b.kind != ControlKind::kGroup) {
        EXPECT_GT(StackIndex(Item(a.id)), StackIndex(Item(b.id)))
            << b.name << " must lie above its group " << a.name;
      } else if (a.kind != ControlKind::kGroup && b.kind != ControlKind::kGroup &&
                 a.stacking > b.stacking) {
        ++pairs;
        EXPECT_LT(StackIndex(Item(a.id)), StackIndex(Item(b.id)))
            << a.name << " must lie above " << b.name;
      }
    }
  }
  EXPECT_GT(pairs, 0) << "the table has overlapping pictures";
}

// The longest status lines the window shows: a refused write with the advice to start the
// program as administrator, after the family's longest folder name. Each must be seen whole,
// above the pictures it covers, inside its group.
TEST_F(Win32WindowTest, ARefusedWriteUnderProgramFilesIsShownWholeInsideItsGroup) {
  fs_.SetFaultHook([](const FileOperation& operation) {
    if (operation.kind == FileOperationKind::kRead) return Status::Ok();
    const std::string cause(kProgramFilesCause);
    return Status::Fail(ErrorKind::kPermissionDenied, cause,
                        "cannot write " + operation.path + ": " + cause);
  });
  const int dpi = DpiOf(window_.handle());
  for (const Family* family : AllFamilies()) {
    const ControlSpec& status = FindControl(ControlsOf(*family).status);
    HWND label = Item(status.id);
    Click(ControlsOf(*family).install);
    const std::string text = TextOf(label);
    EXPECT_NE(text.find(kProgramFilesCause), std::string::npos) << text;
    EXPECT_EQ(text, window_.Caption(status.id));

    const RECT rect = ClientRectOf(label);
    const int needed = WrappedTextHeight(label, text, rect.right - rect.left);
    EXPECT_GE(rect.bottom - rect.top, needed) << "cut: " << text;
    EXPECT_GT(needed, MulDiv(status.height, dpi, 1440)) << "the text needs more than the box";
    const RECT group = ClientRectOf(Item(ControlsOf(*family).group));
    EXPECT_LE(rect.bottom, group.bottom - 2) << "beyond the group's frame: " << text;
    for (ControlId picture :
         {ControlsOf(*family).not_installed_icon, ControlsOf(*family).installed_icon,
          ControlsOf(*family).edited_icon}) {
      if (picture == ControlId::kNone) continue;
      EXPECT_LT(StackIndex(label), StackIndex(Item(picture)))
          << "a grown status line lies above the pictures: " << text;
    }
  }

  // A short text gives the box back, beneath the pictures again.
  fs_.SetFaultHook(nullptr);
  logic_.StartupScan();
  const RECT rect = ClientRectOf(Item(ControlId::kLabelAtr));
  const RECT box = ControlRect(FindControl(ControlId::kLabelAtr), dpi);
  EXPECT_EQ(rect.bottom, box.bottom);
  EXPECT_GT(StackIndex(Item(ControlId::kLabelAtr)), StackIndex(Item(ControlId::kPictureAtrNot)));
}

TEST_F(Win32WindowTest, AFolderPathLongerThanALineIsBrokenNotCut) {
  const std::string path(
      "C:\\Program_Files\\Microsoft_Games\\Flight_Simulator_9\\Aircraft\\Flight_1_ATR-72-500\\"
      "panel\\panel.cfg.backup");
  window_.SetCaption(ControlId::kLabelAtr, path);
  HWND label = Item(ControlId::kLabelAtr);
  const RECT rect = ClientRectOf(label);
  const int line = WrappedTextHeight(label, "X", rect.right - rect.left);
  EXPECT_GT(WrappedTextHeight(label, path, rect.right - rect.left), line);
  EXPECT_GE(rect.bottom - rect.top, WrappedTextHeight(label, path, rect.right - rect.left));
}

TEST_F(Win32WindowTest, AClickOnAButtonIsOneClickOfTheLogic) {
  Click(ControlId::kInstallAtr);
  EXPECT_EQ(TextOf(Item(ControlId::kLabelAtr)), "The gauge has been installed successfully.");
  const std::string record = fs_.FileBytes("/sim/QL/qlever2.con");
  EXPECT_NE(record.find("[ATR]\r\nInstalled=1"), std::string::npos) << record;
  EXPECT_FALSE(IsWindowEnabled(Item(ControlId::kInstallAtr)));
  EXPECT_TRUE(IsWindowEnabled(Item(ControlId::kRemoveAtr)));
  EXPECT_TRUE(IsWindowVisible(Item(ControlId::kPictureInsAtr)));
  EXPECT_FALSE(IsWindowVisible(Item(ControlId::kPictureAtrNot)));

  // Notifications that are no click of a button do nothing: a group's or a label's, or one
  // without its control, as the dialog keys send when no button has the focus.
  fs_.ClearLog();
  HWND main = window_.handle();
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(ControlId::kFrame2, BN_CLICKED),
               reinterpret_cast<LPARAM>(Item(ControlId::kFrame2)));
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(ControlId::kRemoveAtr, BN_CLICKED), 0);
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(ControlId::kLabelAtr, BN_CLICKED),
               reinterpret_cast<LPARAM>(Item(ControlId::kLabelAtr)));
  EXPECT_TRUE(fs_.log().empty());
  EXPECT_EQ(TextOf(Item(ControlId::kLabelAtr)), "The gauge has been installed successfully.");

  Click(ControlId::kClose);
  EXPECT_EQ(window_.handle(), nullptr) << "Exit closes the window";
}

TEST_F(Win32WindowTest, EnterPressesTheFocusedButtonAndNothingElse) {
  HWND main = window_.handle();
  SetForegroundWindow(main);
  SetFocus(main);  // the window hands the focus to its first button
  EXPECT_EQ(GetFocus(), Item(ControlId::kAdd));
  SetFocus(Item(ControlId::kInstallAtr));
  MSG enter{GetFocus(), WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
  EXPECT_TRUE(IsDialogMessageA(main, &enter));
  EXPECT_EQ(TextOf(Item(ControlId::kLabelAtr)), "The gauge has been installed successfully.");

  // With no button focused, neither Enter nor Escape clicks anything.
  SetFocus(nullptr);
  fs_.ClearLog();
  DialogProbe about(" About Configurator", [](HWND dialog) { EndDialog(dialog, IDCANCEL); });
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    MSG message{main, WM_KEYDOWN, key, 1, 0, {0, 0}};
    IsDialogMessageA(main, &message);
  }
  EXPECT_FALSE(about.seen()) << "Enter opened the About window";
  EXPECT_TRUE(fs_.log().empty());
}

TEST_F(Win32WindowTest, TheAboutPictureShowsAHandAndOpensTheAboutDialogModally) {
  HWND main = window_.handle();
  HWND picture = Item(ControlId::kPictureAbout);
  SendMessageA(main, WM_SETCURSOR, reinterpret_cast<WPARAM>(picture),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
  SendMessageA(main, WM_SETCURSOR, reinterpret_cast<WPARAM>(Item(ControlId::kClose)),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), LoadCursorA(nullptr, IDC_HAND));

  const int dpi = DpiOf(main);
  for (WPARAM closing_key : {VK_ESCAPE, VK_RETURN}) {
    DialogProbe probe(" About Configurator", [&](HWND dialog) {
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
      EXPECT_FALSE(IsWindowEnabled(main)) << "modal";
      RECT client;
      GetClientRect(dialog, &client);
      EXPECT_EQ(client.right, MulDiv(5385, dpi, 1440));
      EXPECT_EQ(client.bottom, MulDiv(1500, dpi, 1440));
      ExpectCentred(dialog, dpi);
      for (const ControlSpec& design : ControlTable()) {
        if (design.window != WindowId::kAbout) continue;
        HWND control = GetDlgItem(dialog, static_cast<int>(design.id));
        ASSERT_NE(control, nullptr) << design.name;
        EXPECT_EQ(TextOf(control), design.caption) << design.name;
        EXPECT_EQ(ClientRectOf(control).left, MulDiv(design.left, dpi, 1440)) << design.name;
        EXPECT_EQ(ClientRectOf(control).top, MulDiv(design.top, dpi, 1440)) << design.name;
        if (design.kind == ControlKind::kPicture) {
          EXPECT_NE(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
          EXPECT_LT(StackIndex(control),
                    StackIndex(GetDlgItem(dialog, static_cast<int>(ControlId::kAboutLabel2))))
              << "the picture lies above the labels";
        }
      }
      HWND ok = GetDlgItem(dialog, static_cast<int>(ControlId::kAboutCmdOk));
      EXPECT_EQ(StackIndex(ok), 0) << "the button lies above the picture";
      EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)),
                static_cast<int>(ControlId::kAboutCmdOk));
      EXPECT_EQ(GetFocus(), ok);
      PressKey(closing_key);
    });
    // What the picture sends when it is clicked.
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(ControlId::kPictureAbout, STN_CLICKED),
                 reinterpret_cast<LPARAM>(picture));
    EXPECT_TRUE(probe.seen());
    EXPECT_EQ(FindWindowA(kDialogClass, " About Configurator"), nullptr) << "closed by the key";
    EXPECT_TRUE(IsWindowEnabled(main));
  }
}

TEST_F(Win32WindowTest, TheQuestionHasYesAndNoWithYesTheDefault) {
  for (bool yes : {true, false}) {
    DialogProbe probe(std::string(texts::kFirstRunTitle), [yes](HWND box) {
      EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
      EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
      HWND cancel = GetDlgItem(box, IDCANCEL);
      EXPECT_TRUE(cancel == nullptr || !IsWindowVisible(cancel));
      HWND default_button = GetDlgItem(box, IDYES);
      EXPECT_EQ(GetFocus(), default_button);
      EXPECT_EQ(GetWindowLongPtrA(default_button, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
      if (!yes) SetFocus(GetDlgItem(box, IDNO));
      PressKey(yes ? VK_RETURN : VK_SPACE);
    });
    EXPECT_EQ(window_.AskYesNo(texts::kFirstRunTitle, texts::kFirstRunText), yes);
    EXPECT_TRUE(probe.seen());
  }
}

bool HasChildWithText(HWND window, const std::string& text) {
  struct Search {
    const std::string* text;
    bool found;
  } search{&text, false};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<Search*>(l);
        s->found = s->found || TextOf(child) == *s->text;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(Win32WindowTest, ChoosingAFolderGivesThePickedFolderOrNothing) {
  char temp[MAX_PATH + 1] = {};
  ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
  std::string folder = temp;
  if (folder.back() == '\\') folder.pop_back();
  for (bool pick : {true, false}) {
    DialogProbe probe("", [&](HWND dialog) {
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), window_.handle());
      EXPECT_TRUE(HasChildWithText(dialog, std::string(kChooseFolderTitle)));
      if (pick) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      } else {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      }
    });
    const std::string chosen = window_.ChooseFolder(kChooseFolderTitle);
    EXPECT_TRUE(probe.seen());
    EXPECT_TRUE(EqualIgnoringAsciiCase(chosen, pick ? folder : "")) << chosen;
  }
}

}  // namespace
}  // namespace ql2
