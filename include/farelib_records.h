/*
 * farelib_records.h: the fixed-size records that hosts hand to farelib4.dll
 * and farelib3.dll by pointer. C and C++, <stdint.h> only (no <windows.h>),
 * so that code without the platform's headers can use the same records.
 * farelib.h includes it.
 */
#ifndef FARELIB_RECORDS_H
#define FARELIB_RECORDS_H

#include <stdint.h>

/* Call_dlg102's record of information numbers: ten signed 16-bit integers,
   20 bytes, no padding. Fields 0..4 belong to combo boxes 10..14, fields 5..9
   to check boxes 15..19. A cell or column is the 1-based number that the
   chosen item shows, 0 when nothing is chosen; a check field is 0 or 1. */
typedef struct InfoNumberSettings {
  int16_t StopCountCell;     /* combo box 10: 0, or 1..N  */
  int16_t TicketNumberCell;  /* combo box 11: 0, or 1..N  */
  int16_t RouteNumberCell;   /* combo box 12: 0, or 1..N  */
  int16_t UserInfoColumn;    /* combo box 13: 0, or 1..150 */
  int16_t UserInfoCell;      /* combo box 14: 0, or 1..N  */
  int16_t ShowStopCount;     /* check box 15: 0 or 1 */
  int16_t StopCountFromZero; /* check box 16: 0 or 1 */
  int16_t ShowTicketNumber;  /* check box 17: 0 or 1 */
  int16_t ShowRouteNumber;   /* check box 18: 0 or 1 */
  int16_t ShowUserInfo;      /* check box 19: 0 or 1 */
} InfoNumberSettings;

#endif /* FARELIB_RECORDS_H */
