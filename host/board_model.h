// The stand-in host's fare board, as plain data and functions: the fare
// table, the ticket-number labels, the digital parts and how the values that
// the library's dialogs return are applied. No <windows.h>: built and tested
// natively as well.
#ifndef FAREHOST_BOARD_MODEL_H
#define FAREHOST_BOARD_MODEL_H

#include <cstdint>
#include <string>
#include <vector>

namespace farehost {

// The three settings of one digital part, as Call_dlg100 reads and writes them.
struct DigitSettings {
  std::int16_t zero_mode = 0;  // 0..3: how 0, empty and -1 are shown
  std::int16_t shift = 0;      // digits the number moves to the left
  std::int16_t padding = 0;    // digits filled with zeros
};

// The information-number record of Call_dlg102, field for field (20 bytes).
struct InfoRecord {
  std::int16_t stop_cell = 0;
  std::int16_t ticket_cell = 0;
  std::int16_t route_cell = 0;
  std::int16_t user_column = 0;
  std::int16_t user_cell = 0;
  std::int16_t show_stop = 0;
  std::int16_t stop_from_zero = 0;
  std::int16_t show_ticket = 0;
  std::int16_t show_route = 0;
  std::int16_t show_user = 0;
};
static_assert(sizeof(InfoRecord) == 20, "InfoRecord mirrors InfoNumberSettings");

// The digital parts of the board.
enum class Part { Fare, Route, Stop, Count };
constexpr int kPartCount = static_cast<int>(Part::Count);
int PartDigits(Part part);  // 4, 3, 2

// The user's data that the board shows: the stop the vehicle is at, the
// route, the ticket number of the last boarding, and one row of own columns.
struct BoardData {
  int stops_passed = 12;     // rows of the data: stops from the origin
  int route_number = 42;
  int ticket_number = 7;
  int UserColumnValue(int column) const;  // column 1..150; 0 outside
};

struct Board {
  int cell_count = 20;
  std::int16_t format_index = 0;
  std::int16_t leading_zero = 0;
  DigitSettings parts[kPartCount];
  InfoRecord info;
  std::uint32_t led_colour = 0x0000A5FF;  // COLORREF 0x00BBGGRR: amber
  std::uint32_t custom_colours[16] = {};
  BoardData data;
  int year = 0, month = 0, day = 0;  // the service date; 0 = not set
};

// Fare in yen for a passenger holding ticket `ticket` (0 = no ticket: boarded
// at the origin) when the vehicle has passed `stops_passed` stops.
int Fare(int ticket, int stops_passed);

// The label of cell `cell` (0-based) in display format `format_index`
// (0..11, anything else counts as 0), UTF-8.
std::string TicketLabel(int cell, int format_index, bool leading_zero);

// A value on a digital part of `digits` positions: `digits` characters,
// blanks where nothing is lit. `has_value` false is the empty value.
std::string FormatDigits(bool has_value, long value, int digits, const DigitSettings& settings);

// What one cell of the board shows.
struct Cell {
  std::string label;  // ticket label, UTF-8
  std::string value;  // the digital part's characters
  const char* info;   // null for a fare, else the information kind shown
};
std::vector<Cell> LayOut(const Board& board);

// Applying what the dialogs wrote back. Each takes the host's values after
// the call and the call's result, keeps what is out of range, and returns
// whether the board changed.
bool ApplyDigitSettings(Board& board, Part part, std::int32_t result, const DigitSettings& written);
bool ApplyTicketFormat(Board& board, std::int16_t format_index, std::int16_t leading_zero);
bool ApplyInfo(Board& board, const InfoRecord& written);
bool ApplyColour(Board& board, std::int32_t result, std::uint32_t colour, const std::uint32_t custom[16]);
bool ApplyDate(Board& board, std::int32_t result, int year, int month, int day);

}  // namespace farehost

#endif
