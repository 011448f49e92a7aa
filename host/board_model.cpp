#include "host/board_model.h"

#include <cstring>

namespace farehost {

int PartDigits(Part part) {
  switch (part) {
    case Part::Fare: return 4;
    case Part::Route: return 3;
    case Part::Stop: return 2;
    default: return 0;
  }
}

int BoardData::UserColumnValue(int column) const {
  if (column < 1 || column > 150) return 0;
  return (column * 37) % 1000;
}

int Fare(int ticket, int stops_passed) {
  int ridden = stops_passed - ticket;
  if (ridden < 0) ridden = 0;
  return 170 + 30 * ridden;
}

std::string TicketLabel(int cell, int format_index, bool leading_zero) {
  static const char8_t* const kWords[] = {u8"なし", u8"無券", u8"券なし", u8"券無し", u8""};
  if (format_index < 0 || format_index > 11) format_index = 0;
  // Formats 0 and 1 number every cell, from 1 or from 0. Formats 2..11 come
  // in pairs: a first cell with a word (or plain), then 1,2... or 2,3...
  int number;
  if (format_index == 0) {
    number = cell + 1;
  } else if (format_index == 1) {
    number = cell;
  } else {
    if (cell == 0) return reinterpret_cast<const char*>(kWords[(format_index - 2) / 2]);
    number = format_index % 2 == 0 ? cell : cell + 1;
  }
  std::string text = std::to_string(number);
  if (leading_zero && number >= 0 && number <= 9) text = "0" + text;
  return text;
}

std::string FormatDigits(bool has_value, long value, int digits, const DigitSettings& s) {
  if (digits <= 0) return std::string();
  std::string lit;
  if (!has_value) {
    if (s.zero_mode == 1) lit = "0";
  } else if (value == 0) {
    if (s.zero_mode == 1 || s.zero_mode == 3) lit = "0";
  } else if (value == -1) {
    if (s.zero_mode == 2 || s.zero_mode == 3) lit = "0";
  } else if (value > 0) {
    lit = std::to_string(value);
  }
  if (!lit.empty()) {
    int padding = s.padding > digits ? digits : s.padding;
    if (padding > static_cast<int>(lit.size())) lit = std::string(padding - lit.size(), '0') + lit;
    if (s.shift > 0) lit.append(s.shift > digits ? digits : s.shift, ' ');
  }
  if (static_cast<int>(lit.size()) > digits) lit = lit.substr(lit.size() - digits);
  return std::string(digits - lit.size(), ' ') + lit;
}

std::vector<Cell> LayOut(const Board& board) {
  std::vector<Cell> cells;
  const DigitSettings& fare = board.parts[static_cast<int>(Part::Fare)];
  const int digits = PartDigits(Part::Fare);
  const InfoRecord& in = board.info;
  for (int i = 0; i < board.cell_count; ++i) {
    Cell c;
    c.label = TicketLabel(i, board.format_index, board.leading_zero != 0);
    c.value = FormatDigits(true, Fare(i, board.data.stops_passed), digits, fare);
    c.info = nullptr;
    // Information numbers take the place of the fare in their cells.
    const int n = i + 1;
    if (in.show_stop == 1 && in.stop_cell == n) {
      long stops = in.stop_from_zero == 1 ? board.data.stops_passed - 1 : board.data.stops_passed;
      c.value = FormatDigits(true, stops, digits, fare);
      c.info = reinterpret_cast<const char*>(u8"停留所数");
    }
    if (in.show_ticket == 1 && in.ticket_cell == n) {
      c.value = FormatDigits(true, board.data.ticket_number, digits, fare);
      c.info = reinterpret_cast<const char*>(u8"整理券番号");
    }
    if (in.show_route == 1 && in.route_cell == n) {
      c.value = FormatDigits(true, board.data.route_number, digits, fare);
      c.info = reinterpret_cast<const char*>(u8"系統番号");
    }
    if (in.show_user == 1 && in.user_cell == n) {
      int column = in.user_column;
      c.value = FormatDigits(column >= 1 && column <= 150, board.data.UserColumnValue(column), digits, fare);
      c.info = reinterpret_cast<const char*>(u8"独自情報");
    }
    cells.push_back(c);
  }
  return cells;
}

namespace {

bool SetIf(std::int16_t& field, std::int16_t value, int low, int high) {
  if (value < low) return false;
  if (value > high) value = static_cast<std::int16_t>(high);
  if (field == value) return false;
  field = value;
  return true;
}

bool ApplyToPart(DigitSettings& part, int digits, const DigitSettings& w) {
  bool changed = false;
  changed |= SetIf(part.zero_mode, w.zero_mode, 0, 3);
  changed |= SetIf(part.shift, w.shift, 0, digits - 1);
  changed |= SetIf(part.padding, w.padding, 0, digits);
  return changed;
}

}  // namespace

bool ApplyDigitSettings(Board& board, Part part, std::int32_t result, const DigitSettings& written) {
  if (result != 0 && result != 1) return false;  // no dialog was shown
  bool changed = false;
  for (int p = 0; p < kPartCount; ++p) {
    if (result == 1 || p == static_cast<int>(part))
      changed |= ApplyToPart(board.parts[p], PartDigits(static_cast<Part>(p)), written);
  }
  return changed;
}

bool ApplyTicketFormat(Board& board, std::int16_t format_index, std::int16_t leading_zero) {
  bool changed = false;
  if (format_index >= 0 && format_index <= 11 && format_index != board.format_index) {
    board.format_index = format_index;
    changed = true;
  }
  std::int16_t lz = leading_zero != 0 ? 1 : 0;
  if (lz != board.leading_zero) {
    board.leading_zero = lz;
    changed = true;
  }
  return changed;
}

bool ApplyInfo(Board& board, const InfoRecord& written) {
  if (std::memcmp(&board.info, &written, sizeof written) == 0) return false;
  board.info = written;
  return true;
}

bool ApplyColour(Board& board, std::int32_t result, std::uint32_t colour, const std::uint32_t custom[16]) {
  if (result != 1) return false;
  board.led_colour = colour & 0x00FFFFFFu;
  std::memcpy(board.custom_colours, custom, sizeof board.custom_colours);
  return true;
}

bool ApplyDate(Board& board, std::int32_t result, int year, int month, int day) {
  if (result != 1 || year < 1601 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  board.year = year;
  board.month = month;
  board.day = day;
  return true;
}

}  // namespace farehost
