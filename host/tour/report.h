// The tour's report: one line per call with what it returned, and the
// totals. Lines go to standard output as UTF-8 (or to the console).
#ifndef FAREHOST_TOUR_REPORT_H
#define FAREHOST_TOUR_REPORT_H

#include <string>

#include "host/host.h"

namespace farehost::tour {

// "  ok    call -> got   note", or FAIL in place of ok; counts the call.
void Line(bool ok, const std::string& call, const std::string& got, const std::string& note = "");
// An unexpected finding that is no call: "  FAIL  text".
void Fail(const std::string& text);
// A line of information, under the calls.
void Info(const std::string& text);

int Calls();
int Unexpected();

std::string Num(long long v);
// The loaded DLL's file name without ".dll": the pictures' prefix.
std::string Stem();
// A library string for the report: its text in quotes and its byte length.
std::string Shown(const char* text);
// A library string is never null, and its length prefix matches its text.
bool WellFormed(const char* text);

// Whether the tour goes on with an export: true when the loaded DLL has it
// and should. Reports an export that farelib3 lacks by design, one that is
// missing and one that farelib3 must not have.
bool Present(ExportId id);

}  // namespace farehost::tour

#endif
