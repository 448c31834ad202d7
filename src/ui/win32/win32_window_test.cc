// The Win32 main window and About dialog, made in this process and driven through their messages.
// Needs a display: run under Wine on a virtual X server (scripts/wine-gui-run).
#include "ui/win32/win32_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "aircraft/family.h"
#include "app/family_controls.h"
#include "app/keyboard.h"
#include "app/longest_status_text.h"
#include "app/texts.h"
#include "platform/ascii.h"
#include "platform/memory_file_system.h"
#include "platform/profile.h"
#include "platform/program_files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/sim_path.h"
#include "platform/simulator_finder.h"
#include "ui/win32/win32_layout.h"
#include "ui/win32/win32_list_dialog.h"
#include "ui/win32/win32_preview_dialog.h"

// After <windows.h>: the folder browser's messages and the tooltips'.
#include <commctrl.h>
#include <shlobj.h>

namespace ql2 {
namespace {

constexpr char kSim[] = "/sim";
// The folder picker's box for a typed path (the system's "edt1").
constexpr int kPathBoxId = 0x480;
constexpr char kDialogClass[] = "#32770";
constexpr char kMenuClass[] = "#32768";
// Asks a popup menu's window for its menu (not in every <winuser.h>).
constexpr UINT kMenuGetHandle = 0x01E1;
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

// Where CenterOnScreen puts a window of this outer size on the screen's available area, both
// taken in twips.
void ExpectCentred(HWND window, int dpi) {
  RECT outer;
  GetWindowRect(window, &outer);
  const RECT area = WorkArea(window);
  const Position centre = CenterOnScreen(
      PixelsToTwips(area.right - area.left, dpi), PixelsToTwips(area.bottom - area.top, dpi),
      PixelsToTwips(outer.right - outer.left, dpi), PixelsToTwips(outer.bottom - outer.top, dpi));
  EXPECT_EQ(outer.left, area.left + TwipsToPixels(centre.left, dpi));
  EXPECT_EQ(outer.top, area.top + TwipsToPixels(centre.top, dpi));
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != 0;
}

// Runs inspect on the modal dialog with the title (any title: "") once it is open, or on the
// first visible window of another class (a popup menu's, "#32768"); the inspection must close it.
// A dialog that never opens is reported; one that inspect leaves open is closed after a while.
// Several probes may wait at once.
class DialogProbe {
 public:
  DialogProbe(std::string title, std::function<void(HWND)> inspect,
              const char* window_class = kDialogClass)
      : title_(std::move(title)), inspect_(std::move(inspect)), class_(window_class) {
    probes_.push_back(this);
    started_ = GetTickCount();
    timer_ = SetTimer(nullptr, 0, kProbeMs, &DialogProbe::Tick);
  }
  ~DialogProbe() {
    KillTimer(nullptr, timer_);
    probes_.erase(std::find(probes_.begin(), probes_.end(), this));
  }
  bool seen() const { return seen_ > 0; }
  // How many dialogs it inspected.
  int count() const { return seen_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    const std::vector<DialogProbe*> probes = probes_;  // an inspection may end a probe
    for (DialogProbe* self : probes) {
      if (self->timer_ == timer) self->Look();
    }
  }
  void Look() {
    HWND dialog = FindDialog();
    if (dialog == nullptr) return;
    if (dialog != last_) {
      ++seen_;
      last_ = dialog;
      started_ = GetTickCount();
      inspect_(dialog);
    } else if (GetTickCount() - started_ > kDialogWaitMs) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      PostMessageA(dialog, WM_COMMAND, IDNO, 0);
      PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  }

