// Resource IDs shared by the program's .rc file and the window code (plain
// #defines, which windres reads too).
#pragma once

#define CDK_IDI_MAIN_ICON 1  // 48 x 48, 32 bits with alpha: large and small window icon
#define CDK_IDR_PICTURE 2    // RCDATA: the 24 x 23 JPEG of the picture box
