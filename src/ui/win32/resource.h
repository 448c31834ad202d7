// Resource numbers shared by the resource script and the program. Kept to plain #defines: the
// resource compiler reads this file too.
#pragma once

#define QL2_ICON_APP 1

#define QL2_BITMAP_BANNER 101
#define QL2_BITMAP_ABOUT_BUTTON 102
#define QL2_BITMAP_NOT_INSTALLED 103
#define QL2_BITMAP_INSTALLED 104
#define QL2_BITMAP_EDITED 105
#define QL2_BITMAP_ABOUT_PICTURE 106