  // The first shown window of this process of the class, with the title.
  HWND FindDialog() const {
    struct Search {
      const DialogProbe* probe;
      HWND found;
    } search{this, nullptr};
    EnumWindows(
        [](HWND window, LPARAM l) -> BOOL {
          auto* s = reinterpret_cast<Search*>(l);
          DWORD process = 0;
          GetWindowThreadProcessId(window, &process);
          if (process != GetCurrentProcessId() || !IsWindowVisible(window) ||
              ClassOf(window) != s->probe->class_) {
            return TRUE;
          }
          if (!s->probe->title_.empty() && TextOf(window) != s->probe->title_) return TRUE;
          s->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  static std::vector<DialogProbe*> probes_;
  std::string title_;
  std::function<void(HWND)> inspect_;
  const char* class_;
  UINT_PTR timer_ = 0;
  DWORD started_ = 0;
  int seen_ = 0;
  HWND last_ = nullptr;
};
std::vector<DialogProbe*> DialogProbe::probes_;

// Presses a key the way the keyboard does: to the control with the focus.
void PressKey(WPARAM key) {
  HWND focus = GetFocus();
  PostMessageA(focus, WM_KEYDOWN, key, 1);
  PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

// A key pressed and let go on the keyboard (with Alt or Shift held, when asked), then the window's
// messages handled as its message loop handles them, until the keys have had their effect.
void PressKeyInto(Win32MainWindow& window, WORD key, bool alt = false, bool shift = false) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (alt) add(VK_MENU, false);
  if (shift) add(VK_SHIFT, false);
  add(key, false);
  add(key, true);
  if (shift) add(VK_SHIFT, true);
  if (alt) add(VK_MENU, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  for (int i = 0; i < 10; ++i) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (window.PreTranslate(&message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
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
  void Press(WORD key, bool alt = false, bool shift = false) {
    PressKeyInto(window_, key, alt, shift);
  }
  // The name of the control with the focus, "" for none of the window's.
  std::string Focused() const { return std::string(FindControl(window_.FocusedControl()).name); }

  // The window takes the keyboard, as when the user clicks its title bar.
  void Activate() {
    SetForegroundWindow(window_.handle());
    SetActiveWindow(window_.handle());
  }

  // Each family's record entry and reference panel file, as the disk holds them now.
  std::vector<std::string> FamiliesOnDisk() const {
    std::vector<std::string> disk;
    const std::string record = fs_.FileBytes("/sim/QL/qlever2.con");
    for (const Family* family : AllFamilies()) {
      disk.push_back(profile::ReadString(record, family->record_section, "Installed", "", 10) +
                     fs_.FileBytes(JoinSimPath(kSim, family->files[0].config, '/')));
    }
    return disk;
  }
  // The families whose files differ.
  static std::string Changed(const std::vector<std::string>& before,
                             const std::vector<std::string>& now) {
    std::string changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (before[i] != now[i])
        changed += std::string(changed.empty() ? "" : ",") + std::string(AllFamilies()[i]->id);
    }
    return changed;
  }

  // The family's status text whole and clear: inside its line and its group, no shown picture nor
  // button over it, the group inside the client area.
  void ExpectReadable(const Family& family) {
    HWND label = Item(ControlsOf(family).status);
    const std::string text = TextOf(label);
    const RECT rect = ClientRectOf(label);
    const RECT drawn{rect.left, rect.top, rect.right,
                     rect.top + WrappedTextHeight(label, text, rect.right - rect.left)};
    EXPECT_LE(drawn.bottom, rect.bottom) << "cut: " << text;
    const RECT group = ClientRectOf(Item(ControlsOf(family).group));
    EXPECT_LE(drawn.bottom, group.bottom - 2) << "beyond the group's frame: " << text;
    RECT client;
    GetClientRect(window_.handle(), &client);
    EXPECT_LE(group.bottom, client.bottom);
    for (ControlId id :
         {ControlsOf(family).not_installed_icon, ControlsOf(family).installed_icon,
          ControlsOf(family).edited_icon, ControlsOf(family).install, ControlsOf(family).remove}) {
      if (id == ControlId::kNone || !IsWindowVisible(Item(id))) continue;
      EXPECT_FALSE(Overlap(ClientRectOf(Item(id)), drawn))
          << FindControl(id).name << " covers " << text;
    }
  }

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
  // 8130 for the families and the buttons, and 630 more for the folder line below them.
  EXPECT_EQ(client.bottom, MulDiv(8760, dpi, 1440));
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
        // Drawn by the window, and named by its words for screen readers.
        EXPECT_EQ(control_style & SS_TYPEMASK, SS_OWNERDRAW) << design.name;
        break;
      case ControlKind::kLabel:
        EXPECT_EQ(control_style & SS_TYPEMASK, SS_LEFT) << design.name;
        break;
      case ControlKind::kButton:
        EXPECT_EQ(control_style & BS_TYPEMASK, BS_PUSHBUTTON) << design.name;
        break;
    }
    const std::string text = design.kind == ControlKind::kPicture
                                 ? std::string(WordsOf(design.picture).name)
                                 : WithAccessKeyMark(design, design.caption);
    EXPECT_EQ(TextOf(control), text) << design.name;
    EXPECT_EQ(IsWindowVisible(control) != 0, design.visible) << design.name;
    // A group's controls lie inside it: the table places them relative to the group.
    int left = design.left, top = design.top;
    if (design.parent != ControlId::kNone) {
      left += FindControl(design.parent).left;
      top += FindControl(design.parent).top;
    }
    const RECT rect = ClientRectOf(control);
    // A status line's text ends a little before the buttons.
    const int width = IsStatusLine(design) ? StatusLineWidth(design) : design.width;
    EXPECT_EQ(rect.left, MulDiv(left, dpi, 1440)) << design.name;
    EXPECT_EQ(rect.top, MulDiv(top, dpi, 1440)) << design.name;
    EXPECT_EQ(rect.right, MulDiv(left + width, dpi, 1440)) << design.name;
    EXPECT_EQ(rect.bottom, MulDiv(top + design.height, dpi, 1440)) << design.name;
  }
}

// Moved to a monitor of a higher dpi, the window is laid out again for it and goes where the
// system suggests. (An eighth higher: the window must still fit the screen, which bounds it.)
TEST_F(Win32WindowTest, AnotherMonitorsDpiLaysTheWindowOutAgainAtTheSuggestedPlace) {
  HWND main = window_.handle();
  const int dpi = DpiOf(main) * 9 / 8;
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
// inside its group, clear of the pictures and buttons.
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
    EXPECT_GT(WrappedTextHeight(label, text, rect.right - rect.left),
              MulDiv(status.height, dpi, 1440))
        << "the text needs more than the box";
    ExpectReadable(*family);
  }

  // A short text gives the box back, and the window its height.
  fs_.SetFaultHook(nullptr);
  logic_.StartupScan();
  const RECT rect = ClientRectOf(Item(ControlId::kLabelAtr));
  const RECT box = ControlRect(FindControl(ControlId::kLabelAtr), dpi);
  EXPECT_EQ(rect.bottom, box.bottom);
  RECT client;
  GetClientRect(window_.handle(), &client);
  EXPECT_EQ(client.bottom, MulDiv(FindWindow(WindowId::kMain).client_height, dpi, 1440));
}

// The longest text each group can show today, in one group and in all four at once, at 100 % and
// at 200 % on a screen of 1280 x 1024 pixels: each text whole and clear, the groups apart, the
// window on the screen with its title bar, About and Exit, drawn smaller where it would not fit.
TEST_F(Win32WindowTest, TheLongestTextsAreReadAtEveryScaleAndTheWindowFitsTheScreen) {
  HWND main = window_.handle();
  const RECT area = WorkArea(main);
  const std::vector<const Family*>& families = AllFamilies();
  for (int dpi : {96, 192}) {
    RECT suggested{0, 0, 100, 100};
    SendMessageA(main, kDpiChangedMessage, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    // Each family alone, then all of them (chosen == their count).
    for (std::size_t chosen = 0; chosen <= families.size(); ++chosen) {
      const bool all = chosen == families.size();
      SCOPED_TRACE((all ? std::string("all") : std::string(families[chosen]->id)) + " at " +
                   std::to_string(dpi) + " dpi");
      for (std::size_t i = 0; i < families.size(); ++i) {
        window_.SetCaption(ControlsOf(*families[i]).status,
                           all || i == chosen ? LongestStatusText(*families[i], '\\')
                                              : std::string(texts::kNotInstalled));
      }
      RECT previous_group{0, 0, 0, 0};
      for (std::size_t i = 0; i < families.size(); ++i) {
        if (all || i == chosen) ExpectReadable(*families[i]);
        const RECT group = ClientRectOf(Item(ControlsOf(*families[i]).group));
        EXPECT_FALSE(Overlap(previous_group, group)) << families[i]->id;
        previous_group = group;
      }
      RECT outer;
      GetWindowRect(main, &outer);
      EXPECT_GE(outer.top, area.top);
      EXPECT_GE(outer.left, area.left);
      EXPECT_LE(outer.bottom, area.bottom);
      EXPECT_LE(outer.right, area.right);
      for (ControlId id : {ControlId::kPictureAbout, ControlId::kClose}) {
        RECT on_screen;
        GetWindowRect(Item(id), &on_screen);
        RECT inside;
        EXPECT_TRUE(IntersectRect(&inside, &on_screen, &area) && EqualRect(&inside, &on_screen))
            << FindControl(id).name;
      }
      if (dpi == 192) {
        EXPECT_LT(window_.layout().scale, 2) << "drawn smaller to fit";
        EXPECT_GE(window_.layout().scale, 1) << "never below half";
      }
    }
  }
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
  SetFocus(main);  // the window hands the focus to the control the logic chose: the first group
  EXPECT_EQ(GetFocus(), Item(ControlId::kFrame1));
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
        EXPECT_EQ(TextOf(control), WithAccessKeyMark(design, design.caption)) << design.name;
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

// The system's folder picker, with a box to type or paste a path in: it opens at the folder it is
// given (a name typed relative to it is found there), takes a whole path typed in the box, opens
// where it would when the folder given is not there, and gives nothing when cancelled.
TEST_F(Win32WindowTest, TheFolderPickerStartsAtTheFolderGivenAndTakesATypedPath) {
  char temp[MAX_PATH + 1] = {};
  ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
  const std::string start = std::string(temp) + "ql2 picker start";
  const std::string inner = start + "\\inner folder";
  const std::string other = std::string(temp) + "ql2 picker other";
  const std::string gone = std::string(temp) + "ql2 picker gone";
  for (const std::string& folder : {start, inner, other}) CreateDirectoryA(folder.c_str(), nullptr);
  struct Case {
    std::string start;
    std::string typed;  // "" cancels
    std::string chosen;
  };
  for (const Case& c : {Case{start, "inner folder", inner}, Case{start, other, other},
                        Case{gone, other, other}, Case{start, "", ""}}) {
    DialogProbe probe(std::string(kChooseFolderTitle), [&](HWND dialog) {
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), window_.handle());
      HWND path_box = GetDlgItem(dialog, kPathBoxId);
      EXPECT_EQ(ClassOf(path_box), "Edit");
      if (c.typed.empty()) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      SetWindowTextA(path_box, c.typed.c_str());
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    const std::string chosen = window_.ChooseFolder(kChooseFolderTitle, c.start);
    EXPECT_TRUE(probe.seen());
    EXPECT_TRUE(EqualIgnoringAsciiCase(chosen, c.chosen)) << chosen << " for " << c.typed;
  }
  for (const std::string& folder : {inner, start, other}) RemoveDirectoryA(folder.c_str());
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[512] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.emplace_back(text);
  }
  return items;
}

// The folder line names the folder in use; with several simulators, chooseFolder lets the user
// pick from a list, and "Another folder..." opens the folder picker.
TEST_F(Win32WindowTest, TheFolderLineAndTheChooser) {
  HWND line = Item(ControlId::kLabelFolder);
  EXPECT_EQ(TextOf(line), "Simulator folder (registry): /sim");
  EXPECT_TRUE(IsWindowVisible(line));
  RECT client;
  GetClientRect(window_.handle(), &client);
  const RECT rect = ClientRectOf(line);
  EXPECT_LE(rect.bottom, client.bottom);
  EXPECT_GE(rect.bottom - rect.top, WrappedTextHeight(line, TextOf(line), rect.right - rect.left));
  EXPECT_FALSE(IsWindowVisible(Item(ControlId::kChooseFolder))) << "no folder memory";

  for (const PanelFile& file : AtrFamily().files) {
    fs_.AddFile(JoinSimPath("/modded", file.config, '/'), Panel());
  }
  MemoryFinder finder(std::vector<FoundFolder>{{"/sim", "~/.wine"}, {"/modded", "bottles:Modded"}});
  MemoryFolderMemory memory;
  MainWindowLogic logic(window_, fs_, finder, shell_);
  logic.SetFolderMemory(&memory);
  window_.SetLogic(&logic);
  logic.StartupScan();
  ASSERT_TRUE(IsWindowVisible(Item(ControlId::kChooseFolder)));

  std::vector<std::string> items;
  {  // the probe ends with its block, so that it does not answer the lists opened below
    DialogProbe pick(std::string(texts::kPickSimulatorTitle), [&](HWND dialog) {
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), window_.handle());
      EXPECT_TRUE(HasChildWithText(dialog, std::string(texts::kPickSimulatorText)));
      HWND list = GetDlgItem(dialog, kListDialogListId);
      items = ListItems(list);
      EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
      SendMessageA(list, LB_SETCURSEL, 1, 0);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    Click(ControlId::kChooseFolder);
    EXPECT_TRUE(pick.seen());
    EXPECT_EQ(items, (std::vector<std::string>{"/sim (~/.wine) - in use",
                                               "/modded (bottles:Modded)", "Another folder..."}));
  }
  EXPECT_EQ(memory.Load(), "/modded");
  EXPECT_EQ(window_.Caption(ControlId::kLabel3), "/modded");
  EXPECT_EQ(TextOf(line), "Simulator folder (chosen): /modded");
  EXPECT_EQ(TextOf(Item(ControlId::kLabelAtr)), std::string(texts::kNotInstalled));
  EXPECT_EQ(TextOf(Item(ControlId::kLabel1)), "Piper Cheyenne cannot be found.");

  // "Another folder...", picked by OK or by a double click, opens the folder picker; cancelled,
  // nothing changes.
  for (bool by_double_click : {false, true}) {
    std::string second;
    DialogProbe each("", [&](HWND dialog) {
      if (TextOf(dialog) != texts::kPickSimulatorTitle) {
        second = TextOf(dialog);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
      }
      HWND list = GetDlgItem(dialog, kListDialogListId);
      SendMessageA(list, LB_SETCURSEL, 2, 0);
      if (by_double_click) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kListDialogListId, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
      } else {
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      }
    });
    Click(ControlId::kChooseFolder);
    EXPECT_EQ(each.count(), 2) << by_double_click;
    EXPECT_EQ(second, std::string(kChooseFolderTitle));
    EXPECT_EQ(window_.Caption(ControlId::kLabel3), "/modded");
  }
  window_.SetLogic(&logic_);
}

// Space from the start changes nothing; after a click on a family's button the keyboard still
// works, and Space only ever changes that family, the focus going between its Install and Remove.
TEST_F(Win32WindowTest, TheKeyboardChangesOnlyTheFamilyTheUserChose) {
  Activate();
  EXPECT_EQ(Focused(), "Frame1");
  const std::vector<std::string> before = FamiliesOnDisk();
  for (int i = 0; i < 3; ++i) {
    Press(VK_SPACE);
    Press(VK_RETURN);
  }
  EXPECT_EQ(Changed(before, FamiliesOnDisk()), "");
  EXPECT_EQ(Focused(), "Frame1");

  Click(ControlId::kInstallAtr);  // as the mouse clicks
  EXPECT_EQ(Focused(), "removeATR");
  EXPECT_TRUE(IsWindowEnabled(GetFocus())) << "the focus never rests on a disabled button";
  EXPECT_EQ(Changed(before, FamiliesOnDisk()), "atr");
  for (int i = 0; i < 3; ++i) {
    Press(VK_SPACE);
    EXPECT_EQ(Changed(before, FamiliesOnDisk()), i % 2 == 0 ? "" : "atr") << i;
    EXPECT_EQ(Focused(), i % 2 == 0 ? "installATR" : "removeATR") << i;
  }
  // Enter presses the focused button as Space does.
  Press(VK_RETURN);
  EXPECT_EQ(Changed(before, FamiliesOnDisk()), "atr");
  EXPECT_EQ(Focused(), "removeATR");
}

TEST_F(Win32WindowTest, TabReachesEveryControlOffered) {
  Activate();
  const std::vector<std::string> offered = {"pictureAbout", "Add",        "installATR",
                                            "installPMDG",  "installPIC", "close"};
  std::vector<std::string> reached;
  for (std::size_t i = 0; i < 2 * offered.size(); ++i) {
    Press(VK_TAB);
    if (std::find(reached.begin(), reached.end(), Focused()) != reached.end()) break;
    reached.push_back(Focused());
  }
  std::vector<std::string> expected = offered;
  std::sort(expected.begin(), expected.end());
  std::sort(reached.begin(), reached.end());
  EXPECT_EQ(reached, expected);
}

TEST_F(Win32WindowTest, AccessKeysMoveTheFocusOrClickAsTheLogicSaysAndF1OpensTheManual) {
  fs_.AddFile("/sim/QL/readme2.htm", "<html></html>");
  Activate();
  const std::vector<std::string> before = FamiliesOnDisk();
  for (const char* expected : {"Add", "installATR", "installPMDG"}) {
    Press('I', /*alt=*/true);
    EXPECT_EQ(Focused(), expected);
  }
  Press('R', /*alt=*/true);  // no Remove is offered
  EXPECT_EQ(Focused(), "installPMDG");
  Press('I');  // a letter alone does nothing
  EXPECT_EQ(Focused(), "installPMDG");
  EXPECT_EQ(Changed(before, FamiliesOnDisk()), "");
  Press(VK_SPACE);
  EXPECT_EQ(Changed(before, FamiliesOnDisk()), "pmdg");
  EXPECT_EQ(Focused(), "removePMDG");
  EXPECT_EQ(TextOf(Item(ControlId::kClose)), "E&xit");

  Press(VK_F1);
  EXPECT_EQ(shell_.opened(), std::vector<std::string>{"/sim/QL/readme2.htm"});
  // In the About window, opened by its key: F1, and its User manual button by its key.
  DialogProbe about(" About Configurator", [&](HWND dialog) {
    EXPECT_EQ(TextOf(GetDlgItem(dialog, static_cast<int>(ControlId::kAboutManual))),
              "&User manual");
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_F1, 1);
    PostMessageA(GetFocus(), WM_SYSCHAR, 'u', 1 << 29);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  });
  Press('A', /*alt=*/true);
  EXPECT_TRUE(about.seen());
  EXPECT_EQ(shell_.opened().size(), 3u);
  Activate();
  EXPECT_EQ(Focused(), "pictureAbout");

  // Without the manual, F1 says so, and how to try again.
  fs_.DeleteFile("/sim/QL/readme2.htm");
  std::string warning;
  DialogProbe box("User manual", [&](HWND dialog) {
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM l) -> BOOL {
          auto* longest = reinterpret_cast<std::string*>(l);
          if (TextOf(child).size() > longest->size()) *longest = TextOf(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&warning));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  Press(VK_F1);
  EXPECT_TRUE(box.seen());
  EXPECT_NE(warning.find("readme2.htm: no such file or folder."), std::string::npos) << warning;

  Activate();
  Press('X', /*alt=*/true);
  EXPECT_EQ(window_.handle(), nullptr) << "Exit closes the window";
  EXPECT_EQ(Changed(before, FamiliesOnDisk()), "pmdg");
}

std::string ListText(HWND list, int row, int column) {
  char text[512] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

// A family button's context menu offers the preview of its click, opened by Shift+F10, the menu
// key or the right button: the files and the dry run's changes, named as messages name them;
// Escape closes it, nothing was written, and the focus is back on the button.
TEST_F(Win32WindowTest, TheContextMenuShowsWhatAClickWouldChangeAndChangesNothing) {
  Activate();
  Press('I', /*alt=*/true);
  Press('I', /*alt=*/true);
  ASSERT_EQ(Focused(), "installATR");
  const std::map<std::string, MemoryFile> before = fs_.files();
  enum class How { kShiftF10, kMenuKey, kRightButton };
  for (How how : {How::kShiftF10, How::kMenuKey, How::kRightButton}) {
    SCOPED_TRACE(static_cast<int>(how));
    fs_.ClearLog();
    std::string item;
    DialogProbe menu(
        "",
        [&](HWND popup) {
          HMENU handle = reinterpret_cast<HMENU>(SendMessageA(popup, kMenuGetHandle, 0, 0));
          char text[128] = {};
          GetMenuStringA(handle, 0, text, sizeof text, MF_BYPOSITION);
          item = text;
          PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
        },
        kMenuClass);
    std::string summary, report, focus;
    std::vector<std::string> files;
    DialogProbe preview("What Install would change", [&](HWND dialog) {
      summary = TextOf(GetDlgItem(dialog, kPreviewSummaryId));
      report = TextOf(GetDlgItem(dialog, kPreviewReportId));
      HWND list = GetDlgItem(dialog, kPreviewFilesId);
      const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
      for (int row = 0; row < rows; ++row) {
        files.push_back(ListText(list, row, 0) + " " + ListText(list, row, 1));
      }
      EXPECT_NE(GetWindowLongPtrA(GetDlgItem(dialog, kPreviewReportId), GWL_STYLE) & ES_READONLY,
                0);
      focus = TextOf(GetFocus());
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), window_.handle());
      PressKey(VK_ESCAPE);
    });
    if (how == How::kShiftF10) {
      Press(VK_F10, /*alt=*/false, /*shift=*/true);
    } else if (how == How::kMenuKey) {
      Press(VK_APPS);
    } else {
      // What the system sends when the right button is let go over the button.
      RECT rect;
      GetWindowRect(Item(ControlId::kInstallAtr), &rect);
      SendMessageA(window_.handle(), WM_CONTEXTMENU,
                   reinterpret_cast<WPARAM>(Item(ControlId::kInstallAtr)),
                   MAKELPARAM(rect.left + 5, rect.top + 5));
    }
    EXPECT_TRUE(menu.seen());
    EXPECT_EQ(item, "Show what Install would change...");
    EXPECT_TRUE(preview.seen());
    EXPECT_EQ(FindWindowA(kDialogClass, "What Install would change"), nullptr) << "closed";
    EXPECT_EQ(summary,
              "A click on Install now would make the changes below, and the group would then "
              "say: The gauge has been installed successfully.");
    EXPECT_EQ(files,
              (std::vector<std::string>{
                  "Back up to Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup",
                  "Edit Aircraft/Flight 1 ATR-72-500/panel/panel.cfg", "Edit QL/qlever2.con"}));
    EXPECT_NE(report.find("create backup Aircraft/Flight 1 ATR-72-500/panel/panel.cfg.backup\r\n"
                          "--- a/Aircraft/Flight 1 ATR-72-500/panel/panel.cfg\r\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(focus, "Close");
    for (const FileOperation& op : fs_.log()) {
      EXPECT_TRUE(op.kind == FileOperationKind::kRead || op.kind == FileOperationKind::kList ||
                  op.kind == FileOperationKind::kCheckEditable ||
                  op.kind == FileOperationKind::kCheckFolder)
          << "changed " << op.path;
    }
    EXPECT_EQ(fs_.files().size(), before.size());
    Activate();
    EXPECT_EQ(Focused(), "installATR");
  }
  // The menu is only the family buttons'.
  SendMessageA(window_.handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Item(ControlId::kClose)),
               MAKELPARAM(5, 5));
  EXPECT_EQ(FindWindowA(kMenuClass, nullptr), nullptr);
  // The click then does what the preview said.
  Press(VK_SPACE);
  EXPECT_EQ(TextOf(Item(ControlId::kLabelAtr)), "The gauge has been installed successfully.");
}

TEST_F(Win32WindowTest, ThePicturesSayTheirStateInWords) {
  HWND tooltips = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
  while (tooltips != nullptr && GetWindow(tooltips, GW_OWNER) != window_.handle()) {
    tooltips = FindWindowExA(nullptr, tooltips, TOOLTIPS_CLASSA, nullptr);
  }
  ASSERT_NE(tooltips, nullptr);
  for (const ControlSpec& design : ControlTable()) {
    if (design.window != WindowId::kMain || design.kind != ControlKind::kPicture) continue;
    EXPECT_EQ(TextOf(Item(design.id)), WordsOf(design.picture).name) << design.name;
    char text[256] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_.handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(design.id));
    tool.lpszText = text;
    SendMessageA(tooltips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::string(text), WordsOf(design.picture).tooltip) << design.name;
  }
  // The Install and Remove buttons say what their context menu offers.
  char text[256] = {};
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_.handle();
  tool.uId = reinterpret_cast<UINT_PTR>(Item(ControlId::kRemovePic));
  tool.lpszText = text;
  SendMessageA(tooltips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::string(text), texts::kFamilyButtonTooltip);
}

}  // namespace
}  // namespace ql2
