// The main window's own texts and the gauge package's fixed files. Families' texts live in their
// tables (src/aircraft).
#pragma once

#include <string>
#include <string_view>

#include "platform/status.h"

namespace ql2 {
namespace texts {

inline constexpr std::string_view kSimulatorNotFound = "Flight Simulator 9.0 cannot be found.";
inline constexpr std::string_view kNotInstalled = "Quillever2 gauge is not installed.";
inline constexpr std::string_view kInstalled = "Quillever2 gauge is installed.";
inline constexpr std::string_view kEdited =
    "The panel configuration file has been edited. You can reinstall the gauge by clicking on the "
    "Repair button.";
inline constexpr std::string_view kRepairCaption = "Repair";

inline constexpr std::string_view kFirstRunTitle = "First time run";
inline constexpr std::string_view kFirstRunText =
    "It is recommended to read the user manual prior to using the configurator.\r\n"
    "Do you wish to read it now?";

// The user manual, opened by the first-run question's Yes, by F1 and from the About window.
inline constexpr std::string_view kManualTitle = "User manual";
inline constexpr std::string_view kManualCannotOpen = "The user manual cannot be opened: ";
inline constexpr std::string_view kManualWithoutSimulator =
    "The user manual cannot be opened: it lies in the QL folder of Flight Simulator 9.0, which "
    "cannot be found.";
inline constexpr std::string_view kManualLater =
    "\r\n\r\nYou can open it at any time with F1, or with the User manual button of the About "
    "window.";

// A change that a crash or power cut stopped midway, found at start-up; each follows the name
// of the backup that tells.
inline constexpr std::string_view kInterruptedInstall =
    " exists although the gauge is not installed: an installation did not finish. Click Remove "
    "to put the files back from their backups.";
inline constexpr std::string_view kInterruptedRemove =
    " is missing although the gauge is installed: a removal did not finish. Click Remove to put "
    "back the files that still have a backup.";
inline constexpr std::string_view kInterruptedRestore =
    " is back as it was before the installation, but the gauge is still recorded as installed: a "
    "removal did not finish. Click Remove to finish it.";
inline constexpr std::string_view kInterruptedStripped =
    " no longer holds the gauge, and its copy from before the installation was kept beside it, "
    "but the gauge is still recorded as installed: a removal did not finish. Click Remove to "
    "finish it.";
inline constexpr std::string_view kInterruptedUndone =
    "Every panel file that had a backup has been put back.";
// Another copy of the program changed the files since this window looked at them.
inline constexpr std::string_view kChangedMeanwhile =
    "The files changed since this window last looked at them, so nothing was done. ";
inline constexpr std::string_view kBusyAtStart =
    "Another copy of the Configurator was changing these files, so this start wrote nothing.";
inline constexpr std::string_view kBusy =
    "Another copy of the Configurator is changing these files. Try again in a moment.";

// Copies a click kept beside the files instead of overwriting or deleting them; each sentence
// follows the click's outcome. {file} and {kept} name one file; {count} counts several, which
// are then kept under their own names and the ending the planner gives kept copies.
inline constexpr std::string_view kKeptChangedOne =
    "{file} had changed since the installation, so only the gauge was taken out of it; the copy "
    "from before the installation was kept as {kept}.";
inline constexpr std::string_view kKeptChangedMany =
    "{count} panel files had changed since the installation, so only the gauge was taken out of "
    "them; the copies from before the installation were kept beside them, ending in "
    ".before-quillever.";
inline constexpr std::string_view kKeptBeforeFirstOne =
    "The copy of {file} from before the first installation was kept as {kept}.";
inline constexpr std::string_view kKeptBeforeFirstMany =
    "The copies of {count} panel files from before the first installation were kept beside them, "
    "ending in .before-quillever.";
inline constexpr std::string_view kKeptNotOursOne =
    "{file} was not made by this program, so it was kept as {kept}.";
inline constexpr std::string_view kKeptNotOursMany =
    "{count} files named like backups were not made by this program, so they were kept beside "
    "them, ending in .before-quillever.";
// The line under the groups that names the simulator folder in use: "Simulator folder (<where it
// was found>): <folder>", or what to do when there is none.
inline constexpr std::string_view kFolderLineStart = "Simulator folder (";
inline constexpr std::string_view kFolderLineAfterOrigin = "): ";
inline constexpr std::string_view kNoFolderInUse =
    "Choose the folder Flight Simulator 9.0 is installed in.";
// Why a folder is not used. A folder given for this run or picked by the user:
inline constexpr std::string_view kThereIsNoFolder = "There is no folder ";
inline constexpr std::string_view kHoldsNoSimulator =
    " does not hold Flight Simulator 9.0: it has no Aircraft folder.";
// The folder chosen before, which is then forgotten (but by a dry run, which writes nothing):
inline constexpr std::string_view kChosenBefore = "The folder chosen before, ";
inline constexpr std::string_view kChosenGone = ", no longer exists";
inline constexpr std::string_view kChosenNoSimulator =
    ", no longer holds Flight Simulator 9.0 (it has no Aircraft folder)";
inline constexpr std::string_view kChosenForgotten = ", so it has been forgotten.";
inline constexpr std::string_view kChosenNotUsed = ", so it is not used.";
inline constexpr std::string_view kCannotRemember =
    "The folder is used, but it cannot be remembered for the next start: ";
// Picking among several simulators.
inline constexpr std::string_view kPickSimulatorTitle = "Choose the simulator";
inline constexpr std::string_view kPickSimulatorText =
    "Flight Simulator 9.0 was found in more than one place. Which one should the Configurator "
    "work on?";
inline constexpr std::string_view kAnotherFolder = "Another folder...";
inline constexpr std::string_view kInUseMark = " - in use";

// Starting again as administrator after Windows refused a write under Program Files.
inline constexpr std::string_view kElevateTitle = "Start as administrator";
inline constexpr std::string_view kElevateText =
    "Windows lets only a program started as administrator change files under Program Files.\r\n"
    "Start the Configurator again as administrator, on the same simulator folder?";
inline constexpr std::string_view kNotElevated =
    "The Configurator was not started again as administrator: ";

// What the user can do about a problem that stopped a click or keeps a file from being read, by
// the kind of problem; said in the sentence after the one that names the problem and its file.
struct Advice {
  ErrorKind kind;
  std::string_view text;
};
inline constexpr Advice kAdvice[] = {
    {ErrorKind::kNotFound, "Put it back, or reinstall the add-on, then try again."},
    {ErrorKind::kPermissionDenied,
     "Give your user account the right to read and change it, then try again."},
    {ErrorKind::kReadOnly, "Make it writable (clear its read-only mark), then try again."},
    {ErrorKind::kInUse,
     "Close the program that holds it (the simulator, or an editor), then try again."},
    {ErrorKind::kDiskFull, "Free some space on the disk, then try again."},
    {ErrorKind::kNotAFile, "Move away what stands at that name, then try again."},
    {ErrorKind::kBadContent,
     "Put back the add-on's own copy of the file, or reinstall the add-on, then try again."},
    {ErrorKind::kOther, "Check the disk, then try again."},
};

// The preview of a click, opened from the context menu of a family's Install or Remove button;
// {button} is the button's caption.
inline constexpr std::string_view kPreviewMenuItem = "Show what {button} would change...";
// (Under 80 characters: some tooltip controls keep no more.)
inline constexpr std::string_view kFamilyButtonTooltip =
    "Right-click or Shift+F10 shows what this button would change.";
inline constexpr std::string_view kPreviewTitle = "What {button} would change";
inline constexpr std::string_view kPreviewPossible =
    "A click on {button} now would make the changes below, and the group would then say: ";
inline constexpr std::string_view kPreviewImpossible =
    "A click on {button} now would change nothing: ";
inline constexpr std::string_view kPreviewFiles = "Files:";
inline constexpr std::string_view kPreviewReport = "The changes, as ql2cfg --dry-run prints them:";
inline constexpr std::string_view kPreviewNote =
    "This preview has changed nothing. Escape closes it.";
inline constexpr std::string_view kPreviewClose = "Close";
// What a preview lists each file under.
inline constexpr std::string_view kPreviewKeepCopy = "Keep a copy as";
inline constexpr std::string_view kPreviewCreateBackup = "Back up to";
inline constexpr std::string_view kPreviewReplaceBackup = "Replace the backup";
inline constexpr std::string_view kPreviewDeleteBackup = "Delete the backup";
inline constexpr std::string_view kPreviewEdit = "Edit";
inline constexpr std::string_view kPreviewRestore = "Restore from its backup";
inline constexpr std::string_view kPreviewCreate = "Create";
inline constexpr std::string_view kPreviewDelete = "Delete";

inline constexpr std::string_view kCannotInstall = "Cannot install: ";
inline constexpr std::string_view kCannotRemove = "Cannot remove: ";
inline constexpr std::string_view kCannotRead = "Cannot read ";
inline constexpr std::string_view kNothingChanged = " Nothing was changed.";
inline constexpr std::string_view kUndoFailed = " Putting the files back also failed: ";

// The text with its first "{name}" replaced by the value.
inline std::string Fill(std::string_view text, std::string_view placeholder,
                        std::string_view value) {
  std::string filled(text);
  const std::size_t at = filled.find(placeholder);
  if (at != std::string::npos) filled.replace(at, placeholder.size(), value);
  return filled;
}

}  // namespace texts

namespace package {
// The gauge package's folder in the simulator folder.
inline constexpr std::string_view kManual = "\\QL\\readme2.htm";
inline constexpr std::string_view kInstallerMarker = "\\QL\\uninst.swi";
}  // namespace package

}  // namespace ql2
