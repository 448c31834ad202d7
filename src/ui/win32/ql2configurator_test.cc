// QL2Configurator.exe as a user meets it: started on a simulator tree made here, its window found
// by its caption, its controls read and clicked through the Win32 API from this process (as another
// program would), the files checked after each click, and the window closed. The program lies
// beside this test program. Needs a display: run under Wine on a virtual X server
// (scripts/wine-gui-run).
#include <gtest/gtest.h>

#include <string>

#include "app/controls.h"
#include "platform/win32_api.h"
#include "platform/win32_test_files.h"
#include "ui/win32/resource.h"

namespace ql2 {
namespace {

constexpr char kProgram[] = "QL2Configurator.exe";
constexpr char kCaption[] = "QL2 Configurator";
constexpr DWORD kStartMs = 60000;
constexpr DWORD kClickMs = 60000;
constexpr DWORD kExitMs = 30000;
constexpr DWORD kPollMs = 100;

constexpr char kRecord[] = "QL\\qlever2.con";
constexpr char kMarker[] = "QL\\uninst.swi";
constexpr char kPanelFolder[] = "Aircraft\\Flight 1 ATR-72-500\\panel";
constexpr char kPanel[] = "Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg";
constexpr char kBackup[] = "Aircraft\\Flight 1 ATR-72-500\\panel\\panel.cfg.backup";

// Nothing installed; the first-run question was answered long ago, so none blocks the start.
constexpr char kRecordBefore[] =
    "[Options]\r\nFirst Time=0\r\n[Cheyenne]\r\nInstalled=0\r\n[ATR]\r\nInstalled=0\r\n"
    "[PMDG]\r\nInstalled=0\r\n[PIC]\r\nInstalled=0\r\n";
// The scan records that the further models of the 737s are absent.
constexpr char kRecordInstalled[] =
    "[Options]\r\nFirst Time=0\r\n[Cheyenne]\r\nInstalled=0\r\n[ATR]\r\nInstalled=1\r\n"
    "[PMDG]\r\nInstalled=0\r\nFull=0\r\n[PIC]\r\nInstalled=0\r\nFull=0\r\n";
constexpr char kRecordRemoved[] =
    "[Options]\r\nFirst Time=0\r\n[Cheyenne]\r\nInstalled=0\r\n[ATR]\r\nInstalled=0\r\n"
    "[PMDG]\r\nInstalled=0\r\nFull=0\r\n[PIC]\r\nInstalled=0\r\nFull=0\r\n";

constexpr char kAtrPanel[] =
    "; ATR panel\r\n"
    "\r\n"
    "[Window Titles]\r\n"
    "Window00=Main Panel\r\n"
    "Window01=Overhead\r\n"
    "\r\n"
    "[Window00]\r\n"
    "file=main.bmp\r\n"
    "gauge00=ATR72!PFD, 40,120,200,200\r\n"
    "gauge01=ATR72!ND, 250,120,200,200\r\n"
    "\r\n"
    "[Window01]\r\n"
    "visible=0\r\n"
    "gauge00=ATR72!Overhead, 0,0,400,300\r\n"
    "\r\n"
    "[Fixed Window38]\r\n"
    "gauge00=ATR72!Master Warning, 0,0,60,60\r\n"
    "\r\n"
    "[Fixed Window39]\r\n"
    "gauge00=ATR72!Clock, 0,0,80,80\r\n";

// Two titles: the gauge window is Window2; each receiving section's next entry follows its last.
constexpr char kAtrPanelInstalled[] =
    "; ATR panel\r\n"
    "\r\n"
    "[Window Titles]\r\n"
    "Window00=Main Panel\r\n"
    "Window01=Overhead\r\n"
    "Window2=Quillever\r\n"
    "\r\n"
    "[Window00]\r\n"
    "file=main.bmp\r\n"
    "gauge00=ATR72!PFD, 40,120,200,200\r\n"
    "gauge01=ATR72!ND, 250,120,200,200\r\n"
    "gauge2=QLever2!QL,  0,0,19,19   //Quillever gauge by Tamsel\r\n"
    "\r\n"
    "[Window01]\r\n"
    "visible=0\r\n"
    "gauge00=ATR72!Overhead, 0,0,400,300\r\n"
    "\r\n"
    "[Fixed Window38]\r\n"
    "gauge00=ATR72!Master Warning, 0,0,60,60\r\n"
    "gauge1=QLever2!QL,  0,0,19,19   //Quillever gauge by Tamsel\r\n"
    "\r\n"
    "[Fixed Window39]\r\n"
    "gauge00=ATR72!Clock, 0,0,80,80\r\n"
    "\r\n"
    "[Window2]\r\n"
    "Background_color=0,0,0\r\n"
    "size_mm=1024,768\r\n"
    "window_size_ratio=1.000\r\n"
    "position=0\r\n"
    "Visible=0\r\n"
    "ident=80\r\n"
    "window_size=1.000, 1.000\r\n"
    "window_pos=0.000, 0.000\r\n"
    "\r\n"
    "gauge00=QLever2!Cp6uja,  0,0,19,19   //Quillever gauge by Tamsel\r\n";

std::string ProgramBesideThis() {
  char self[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.find_last_of("\\/") + 1) + kProgram;
}

class QL2ConfiguratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = win32_test::MakeTempFolder("ql2-exe-test");
    ASSERT_FALSE(root_.empty());
    sim_ = root_ + "\\Flight Simulator 9";
    for (const std::string& folder : {sim_, Sim("QL"), Sim("Aircraft"),
                                      Sim("Aircraft\\Flight 1 ATR-72-500"), Sim(kPanelFolder)}) {
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    ASSERT_TRUE(win32_test::WriteWhole(Sim(kRecord), kRecordBefore));
    ASSERT_TRUE(win32_test::WriteWhole(Sim(kMarker), "setup log\r\n"));
    ASSERT_TRUE(win32_test::WriteWhole(Sim(kPanel), kAtrPanel));
  }

