// The platform's own choosers (file, colour, folder) as a driver meets them:
// the control ids of their parts, and picking a folder in the browser's tree.
#ifndef FARELIB_SUPPORT_CHOOSERS_H
#define FARELIB_SUPPORT_CHOOSERS_H

#include <string>

#include "support/dialog_driver.h"

namespace fldlg {

// File chooser.
inline constexpr int kFileNameBox = 0x47C;  // the name field (cmb13)

// Colour chooser.
inline constexpr int kBasicColours = 0x2D0;  // the swatches of the basic colours
inline constexpr int kRedBox = 0x2C2;        // the red, green and blue fields
inline constexpr int kGreenBox = 0x2C3;
inline constexpr int kBlueBox = 0x2C4;
inline constexpr int kAddCustomColour = 0x2C8;
inline constexpr int kDefineCustomColours = 0x2CF;  // opens the full form

// Folder browser.
inline constexpr int kFolderTree = 0x3741;
inline constexpr int kFolderTitleText = 0x3742;  // the host's text above the tree

// Selects `path` in the folder browser `d` as a person picks it in the tree:
// the browser may still be filling its tree, so the selection is asked for
// again until the tree's selected item is the folder's own (or the timeout
// has passed). Returns the text of the item selected in the end.
std::string PickFolder(const Dialog& d, const std::string& path);

}  // namespace fldlg

#endif
