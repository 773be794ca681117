/* A pointer device for a wlroots compositor, driven from standard input, so
 * that tests reach a window as a person's pointer would: through the
 * compositor. Each line "X Y WIDTH HEIGHT [click]" moves the pointer to cell
 * (X, Y) of a WIDTH x HEIGHT grid spread over the output (give its size in
 * device pixels to reach each one), clicks there if asked, and answers "done".
 * The device lives as long as the program, so clients keep their pointer. */
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <wayland-client.h>

static struct wl_seat* seat;
static struct zwlr_virtual_pointer_manager_v1* manager;

static void announced(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void removed(void* data, struct wl_registry* registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener listener = {announced, removed};

static int Fail(const char* why)
{
    fprintf(stderr, "ravelock-wl-pointer: %s\n", why);
    return 1;
}

int main(void)
{
    struct wl_display* display = wl_display_connect(NULL);
    if (!display)
        return Fail("no Wayland display");
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!manager)
        return Fail("the compositor offers no virtual pointer");
    struct zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    wl_display_roundtrip(display);
    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        unsigned x, y, width, height;
        char click[8] = "";
        if (sscanf(line, "%u %u %u %u %7s", &x, &y, &width, &height, click) < 4)
            return Fail("a line is X Y WIDTH HEIGHT [click]");
        zwlr_virtual_pointer_v1_motion_absolute(pointer, 0, x, y, width, height);
        zwlr_virtual_pointer_v1_frame(pointer);
        if (strcmp(click, "click") == 0) {
            zwlr_virtual_pointer_v1_button(pointer, 0, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_button(pointer, 0, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
            zwlr_virtual_pointer_v1_frame(pointer);
        }
        wl_display_roundtrip(display);
        printf("done\n");
        fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
