/* A pointer for KWin, driven from standard input through its fake-input
 * protocol, so that tests reach a window as a person's pointer would: through
 * the compositor. Each line "X Y [click]" moves the pointer to (X, Y) in the
 * desktop's logical pixels, clicks there if asked, and answers "done". The
 * device lives as long as the program, so clients keep their pointer. */
#include "fake-input-client-protocol.h"

#include <linux/input-event-codes.h>
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

static struct org_kde_kwin_fake_input* fake;

static void announced(void* data, struct wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 3)
        fake = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 3);
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
    fprintf(stderr, "ravelock-kwin-pointer: %s\n", why);
    return 1;
}

int main(void)
{
    struct wl_display* display = wl_display_connect(NULL);
    if (!display)
        return Fail("no Wayland display");
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!fake)
        return Fail("the compositor offers no fake input with absolute motion");
    org_kde_kwin_fake_input_authenticate(fake, "Ravelock tests", "to click as a person would");
    wl_display_roundtrip(display);
    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        double x, y;
        char click[8] = "";
        if (sscanf(line, "%lf %lf %7s", &x, &y, click) < 2)
            return Fail("a line is X Y [click]");
        org_kde_kwin_fake_input_pointer_motion_absolute(fake, wl_fixed_from_double(x), wl_fixed_from_double(y));
        if (strcmp(click, "click") == 0) {
            org_kde_kwin_fake_input_button(fake, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
            org_kde_kwin_fake_input_button(fake, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
        }
        wl_display_roundtrip(display);
        printf("done\n");
        fflush(stdout);
    }
    org_kde_kwin_fake_input_destroy(fake);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
