// Tour mode: the host calls every export of the loaded library in turn; a
// second thread waits for each dialog, takes its picture and closes it the
// way a person would, and the host reports what every call returned.
#ifndef FAREHOST_TOUR_H
#define FAREHOST_TOUR_H

#include <string>

namespace farehost {

struct TourOptions {
  bool enabled = false;
  bool check = false;   // exit code 1 on any unexpected result
  std::wstring shots;   // folder for the pictures; empty: none
  std::wstring plugin;  // the sample plug-in's path
  int exit_code = 0;
};
extern TourOptions g_tour;

// Writes one line of the report to standard output (UTF-8), or to the
// console when there is one.
void Out(const std::string& utf8_line);

}  // namespace farehost

#endif