  void TearDown() override {
    if (process_.hProcess != nullptr) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kExitMs);
      }
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    if (!root_.empty()) win32_test::RemoveTree(root_);
  }

  std::string Sim(const std::string& relative) const { return sim_ + "\\" + relative; }

  // Starts the program on the tree and waits until its window shows.
  void Start() {
    std::string command = "\"" + ProgramBesideThis() + "\" --sim-folder \"" + sim_ + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process_))
        << command << ": error " << GetLastError();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kStartMs) {
      for (HWND h = FindWindowA(nullptr, kCaption); h != nullptr;
           h = FindWindowExA(nullptr, h, nullptr, kCaption)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == process_.dwProcessId && IsWindowVisible(h)) {
          window_ = h;
          return;
        }
      }
      ASSERT_EQ(WaitForSingleObject(process_.hProcess, kPollMs), WAIT_TIMEOUT)
          << "the program ended before it showed its window";
    }
    FAIL() << "no window \"" << kCaption << "\" within " << kStartMs << " ms";
  }

  HWND Item(ControlId id) const { return GetDlgItem(window_, static_cast<int>(id)); }

  std::string Text(ControlId id) const {
    char text[2048] = {};
    GetWindowTextA(Item(id), text, sizeof text);
    return text;
  }
  bool Visible(ControlId id) const { return IsWindowVisible(Item(id)) != 0; }
  bool Enabled(ControlId id) const { return IsWindowEnabled(Item(id)) != 0; }

  // Clicks the button as the mouse would, and returns once the program has handled the click.
  void Click(ControlId id) {
    ASSERT_NE(Item(id), nullptr);
    DWORD_PTR result = 0;
    ASSERT_NE(SendMessageTimeoutA(Item(id), BM_CLICK, 0, 0, SMTO_NORMAL, kClickMs, &result), 0)
        << "the click did not end within " << kClickMs << " ms";
  }

  std::string root_;
  std::string sim_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

