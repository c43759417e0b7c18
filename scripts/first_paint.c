/* Launches a program on the X display and reports, from outside it, how long it
 * took to paint its first window and how much memory it then holds:
 *
 *   first_paint SETTLE_MS PROGRAM [ARGS...]
 *   prints "PAINT_MS MAP_MS RSS_KB CPU_MS" and ends the program (SIGTERM).
 *
 * PAINT_MS runs from just before the program is launched to the first drawing the
 * X server sees in a mapped top-level window whose _NET_WM_PID is the program's
 * (the DAMAGE extension reports it); MAP_MS to that window's mapping. RSS_KB is
 * VmRSS from /proc, SETTLE_MS after the paint; CPU_MS the processor time its
 * threads had had by the paint (less disturbed by other work on the machine than
 * the clock is). The same measure serves any
 * toolkit's program: nothing is asked of the program itself. Without a window
 * manager, top-level windows are children of the root window, so watching the
 * root's children catches them as they are created, before anything is drawn.
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* A window can go before its Damage is created or its property read: no matter. */
static int ignore_errors(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0;
}

static long window_pid(Display* display, Window window, Atom pid_atom) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    long pid = -1;
    if (XGetWindowProperty(display, window, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1 && format == 32) {
        pid = (long)*(unsigned long*)data;
    }
    if (data) XFree(data);
    return pid;
}

static int is_viewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) &&
           attributes.map_state == IsViewable;
}

static long resident_kb(pid_t pid) {
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* status = fopen(path, "r");
    if (!status) return -1;
    while (fgets(line, sizeof line, status)) {
        if (sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
    }
    fclose(status);
    return kb;
}

/* The processor time all the program's threads have had so far, in ms: less
 * sensitive than the clock to other work on the machine. */
static double cpu_ms(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    if (!tasks) return -1;
    double total = 0;
    for (struct dirent* task; (task = readdir(tasks));) {
        if (task->d_name[0] == '.') continue;
        char stat_path[512];
        snprintf(stat_path, sizeof stat_path, "%s/%s/schedstat", path, task->d_name);
        FILE* stat = fopen(stat_path, "r");
        unsigned long long ns = 0;
        if (stat && fscanf(stat, "%llu", &ns) == 1) total += ns / 1e6;
        if (stat) fclose(stat);
    }
    closedir(tasks);
    return total;
}

static void end_program(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(pid, NULL, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const int settle_ms = atoi(argv[1]);
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "first_paint: cannot open the display\n");
        return 2;
    }
    int damage_event, damage_error;
    if (!XDamageQueryExtension(display, &damage_event, &damage_error)) {
        fprintf(stderr, "first_paint: the X server has no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    const Atom pid_atom = XInternAtom(display, "_NET_WM_PID", False);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(display));
        execvp(argv[2], argv + 2);
        fprintf(stderr, "first_paint: cannot run %s: %s\n", argv[2], strerror(errno));
        _exit(127);
    }
    double painted = -1, mapped = -1, cpu = -1;
    while (painted < 0) {
        if (!XPending(display)) {
            struct pollfd x = {ConnectionNumber(display), POLLIN, 0};
            if (poll(&x, 1, 100) == 0) {
                if (waitpid(pid, NULL, WNOHANG) == pid || now_ms() - start > 20000) break;
                continue;
            }
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && mapped < 0 &&
                   window_pid(display, event.xmap.window, pid_atom) == pid) {
            mapped = now_ms() - start;
        } else if (event.type == damage_event + XDamageNotify) {
            const XDamageNotifyEvent* damage = (const XDamageNotifyEvent*)&event;
            if (window_pid(display, damage->drawable, pid_atom) == pid &&
                is_viewable(display, damage->drawable)) {
                painted = now_ms() - start;
                cpu = cpu_ms(pid);
            }
        }
    }
    if (painted < 0) {
        fprintf(stderr, "first_paint: %s painted no window\n", argv[2]);
        end_program(pid);
        return 1;
    }
    usleep(settle_ms * 1000);
    const long rss = resident_kb(pid);
    end_program(pid);
    printf("%.1f %.1f %ld %.1f\n", painted, mapped, rss, cpu);
    return 0;
}
