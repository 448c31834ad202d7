// <windows.h> for the program's Win32 code. Include it instead of <windows.h>: the system's
// headers define CopyFile, DeleteFile, ReplaceFile and FindWindow as macros (the A/W switch),
// which would rename the FileSystem methods and the control table's function of those names in
// whatever file includes both.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef CopyFile
#undef DeleteFile
#undef ReplaceFile
#undef FindWindow