TEST_F(QL2ConfiguratorTest, InstallsAndRemovesTheAtrGaugeThroughItsWindow) {
  ASSERT_NO_FATAL_FAILURE(Start());

  // As the scan left it: only the ATR is there.
  EXPECT_EQ(Text(ControlId::kLabel3), sim_) << "the hidden label holds the simulator folder";
  EXPECT_EQ(Text(ControlId::kFrame2), "ATR-72-500 ");
  EXPECT_EQ(Text(ControlId::kLabel1), "Piper Cheyenne cannot be found.");
  EXPECT_EQ(Text(ControlId::kLabelPmdg), "Boeing 737NG cannot be found.");
  EXPECT_EQ(Text(ControlId::kLabelPic), "Boeing 737 Classics PIC cannot be found.");
  for (ControlId hidden : {ControlId::kAdd, ControlId::kRemoveCheyenne, ControlId::kInstallPmdg,
                           ControlId::kRemovePmdg, ControlId::kPictureCheNot, ControlId::kLabel3}) {
    EXPECT_FALSE(Visible(hidden)) << static_cast<int>(hidden);
  }
  // The folder in use, as given for this run, and the way to choose another.
  EXPECT_EQ(Text(ControlId::kLabelFolder), "Simulator folder (--sim-folder): " + sim_);
  EXPECT_TRUE(Visible(ControlId::kChooseFolder));
  EXPECT_EQ(Text(ControlId::kLabelAtr), "Quillever2 gauge is not installed.");
  EXPECT_EQ(Text(ControlId::kInstallAtr), "&Install") << "I, its access key, underlined";
  EXPECT_TRUE(Visible(ControlId::kInstallAtr));
  EXPECT_TRUE(Enabled(ControlId::kInstallAtr));
  EXPECT_TRUE(Visible(ControlId::kRemoveAtr));
  EXPECT_FALSE(Enabled(ControlId::kRemoveAtr));
  EXPECT_TRUE(Visible(ControlId::kPictureAtrNot));
  EXPECT_FALSE(Visible(ControlId::kPictureInsAtr));
  EXPECT_FALSE(Visible(ControlId::kPictureCorAtr));
  EXPECT_TRUE(Visible(ControlId::kClose));

  Click(ControlId::kInstallAtr);
  EXPECT_EQ(Text(ControlId::kLabelAtr), "The gauge has been installed successfully.");
  EXPECT_EQ(win32_test::ReadWhole(Sim(kPanel), "(absent)"), kAtrPanelInstalled);
  EXPECT_EQ(win32_test::ReadWhole(Sim(kBackup), "(absent)"), kAtrPanel);
  EXPECT_EQ(win32_test::ReadWhole(Sim(kRecord), "(absent)"), kRecordInstalled);
  EXPECT_FALSE(Enabled(ControlId::kInstallAtr));
  EXPECT_TRUE(Enabled(ControlId::kRemoveAtr));
  EXPECT_TRUE(Visible(ControlId::kPictureInsAtr));
  EXPECT_FALSE(Visible(ControlId::kPictureAtrNot));

  Click(ControlId::kRemoveAtr);
  EXPECT_EQ(Text(ControlId::kLabelAtr), "The gauge has been removed successfully.");
  EXPECT_EQ(win32_test::ReadWhole(Sim(kPanel), "(absent)"), kAtrPanel);
  EXPECT_EQ(win32_test::ReadWhole(Sim(kBackup), "(absent)"), "(absent)");
  EXPECT_EQ(win32_test::ReadWhole(Sim(kRecord), "(absent)"), kRecordRemoved);
  EXPECT_TRUE(Enabled(ControlId::kInstallAtr));
  EXPECT_FALSE(Enabled(ControlId::kRemoveAtr));
  // A removal takes the installed picture away and shows the not-installed one.
  EXPECT_FALSE(Visible(ControlId::kPictureInsAtr));
  EXPECT_TRUE(Visible(ControlId::kPictureAtrNot));

  ASSERT_TRUE(PostMessageA(window_, WM_CLOSE, 0, 0));
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, kExitMs), WAIT_OBJECT_0)
      << "the program did not end when its window was closed";
  DWORD exit_code = 1;
  GetExitCodeProcess(process_.hProcess, &exit_code);
  EXPECT_EQ(exit_code, 0u);
}

// What Explorer and the system's loader read from the program file before it runs.
TEST(QL2ConfiguratorFileTest, CarriesItsIconPicturesVersionAndManifest) {
  const std::string program = ProgramBesideThis();
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr) << program;

  auto resource_text = [module](LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) return std::string();
    HGLOBAL loaded = LoadResource(module, found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes == nullptr ? std::string() : std::string(bytes, SizeofResource(module, found));
  };
  const std::string manifest = resource_text(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  for (const char* wanted :
       {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "level=\"asInvoker\"",
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm",
        ">PerMonitorV2",
        // Vista, 7, 8, 8.1, 10 and 11
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(manifest.find(wanted), std::string::npos) << "manifest lacks " << wanted;
  }

  // The icon group holds the three sizes.
  const std::string icons =
      resource_text(MAKEINTRESOURCEA(QL2_ICON_APP), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_GE(icons.size(), 6u);
  EXPECT_EQ(static_cast<unsigned char>(icons[4]), 3u) << "icons in the group";
  for (int bitmap : {QL2_BITMAP_BANNER, QL2_BITMAP_ABOUT_BUTTON, QL2_BITMAP_NOT_INSTALLED,
                     QL2_BITMAP_INSTALLED, QL2_BITMAP_EDITED, QL2_BITMAP_ABOUT_PICTURE}) {
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(bitmap), MAKEINTRESOURCEA(2)), nullptr)
        << "bitmap " << bitmap;  // RT_BITMAP
  }
  FreeLibrary(module);

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string info(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, &info[0]));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(&info[0], "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 2));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  char* text = nullptr;
  ASSERT_TRUE(VerQueryValueA(&info[0], "\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_STREQ(text, "2.0.0");
}

}  // namespace
}  // namespace ql2
