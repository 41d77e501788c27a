/*
 * Resource ids shared by tunewarden.rc and the C++ sources. Preprocessor macros only:
 * the resource compilers read this file too.
 */
#ifndef TUNEWARDEN_RESOURCE_H
#define TUNEWARDEN_RESOURCE_H

/*
 * Id 1 is the lowest icon id, so Explorer shows it as the exe's icon, and the
 * window class and the notification-area icon can load it with
 * LoadIcon(hInst, MAKEINTRESOURCE(IDI_TUNEWARDEN)).
 */
#define IDI_TUNEWARDEN 1

/* The 165 x 16 grey "Tunewarden 1.4" strip drawn in the control bar's title. */
#define IDB_TITLE 101

/* Width and height of IDB_TITLE, so layout code need not query the bitmap. */
#define TW_TITLE_BITMAP_WIDTH 165
#define TW_TITLE_BITMAP_HEIGHT 16

#endif /* TUNEWARDEN_RESOURCE_H */
