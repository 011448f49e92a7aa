// The platform's own choosers (file, colour, folder) as a driver meets them:
// the control ids of their parts, and picking a folder in the browser's tree.
#ifndef FARELIB_SUPPORT_CHOOSERS_H
#define FARELIB_SUPPORT_CHOOSERS_H

#include <windows.h>
#include <colordlg.h>
#include <dlgs.h>

#include <string>

#include "support/dialog_driver.h"

namespace fldlg {

// File chooser.
inline constexpr int kFileNameBox = cmb13;  // the name field

// Colour chooser.
inline constexpr int kBasicColours = COLOR_BOX1;  // the swatches of the basic colours
inline constexpr int kRedBox = COLOR_RED;         // the red, green and blue fields
inline constexpr int kGreenBox = COLOR_GREEN;
inline constexpr int kBlueBox = COLOR_BLUE;
inline constexpr int kAddCustomColour = COLOR_ADD;
inline constexpr int kDefineCustomColours = COLOR_MIX;  // opens the full form

// Folder browser: the platform's headers name none of its parts.
inline constexpr int kFolderTree = 0x3741;
inline constexpr int kFolderTitleText = 0x3742;  // the host's text above the tree

// Selects `path` in the folder browser `d` as a person picks it in the tree:
// the browser may still be filling its tree, so the selection is asked for
// again until the tree's selected item is the folder's own (or the timeout
// has passed). Returns the text of the item selected in the end.
std::string PickFolder(const Dialog& d, const std::string& path);

}  // namespace fldlg

#endif
