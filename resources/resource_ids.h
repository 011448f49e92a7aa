/*
 * The resource ids of the pictures and the cursor that both DLLs carry.
 * Read by the resource script (farelib.rc) and by C++ code alike, so plain
 * preprocessor numbers only.
 */
#ifndef FARELIB_RESOURCES_RESOURCE_IDS_H
#define FARELIB_RESOURCES_RESOURCE_IDS_H

#define FARELIB_CURSOR_IMAGE 1   /* RT_CURSOR: the image that the group names */
#define FARELIB_CURSOR 101       /* RT_GROUP_CURSOR: carried, loaded by no library code */
#define FARELIB_BITMAP_BOARD 102 /* the About box's fare board (selector 1) */
#define FARELIB_BITMAP_BUS 103   /* the About box's bus (every other selector) */

#endif
