// What the tour sets up around its calls: a folder of its own with a data
// file, the sample plug-in, the pictures (with --shots), and the dialog each
// call opens, driven from a second thread by the shared dialog driver.
#ifndef FAREHOST_TOUR_FIXTURES_H
#define FAREHOST_TOUR_FIXTURES_H

#include <functional>
#include <string>

#include "support/dialog_driver.h"

namespace farehost::tour {

// The tour's folder in the temporary folder (one per process: the two tours
// may run at the same time), as a long path in code page 932, with the data
// file kDataFile in it. Made on first use; RemoveFolder() removes it with
// kDataFile and kSavedFile.
inline constexpr char kDataFile[] = "fare.csv";
inline constexpr char kSavedFile[] = "fare-new.csv";
std::string Folder();
void RemoveFolder();

// The sample plug-in's path in code page 932, reported as an information
// line; false, reported as unexpected, when it is not there.
bool FindPlugin(std::string* cp932_path);

// Where picture `shot` goes ("<folder>\<dll>-<shot>.bmp"); empty without
// --shots or without a shot.
std::wstring ShotPath(const char* shot);
// How the report names that picture: "[<dll>-<shot>.png]".
std::string ShotName(const char* shot);

// What the tour saw of one dialog.
struct DialogRun {
  bool shown = false;  // it appeared, was driven and closed by itself
  std::string seen;    // the picture's name, and what went wrong
};

// Runs `call`, which opens one dialog, while a second thread waits for the
// dialog, takes its picture as `shot` (none when null) and runs `act` on it.
DialogRun WithDialog(const char* shot, const std::function<void(fldlg::Dialog&)>& act,
                     const std::function<void()>& call);

// Paints the board and takes its picture as `shot`.
void BoardPicture(const char* shot);

}  // namespace farehost::tour

#endif
